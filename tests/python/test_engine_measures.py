"""Planar measures, proximity and relations of the runtime core against shapely, on seeded random
simple polygons with holes, polylines and multipoints, with and without z."""

import json
import math
import random

import pytest

shapely = pytest.importorskip("shapely")
import shapely.affinity  # noqa: E402
from shapely import geometry as sg  # noqa: E402
from shapely import ops  # noqa: E402
from shapely.geometry.polygon import orient  # noqa: E402

from geokern_engine import EngineError, engine  # noqa: E402

RELATIONS = ["contains", "crosses", "disjoint", "equals", "intersects", "overlaps", "touches", "within"]


def close(a, b, rel=1e-9):
    return abs(a - b) <= rel * max(1.0, abs(a), abs(b))


# ---- generated inputs: each an OvraJSON dictionary with its shapely peer ----

def star(rng, cx, cy, radius, count, grid):
    """A ring around (cx, cy) by angle, vertices snapped to the grid when given."""
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(count))
    ring = []
    for a in angles:
        r = rng.uniform(0.5, 1.0) * radius
        x, y = cx + r * math.cos(a), cy + r * math.sin(a)
        if grid:
            x, y = round(x / grid) * grid, round(y / grid) * grid
        ring.append((x, y))
    return ring


def with_z(rng, coords, z):
    return [list(c) + [rng.uniform(-10, 10)] if z else list(c) for c in coords]


def random_polygon(rng, z, grid):
    while True:
        cx, cy, radius = rng.uniform(-40, 40), rng.uniform(-40, 40), rng.uniform(5, 40)
        shell = star(rng, cx, cy, radius, rng.randint(3, 12), grid)
        holes = []
        for k in range(rng.randint(0, 3)):
            a = 2 * math.pi * k / 3
            holes.append(star(rng, cx + 0.25 * radius * math.cos(a), cy + 0.25 * radius * math.sin(a),
                              0.1 * radius, rng.randint(3, 6), None))
        peer = sg.Polygon(shell, holes)
        if peer.is_valid and peer.area > 0:
            break
    # Outer ring clockwise, holes counter-clockwise, each ring closed on its first point.
    peer = orient(peer, sign=-1.0)
    rings = [with_z(rng, peer.exterior.coords, z)] + [with_z(rng, h.coords, z) for h in peer.interiors]
    return {"hasZ": z, "rings": rings}, peer


def random_polyline(rng, z, grid):
    """Paths that neither cross themselves nor each other: GEOS 3.11 (ours, for a line against a point or
    an area) nodes a self-crossing line at rounded crossing points, so its relations there differ from
    those of the newer GEOS in shapely (two lines are decided exactly, see the self-crossing cases below)."""
    while True:
        paths = []
        for _ in range(rng.randint(1, 2)):
            x, y = rng.uniform(-50, 50), rng.uniform(-50, 50)
            path = []
            for _ in range(rng.randint(2, 6)):
                if grid:
                    x, y = round(x / grid) * grid, round(y / grid) * grid
                path.append((x, y))
                x, y = x + rng.uniform(-30, 30), y + rng.uniform(-30, 30)
            paths.append(path)
        peer = sg.LineString(paths[0]) if len(paths) == 1 else sg.MultiLineString(paths)
        if peer.is_simple and all(sg.LineString(p).length > 0 for p in paths):
            return {"hasZ": z, "paths": [with_z(rng, p, z) for p in paths]}, peer


def random_multipoint(rng, z, grid):
    points = []
    for _ in range(rng.randint(1, 6)):
        x, y = rng.uniform(-50, 50), rng.uniform(-50, 50)
        if grid:
            x, y = round(x / grid) * grid, round(y / grid) * grid
        points.append((x, y))
    return {"hasZ": z, "points": with_z(rng, points, z)}, sg.MultiPoint(points)


MAKERS = [random_polygon, random_polyline, random_multipoint]


def random_geometry(rng):
    maker = rng.choice(MAKERS)
    return maker(rng, rng.random() < 0.3, rng.choice([None, None, 5.0]))


def value_of(peer, rng, z):
    """The OvraJSON dictionary of a shapely polygon, line or multipoint (z drawn at random)."""
    if peer.geom_type == "Polygon":
        peer = orient(peer, sign=-1.0)
        return {"hasZ": z, "rings": [with_z(rng, r.coords, z) for r in [peer.exterior, *peer.interiors]]}
    if peer.geom_type in ("LineString", "MultiLineString"):
        lines = [peer] if peer.geom_type == "LineString" else peer.geoms
        return {"hasZ": z, "paths": [with_z(rng, line.coords, z) for line in lines]}
    return {"hasZ": z, "points": with_z(rng, [(p.x, p.y) for p in peer.geoms], z)}


def partner(rng, a, kind):
    """A geometry made from `a` so that equality and touching happen: `a` itself, a piece of its
    boundary, or its mirror image in the vertical line through its rightmost x."""
    value, peer = a
    z = rng.random() < 0.3
    if kind == 0:
        return a
    if kind == 1:
        coords = list((peer.exterior if peer.geom_type == "Polygon" else peer.geoms[0] if hasattr(peer, "geoms")
                       else peer).coords)
        piece = sg.LineString(coords[:3]) if len(coords) >= 2 else sg.MultiPoint(coords)
        return value_of(piece, rng, z), piece
    mirrored = shapely.affinity.scale(peer, xfact=-1.0, yfact=1.0, origin=(peer.bounds[2], 0.0))
    return value_of(mirrored, rng, z), mirrored


def pairs(seed, count):
    """Random pairs, and pairs made from one geometry (see partner)."""
    rng = random.Random(seed)
    for i in range(count):
        a = random_geometry(rng)
        yield a, partner(rng, a, i % 10) if i % 10 < 3 else random_geometry(rng)


# ---- measures ----

@pytest.mark.parametrize("seed", range(4))
def test_area_and_length_match_shapely(seed):
    rng = random.Random(seed)
    for _ in range(100):
        value, peer = random_geometry(rng)
        assert close(engine().engine("area", value, result="double"), peer.area), value
        assert close(engine().engine("length", value, result="double"), peer.length), value


@pytest.mark.parametrize("seed", range(4))
def test_distance_matches_shapely(seed):
    for (a, pa), (b, pb) in pairs(100 + seed, 100):
        assert close(engine().engine("distance", a, b, result="double"), pa.distance(pb)), (a, b)
    x, y = 3.25, -7.5
    for (a, pa), _ in pairs(200 + seed, 50):
        point = {"x": x, "y": y}
        assert close(engine().engine("distance", point, a, result="double"), pa.distance(sg.Point(x, y)))


def test_empty_inputs_measure_nothing():
    line = {"paths": [[[0, 0], [1, 1]]]}
    assert math.isnan(engine().engine("distance", {"paths": []}, line, result="double"))
    assert engine().engine("area", {"rings": []}, result="double") == 0.0
    assert engine().engine("length", {"paths": []}, result="double") == 0.0


# ---- proximity ----

@pytest.mark.parametrize("seed", range(3))
def test_nearest_coordinate_matches_shapely(seed):
    rng = random.Random(300 + seed)
    for _ in range(100):
        value, peer = random_geometry(rng)
        x, y = rng.uniform(-60, 60), rng.uniform(-60, 60)
        result = engine().engine("nearestCoordinate", value, {"x": x, "y": y}, result="proximity")
        expected = peer.distance(sg.Point(x, y))
        assert close(result["distance"], expected), value
        found = result["coordinate"]
        assert close(math.hypot(found["x"] - x, found["y"] - y), expected)
        nearest = ops.nearest_points(peer, sg.Point(x, y))[0]
        assert math.hypot(found["x"] - nearest.x, found["y"] - nearest.y) <= 1e-9 * max(1.0, expected), value
        if expected == 0.0 and "rings" in value:
            assert (result["part"], result["point"]) == (-1, -1)


@pytest.mark.parametrize("seed", range(3))
def test_nearest_vertex_is_the_nearest_of_all_vertices(seed):
    rng = random.Random(400 + seed)
    for _ in range(100):
        value, _ = random_geometry(rng)
        x, y = rng.uniform(-60, 60), rng.uniform(-60, 60)
        result = engine().engine("nearestVertex", value, {"x": x, "y": y}, result="proximity")
        parts = value.get("rings") or value.get("paths") or [value["points"]]
        best = min((math.hypot(c[0] - x, c[1] - y), p, i)
                   for p, part in enumerate(parts) for i, c in enumerate(part))
        assert close(result["distance"], best[0], 1e-15)
        assert (result["part"], result["point"]) == (best[1], best[2])
        vertex = parts[best[1]][best[2]]
        assert (result["coordinate"]["x"], result["coordinate"]["y"]) == (vertex[0], vertex[1])


@pytest.mark.parametrize("seed", range(3))
def test_positions_along_lines_match_shapely(seed):
    rng = random.Random(500 + seed)
    for _ in range(100):
        value, peer = random_polyline(rng, rng.random() < 0.5, None)
        if peer.geom_type != "LineString":
            continue
        share = rng.uniform(0.0, 1.1)
        point = engine().engine("createPointAlong", value, share * peer.length)
        expected = peer.interpolate(share * peer.length)
        assert math.hypot(point["x"] - expected.x, point["y"] - expected.y) <= 1e-9 * peer.length
        # Before the start is the start (shapely would count a negative distance from the end).
        before = engine().engine("createPointAlong", value, -share * peer.length - 1.0)
        assert [before["x"], before["y"]] == value["paths"][0][0][:2]
        x, y = rng.uniform(-60, 60), rng.uniform(-60, 60)
        fraction = engine().engine("fractionAlong", value, {"x": x, "y": y}, math.inf, result="double")
        assert close(fraction, peer.project(sg.Point(x, y), normalized=True)), value
        far = peer.distance(sg.Point(x, y))
        assert math.isnan(engine().engine("fractionAlong", value, {"x": x, "y": y}, 0.5 * far, result="double"))


def test_negative_tolerance_is_refused():
    with pytest.raises(EngineError, match="tolerance"):
        engine().engine("fractionAlong", {"paths": [[[0, 0], [1, 0]]]}, {"x": 0, "y": 0}, -1.0, result="double")


@pytest.mark.parametrize("seed", range(2))
def test_label_points_lie_inside(seed):
    rng = random.Random(600 + seed)
    for _ in range(50):
        value, peer = random_polygon(rng, False, None)
        label = engine().engine("labelPoint", value)
        assert peer.contains(sg.Point(label["x"], label["y"])), value


# ---- relations ----

@pytest.mark.parametrize("seed", range(6))
def test_relations_match_shapely(seed):
    for (a, pa), (b, pb) in pairs(700 + seed, 150):
        for name in RELATIONS:
            assert engine().engine(name, a, b, result="bool") == getattr(pa, name)(pb), (name, a, b)


def area_peer(rings):
    """Clockwise rings are outer rings; the others are holes of the only outer ring."""
    outer = [ring for ring in rings if not sg.LinearRing(ring).is_ccw]
    if len(outer) > 1:
        return sg.MultiPolygon([sg.Polygon(ring) for ring in outer])
    return sg.Polygon(outer[0], [ring for ring in rings if sg.LinearRing(ring).is_ccw])


SQUARE = [[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]]
SQUARE_WITH_HOLE = [SQUARE, [[3, 3], [7, 3], [7, 7], [3, 7], [3, 3]]]


# Two areas are found to meet from the first vertex of a ring of one lying in or on the other; these
# pairs put that vertex on edges, vertices and holes, or leave it outside while the edges cross.
@pytest.mark.parametrize("rings_a, rings_b", [
    ([SQUARE], [[[10, 5], [15, 8], [15, 2], [10, 5]]]),  # on a vertical edge
    ([SQUARE], [[[5, 10], [2, 15], [8, 15], [5, 10]]]),  # on a horizontal edge
    ([SQUARE], [[[10, 10], [12, 15], [15, 12], [10, 10]]]),  # on a corner
    ([SQUARE], [[[10.5, 5], [15, 8], [15, 2], [10.5, 5]]]),  # beside an edge
    (SQUARE_WITH_HOLE, [[[4, 4], [4, 6], [6, 4], [4, 4]]]),  # inside the hole
    (SQUARE_WITH_HOLE, [[[5, 7], [6, 5], [4, 5], [5, 7]]]),  # on the hole's edge
    (SQUARE_WITH_HOLE, [[[2, 2], [2, 8], [8, 8], [8, 2], [2, 2]]]),  # holds the hole's first vertex
    ([SQUARE], [[[2, 2], [2, 3], [3, 2], [2, 2]]]),  # inside, away from the edges
    ([[[0, 5], [5, 10], [10, 5], [5, 0], [0, 5]]], [[[3, 5], [4, 6], [4, 4], [3, 5]]]),  # ray through a vertex
    ([[[0, 5], [5, 10], [10, 5], [5, 0], [0, 5]]], [[[-1, 5], [0, 9], [2, 9], [-1, 5]]]),  # ray through both
    ([[[0, 4], [0, 6], [10, 6], [10, 4], [0, 4]]], [[[4, 0], [4, 10], [6, 10], [6, 0], [4, 0]]]),  # a cross
    ([[[0, 0], [0, 10], [3, 10], [3, 3], [10, 3], [10, 0], [0, 0]]],
     [[[5, 5], [5, 9], [9, 9], [9, 5], [5, 5]]]),  # in the bend of an L
    ([SQUARE, [[20, 0], [20, 10], [30, 10], [30, 0], [20, 0]]], [[[12, 4], [12, 6], [25, 6], [25, 4], [12, 4]]]),
    (SQUARE_WITH_HOLE, [[[5, 4], [4, 4.5], [4, 5], [4, 5.5], [5, 6], [6, 5.5], [6, 5], [6, 4.5], [5, 4]]]),
])
def test_areas_meet_where_shapely_says_they_do(rings_a, rings_b):
    a, b = {"rings": rings_a}, {"rings": rings_b}
    pa, pb = area_peer(rings_a), area_peer(rings_b)
    for first, second, peer_first, peer_second in ((a, b, pa, pb), (b, a, pb, pa)):
        expected = peer_first.intersects(peer_second)
        assert engine().engine("intersects", first, second, result="bool") == expected, (first, second)
        assert engine().engine("disjoint", first, second, result="bool") == (not expected), (first, second)


# Lines that cross themselves at a vertex, against a piece of themselves: GEOS 3.11's relate nodes the
# line at rounded crossing points and finds the piece partly outside it (contains false); the engine
# decides these pairs exactly before GEOS is asked, as the newer GEOS in shapely does.
@pytest.mark.parametrize("line, piece", [
    ("LINESTRING (1 0, 0 2, 0 0, 2 2)", "LINESTRING (0 0, 2 2)"),
    ("LINESTRING (25 -5, 5 20, -15 0, 10 20, 15 5, 0 0)", "LINESTRING (25 -5, 5 20)"),
    ("LINESTRING (40 15, 55 0, 25 -15, 50 -10, 25 5)", "LINESTRING (55 0, 25 -15)"),
    ("LINESTRING (0 -45, -10 -30, -20 -55, 0 -30, -5 -40)", "LINESTRING (-20 -55, 0 -30)"),
    ("MULTILINESTRING ((30 -10, 10 -5, 40 -10), (25 -15, 20 15))", "LINESTRING (30 -10, 10 -5)"),
    ("MULTILINESTRING ((25 50, 50 65, 55 45, 45 40, 50 70), (45 -15, 60 -5, 75 -25, 100 -45))",
     "LINESTRING (25 50, 50 65)"),
])
def test_self_crossing_lines_relate_as_shapely(line, piece):
    peer_line, peer_piece = shapely.from_wkt(line), shapely.from_wkt(piece)
    a = {"paths": [list(map(list, part.coords)) for part in getattr(peer_line, "geoms", [peer_line])]}
    b = {"paths": [list(map(list, peer_piece.coords))]}
    for first, second, peer_first, peer_second in ((a, b, peer_line, peer_piece), (b, a, peer_piece, peer_line)):
        for name in RELATIONS:
            expected = getattr(peer_first, name)(peer_second)
            assert engine().engine(name, first, second, result="bool") == expected, name
        assert engine().engine("relate", first, second, peer_first.relate(peer_second), result="bool")
    assert engine().engine("contains", a, b, result="bool")


# GEOS 3.11 relates a line without length as if it were empty (even to itself), and the newer GEOS in
# shapely answers disjoint for it where its own matrix says the two intersect: the engine takes such a
# line for its point.
@pytest.mark.parametrize("other", [
    {"x": 3, "y": 4}, {"points": [[3, 4], [5, 5]]}, {"paths": [[[3, 4], [3, 4]]]}, {"paths": [[[0, 4], [6, 4]]]},
    {"paths": [[[3, 4], [9, 9]]]}, {"rings": [[[0, 0], [0, 8], [8, 8], [8, 0], [0, 0]]]}])
def test_lines_without_length_relate_as_their_point(other):
    line = {"paths": [[[3, 4], [3, 4], [3, 4]]]}
    point = sg.Point(3, 4)
    other_peer = shapely.from_geojson(json.dumps(geojson_of(other)))
    if other_peer.length == 0 and other_peer.geom_type == "MultiLineString":
        other_peer = point
    for name in RELATIONS:
        assert engine().engine(name, line, other, result="bool") == getattr(point, name)(other_peer), name
        assert engine().engine(name, other, line, result="bool") == getattr(other_peer, name)(point), name
    assert engine().engine("relate", line, other, point.relate(other_peer), result="bool")


def geojson_of(value):
    if "x" in value:
        return {"type": "Point", "coordinates": [value["x"], value["y"]]}
    if "points" in value:
        return {"type": "MultiPoint", "coordinates": value["points"]}
    if "paths" in value:
        return {"type": "MultiLineString", "coordinates": value["paths"]}
    return {"type": "Polygon", "coordinates": value["rings"]}


@pytest.mark.parametrize("seed", range(4))
def test_relate_patterns_match_shapely(seed):
    rng = random.Random(800 + seed)
    for (a, pa), (b, pb) in pairs(900 + seed, 100):
        matrix = pa.relate(pb)
        # A pattern that matches the matrix, loosened at random, and the same with one cell changed.
        loose = "".join(rng.choice([c, "*", "T" if c != "F" else "F"]) for c in matrix)
        cell = rng.randrange(9)
        other = rng.choice([c for c in "TF012*" if c != loose[cell]])
        for pattern in (loose, loose[:cell] + other + loose[cell + 1:]):
            got = engine().engine("relate", a, b, pattern, result="bool")
            assert got == pa.relate_pattern(pb, pattern), (pattern, matrix, a, b)
