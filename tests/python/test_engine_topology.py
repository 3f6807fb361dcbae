"""Planar cut, simplify, isSimple, offset, extend, reshape and autoComplete against shapely, and on hostile input."""
import math
import random

import pytest
import shapely
import shapely.ops
from shapely.geometry import LineString, Polygon
from shapely.geometry.polygon import orient

from geokern_engine import EngineError, Int32, engine

SEEDS = range(60)


def random_walk(rng, points):
    """A path that turns by at most 60 degrees at each vertex."""
    x, y, heading = 0.0, 0.0, rng.uniform(0, 2 * math.pi)
    coords = [(x, y)]
    for _ in range(points - 1):
        heading += rng.uniform(-math.pi / 3, math.pi / 3)
        step = rng.uniform(5, 20)
        x, y = x + step * math.cos(heading), y + step * math.sin(heading)
        coords.append((x, y))
    return coords


def random_ring(rng, points):
    return [(rng.uniform(0, 10), rng.uniform(0, 10)) for _ in range(points)]


def lines_of(result):
    return shapely.MultiLineString(result["paths"])


def area_of(result):
    """Clockwise rings are outer rings, counter-clockwise ones holes: the area is their signed sum."""
    polygons = [Polygon(r) for r in result["rings"]]
    return sum(-shapely.area(p) if p.exterior.is_ccw else shapely.area(p) for p in polygons)


JOINS = {0: "mitre", 1: "bevel", 2: "round"}


@pytest.mark.parametrize("seed", SEEDS)
def test_offset_matches_shapely_with_right_for_positive(seed):
    rng = random.Random(seed)
    coords = random_walk(rng, rng.randint(2, 6))
    distance = rng.choice([-1, 1]) * rng.uniform(0.5, 3)
    offset_type = rng.choice([0, 1, 2])
    ours = engine().engine("offset", {"paths": [coords]}, distance, Int32(offset_type), 5.0, 0.0)
    # shapely offsets to the left for a positive distance; 18 quadrant segments keep a chord error of
    # 1e-3 of the distance, the default here.
    peer = shapely.offset_curve(LineString(coords), -distance, quad_segs=18, join_style=JOINS[offset_type],
                                mitre_limit=5.0)
    mine = lines_of(ours)
    assert shapely.hausdorff_distance(mine, peer) < 1e-6 * abs(distance), (coords, distance, offset_type)
    # The first vertex of the first path sits at the distance on the right of the first segment.
    (x0, y0), (x1, y1) = coords[0], coords[1]
    px, py = ours["paths"][0][0]
    side = ((x1 - x0) * (py - y0) - (y1 - y0) * (px - x0)) / math.hypot(x1 - x0, y1 - y0)
    assert side == pytest.approx(-distance, abs=1e-9)


@pytest.mark.parametrize("seed", SEEDS)
def test_simplify_keeps_the_area_of_structure_make_valid(seed):
    rng = random.Random(seed)
    ring = random_ring(rng, rng.randint(4, 8))
    polygon = {"rings": [ring + [ring[0]]]}
    ours = engine().engine("simplify", polygon)
    peer = shapely.make_valid(Polygon(ring), method="structure", keep_collapsed=False)
    assert area_of(ours) == pytest.approx(shapely.area(peer), rel=1e-9, abs=1e-12)
    assert engine().engine("isSimple", ours, result="bool")


@pytest.mark.parametrize("seed", SEEDS)
def test_is_simple_is_shapely_validity_with_clockwise_outer_rings(seed):
    rng = random.Random(seed)
    ring = random_ring(rng, rng.randint(3, 6))
    polygon = Polygon(ring)
    if rng.random() < 0.5 and polygon.is_valid:
        polygon = orient(polygon, sign=-1.0)  # clockwise: the valid form here
        ring = list(polygon.exterior.coords)[:-1]
    expected = polygon.is_valid and not polygon.exterior.is_ccw
    assert engine().engine("isSimple", {"rings": [ring]}, result="bool") == expected, ring


def test_cut_square_pieces_cover_it_left_then_right():
    pieces = engine().engine("cut", {"rings": [[[0, 0], [0, 2], [2, 2], [2, 0]]]}, {"paths": [[[1, -1], [1, 3]]]},
                             result="array")
    assert [shapely.centroid(Polygon(p["rings"][0])).x for p in pieces] == [0.5, 1.5]


BAD = [float("nan"), float("inf"), -float("inf")]
HOSTILE = [
    {"paths": [[[0, 0], [x, 1]]]} for x in BAD
] + [
    {"rings": [[[0, 0], [0, x], [2, 2], [2, 0]]]} for x in BAD
] + [
    {"rings": []}, {"paths": []}, {"points": []}, {"x": float("nan"), "y": float("nan")},
    {"paths": [[[1e300, -1e300], [-1e300, 1e300]]]},
    {"rings": [[[1e300, 1e300], [1e300, -1e300], [-1e300, -1e300]]]},
    {"rings": [[[0, 0], [0, 0], [0, 0]]]}, {"paths": [[[3, 3]]]},
]
LINE = {"paths": [[[-5, 1], [5, 1]]]}


def finite_everywhere(result):
    if result is None:
        return True
    numbers = []
    for key in ("paths", "rings"):
        for part in result.get(key, []):
            numbers += [c for point in part for c in point[:2]]
    numbers += [c for point in result.get("points", []) for c in point[:2]]
    return all(n is not None and math.isfinite(n) for n in numbers)


@pytest.mark.parametrize("geometry", HOSTILE)
def test_hostile_input_gives_a_result_or_an_error(geometry):
    e = engine()
    calls = [
        lambda: e.engine("simplify", geometry),
        lambda: e.engine("offset", geometry, 1.0, Int32(2), 0.0, 0.0),
        lambda: e.engine("extend", geometry, LINE, Int32(0)),
        lambda: e.engine("extend", LINE, geometry, Int32(0)),
        lambda: e.engine("reshape", geometry, LINE),
        lambda: e.engine("cut", geometry, LINE, result="array"),
        lambda: e.engine("cut", LINE, geometry, result="array"),
    ]
    finite_input = finite_everywhere(geometry)
    for call in calls:
        try:
            result = call()
        except EngineError:
            continue
        for piece in result if isinstance(result, list) else [result]:
            if finite_input:
                assert finite_everywhere(piece), (geometry, piece)
    # isSimple never fails, and is false for coordinates that are not finite.
    simple = e.engine("isSimple", geometry, result="bool")
    if not finite_input:
        assert not simple
    existing = e.vector([geometry] if "rings" in geometry or "paths" in geometry else [], "geometry")
    lines = e.vector([LINE], "geometry")
    try:
        faces = e.engine("autoComplete", existing, lines, result="array")
    except EngineError:
        return
    assert all(finite_everywhere(face) for face in faces) or not finite_input


def test_offset_by_a_huge_distance_is_refused_rather_than_infinite():
    with pytest.raises(EngineError):
        engine().engine("offset", {"rings": [[[0, 0], [0, 1], [1, 1], [1, 0]]]}, 1.7e308, Int32(0), 0.0, 0.0)


@pytest.mark.parametrize("seed", SEEDS)
def test_cut_pieces_are_shapely_split_pieces_on_their_sides(seed):
    rng = random.Random(seed)
    hull = shapely.convex_hull(shapely.MultiPoint(random_ring(rng, 8)))
    polygon = orient(hull, sign=-1.0)
    angle = rng.uniform(0, 2 * math.pi)
    cx, cy = hull.centroid.x + rng.uniform(-1, 1), hull.centroid.y + rng.uniform(-1, 1)
    ux, uy = math.cos(angle), math.sin(angle)
    cutter = [(cx - 20 * ux, cy - 20 * uy), (cx + 20 * ux, cy + 20 * uy)]
    pieces = engine().engine("cut", {"rings": [list(polygon.exterior.coords)]}, {"paths": [cutter]},
                             result="array")
    peer = shapely.ops.split(polygon, LineString(cutter))
    assert sorted(area_of(p) for p in pieces) == pytest.approx(sorted(g.area for g in peer.geoms), rel=1e-9)
    assert len(pieces) == 2
    sides = []
    for piece in pieces:
        centre = Polygon(piece["rings"][0]).centroid
        sides.append(ux * (centre.y - cy) - uy * (centre.x - cx) > 0)
    assert sides == [True, False]  # left first


def test_an_offset_too_small_to_move_a_coordinate_gives_the_input_back():
    # GEOS cuts such an offset into more pieces than it can hold and fails, losing memory on the way.
    lines = {"paths": [[[0, 0], [10, 10], [20, 0]], [[0, 5], [20, 5]]]}
    for distance in (1e-300, -1e-300, 5e-324, 1e-15):
        assert engine().engine("offset", lines, distance, Int32(0), 4.0, 0.02) == lines
    moved = engine().engine("offset", lines, 1e-9, Int32(0), 4.0, 0.02)
    assert moved["paths"][1] == [[0, 5 - 1e-9], [20, 5 - 1e-9]]
