"""Editing functions of the planar engine against shapely on generated inputs: clip, convex hull,
densify, generalize and boundary."""

import math
import os
import random
import subprocess
import sys

import pytest
import shapely
import shapely.affinity
from shapely.geometry import LineString, MultiLineString, MultiPoint, Polygon

from geokern_engine import EngineError, engine

SEEDS = range(40)


def star(rng, cx, cy, radius, count):
    """A simple polygon's ring: vertices at increasing angles around a centre, closed."""
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(count))
    ring = [(cx + radius * rng.uniform(0.3, 1) * math.cos(a), cy + radius * rng.uniform(0.3, 1) * math.sin(a))
            for a in angles]
    return ring + [ring[0]]


def ring_area2(ring):
    return sum(x1 * y2 - x2 * y1 for (x1, y1), (x2, y2) in zip(ring, ring[1:]))


def polygon_area(result):
    """Area of an OvraJSON polygon whose outer rings run clockwise and holes counter-clockwise."""
    return -sum(ring_area2(ring) for ring in result.get("rings", [])) / 2


def path_length(result):
    return sum(math.dist(a[:2], b[:2]) for path in result.get("paths", []) for a, b in zip(path, path[1:]))


def random_path(rng, count, scale=100.0):
    return [(rng.uniform(-scale, scale), rng.uniform(-scale, scale)) for _ in range(count)]


def random_box(rng):
    x0, x1 = sorted(rng.uniform(-60, 60) for _ in range(2))
    y0, y1 = sorted(rng.uniform(-60, 60) for _ in range(2))
    return x0, y0, x1, y1


@pytest.mark.parametrize("seed", SEEDS)
def test_clip_polygon_area_matches_clip_by_rect(seed):
    rng = random.Random(seed)
    shell = star(rng, 0, 0, 80, rng.randint(3, 30))
    hole = [(0.2 * x, 0.2 * y) for x, y in shell]  # each vertex pulled towards its centre
    box = random_box(rng)
    ours = engine().engine("clip", {"rings": [shell[::-1], hole]}, dict(zip(("xmin", "ymin", "xmax", "ymax"), box)))
    peer = Polygon(shell, [hole])
    if not peer.is_valid:
        # Where the star's edges pass closer to its centre than the hole reaches, the hole crosses them:
        # such a polygon is clipped in its repaired form, as the overlays take it.
        peer = shapely.make_valid(peer, method="structure", keep_collapsed=False)
    theirs = shapely.clip_by_rect(peer, *box)
    assert polygon_area(ours) == pytest.approx(theirs.area, rel=1e-9, abs=1e-9)


@pytest.mark.parametrize("seed", SEEDS)
def test_clip_polyline_length_matches_clip_by_rect(seed):
    rng = random.Random(seed)
    paths = [random_path(rng, rng.randint(2, 12)) for _ in range(rng.randint(1, 4))]
    box = random_box(rng)
    ours = engine().engine("clip", {"paths": paths}, dict(zip(("xmin", "ymin", "xmax", "ymax"), box)))
    theirs = shapely.clip_by_rect(MultiLineString(paths), *box)
    assert path_length(ours) == pytest.approx(theirs.length, rel=1e-9, abs=1e-9)


def grid_polygons(rng, count):
    """Simple polygons with vertices on a small integer grid, outer ring clockwise: clip boxes on the same
    grid then pass through vertices and along edges, where pieces inside a box meet at a point."""
    made = []
    while len(made) < count:
        ring = [(rng.randint(0, 6), rng.randint(0, 6)) for _ in range(rng.randint(4, 9))]
        peer = Polygon(ring)
        if peer.is_valid and peer.area > 0 and len(set(ring)) == len(ring):
            made.append(shapely.geometry.polygon.orient(peer, sign=-1.0))
    return made


@pytest.mark.parametrize("seed", range(4))
def test_clipped_polygons_are_simple(seed):
    rng = random.Random(seed)
    for peer in grid_polygons(rng, 60):
        (x0, x1), (y0, y1) = sorted(rng.sample(range(-1, 8), 2)), sorted(rng.sample(range(-1, 8), 2))
        box = {"xmin": x0, "ymin": y0, "xmax": x1, "ymax": y1}
        ours = engine().engine("clip", {"rings": [list(peer.exterior.coords)]}, box)
        assert engine().engine("isSimple", ours, result="bool"), (list(peer.exterior.coords), box, ours)
        assert polygon_area(ours) == pytest.approx(shapely.clip_by_rect(peer, x0, y0, x1, y1).area, abs=1e-12)


def test_clip_keeps_pieces_that_meet_at_a_point_apart():
    # Above y = 1 the polygon is two triangles that meet at (1, 1); they are two rings, as the overlay gives.
    ours = engine().engine("clip", {"rings": [[[0, 0], [0, 2], [1, 1], [2, 2], [2, 0], [0, 0]]]},
                           {"xmin": -1, "ymin": 1, "xmax": 3, "ymax": 3})
    assert len(ours["rings"]) == 2
    assert shapely.equals(Polygon(ours["rings"][0]).union(Polygon(ours["rings"][1])),
                          shapely.MultiPolygon([Polygon([(0, 1), (0, 2), (1, 1)]), Polygon([(1, 1), (2, 2), (2, 1)])]))


@pytest.mark.parametrize("seed", SEEDS)
def test_convex_hull_area_matches(seed):
    rng = random.Random(seed)
    points = random_path(rng, rng.randint(3, 60))
    ours = engine().engine("convexHull", {"points": points})
    theirs = MultiPoint(points).convex_hull
    assert polygon_area(ours) == pytest.approx(theirs.area, rel=1e-12)
    ring = ours["rings"][0]
    assert ring_area2(ring) < 0  # clockwise
    assert {tuple(p) for p in ring} == set(theirs.exterior.coords)


def test_convex_hull_of_collinear_and_repeated_vertices():
    rng = random.Random(7)
    for _ in range(20):
        # Integer steps along the line keep the points exactly collinear.
        t = [rng.randint(-50, 50) for _ in range(rng.randint(2, 10))]
        if min(t) == max(t):
            t.append(min(t) + 1)
        points = [(1.0 + 2 * s, -3.0 + 0.5 * s) for s in t]
        ends = {points[t.index(min(t))], points[t.index(max(t))]}
        hull = engine().engine("convexHull", {"points": points})
        assert list(hull) == ["paths"] and len(hull["paths"]) == 1 and len(hull["paths"][0]) == 2
        assert {tuple(p) for p in hull["paths"][0]} == ends
    assert engine().engine("convexHull", {"points": [[4, 5]] * 3}) == {"x": 4, "y": 5}


@pytest.mark.parametrize("seed", SEEDS)
def test_densify_counts_match_segmentize(seed):
    rng = random.Random(seed)
    path = random_path(rng, rng.randint(2, 10))
    limit = rng.uniform(1, 60)
    ours = engine().engine("densify", {"paths": [path]}, limit)["paths"][0]
    theirs = shapely.segmentize(LineString(path), limit)
    assert len(ours) == len(theirs.coords)
    assert [v for p in ours for v in p] == pytest.approx([v for c in theirs.coords for v in c], abs=1e-9)
    assert max(math.dist(a, b) for a, b in zip(ours, ours[1:])) <= limit * (1 + 1e-12)


def test_densify_refuses_a_limit_that_is_not_positive():
    with pytest.raises(EngineError, match="maximum segment length"):
        engine().engine("densify", {"paths": [[[0, 0], [1, 1]]]}, 0.0)


@pytest.mark.parametrize("seed", SEEDS)
def test_generalize_paths_keep_the_vertices_shapely_keeps(seed):
    rng = random.Random(seed)
    # A wandering path, so that tolerances remove some vertices and keep others.
    x, y, path = 0.0, 0.0, []
    for _ in range(rng.randint(2, 80)):
        x += rng.uniform(0, 3)
        y += rng.uniform(-2, 2)
        path.append((x, y))
    tolerance = rng.choice([0.1, 0.5, 1.0, 3.0])
    ours = engine().engine("generalize", {"paths": [path]}, tolerance, False)["paths"][0]
    theirs = shapely.simplify(LineString(path), tolerance, preserve_topology=False)
    assert [tuple(p) for p in ours] == list(theirs.coords)


def zigzag(count):
    return [(float(i), float(i % 2)) for i in range(count)]


def spiral(count, turns=20):
    return [(t * math.cos(t), t * math.sin(t)) for t in (2 * math.pi * turns * k / count for k in range(count))]


def random_walk(count, seed=7):
    rng = random.Random(seed)
    x = y = 0.0
    path = []
    for _ in range(count):
        x, y = x + rng.uniform(-1, 1), y + rng.uniform(-1, 1)
        path.append((x, y))
    return path


def grid_walk(count, seed=5):
    """Vertices on a small grid, so that many of them lie at exactly the same distance from a segment."""
    rng = random.Random(seed)
    return [(float(rng.randint(0, 6)), float(rng.randint(0, 6))) for _ in range(count)]


# Lines whose sections give up one vertex at a time (a zigzag keeps every vertex, a spiral nearly every
# one), a random walk whose sections split near their middle, and a grid full of exact ties.
@pytest.mark.parametrize("path, tolerance", [
    (zigzag(3001), 0.5), (zigzag(3000), 1.5), (spiral(4000), 1e-3), (spiral(4000), 0.5), (random_walk(5000), 1.0),
    (grid_walk(2000), 0.0), (grid_walk(2000), 1.0), ([(1e12 + x, 1e12 + y) for x, y in random_walk(2000)], 0.5),
], ids=["zigzag", "zigzag beyond its height", "spiral", "coarse spiral", "random walk", "grid", "coarse grid",
        "far from the origin"])
def test_generalize_long_paths_keep_the_vertices_shapely_keeps(path, tolerance):
    ours = engine().engine("generalize", {"paths": [path]}, tolerance, False)["paths"][0]
    theirs = shapely.simplify(LineString(path), tolerance, preserve_topology=False)
    assert [tuple(p) for p in ours] == list(theirs.coords)


# Each section used to be searched vertex by vertex: 200,000 vertices of a zigzag took minutes.
GENERALIZE_LONG_LINES = """
import math
from velmor_geometry import Polyline
zigzag = [[float(i), float(i % 2)] for i in range(200_000)]
spiral = [[t * math.cos(t), t * math.sin(t)] for t in (2 * math.pi * 20 * k / 200_000 for k in range(200_000))]
kept = [len(Polyline({"paths": [path]}).generalize(tolerance).to_dict()["paths"][0])
        for path, tolerance in [(zigzag, 0.5), (spiral, 1e-3)]]
print(kept)
"""


def test_generalize_of_long_lines_that_peel_one_vertex_at_a_time_ends():
    finished = subprocess.run([sys.executable, "-c", GENERALIZE_LONG_LINES], capture_output=True, text=True,
                              env=dict(os.environ), timeout=300)
    assert finished.returncode == 0, finished.stderr
    zigzag_kept, spiral_kept = eval(finished.stdout)
    assert zigzag_kept == 200_000
    assert spiral_kept == len(shapely.simplify(LineString(spiral(200_000)), 1e-3, preserve_topology=False).coords)


@pytest.mark.parametrize("remove_degenerate_parts", [False, True])
def test_a_ring_that_collapses_is_dropped_whatever_the_flag(remove_degenerate_parts):
    square = {"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]], [[20, 20], [20, 30], [30, 30], [30, 20], [20, 20]]]}
    kept = engine().engine("generalize", square, 20, remove_degenerate_parts)
    assert kept == {"rings": []}
    partly = engine().engine("generalize", {"rings": square["rings"] + [[[0, 0], [0, 100], [100, 100], [100, 0], [0, 0]]]},
                             20, remove_degenerate_parts)
    assert partly == {"rings": [[[0, 0], [0, 100], [100, 100], [100, 0], [0, 0]]]}


@pytest.mark.parametrize("seed", SEEDS)
def test_boundary_of_polylines_matches_mod_two(seed):
    rng = random.Random(seed)
    # End points on a coarse grid, so that paths share ends one, two or three at a time.
    grid = [(float(i), float(j)) for i in range(3) for j in range(3)]
    paths = []
    for _ in range(rng.randint(1, 6)):
        start, end = rng.choice(grid), rng.choice(grid)
        middle = (rng.uniform(0, 2) + 0.01, rng.uniform(0, 2) + 0.01)
        paths.append([start, middle, end])
    ours = engine().engine("boundary", {"paths": paths})
    theirs = MultiLineString(paths).boundary
    assert sorted(tuple(p) for p in ours["points"]) == sorted((g.x, g.y) for g in theirs.geoms)
    assert len(ours["points"]) == len(set(tuple(p) for p in ours["points"]))


def test_boundary_of_polygons_is_their_rings():
    rng = random.Random(3)
    shell = star(rng, 0, 0, 10, 12)[::-1]
    result = engine().engine("boundary", {"rings": [shell]})
    assert result == {"paths": [[list(p) for p in shell]]}


@pytest.mark.parametrize("seed", SEEDS)
def test_rotate_and_scale_match_shapely_affinity(seed):
    rng = random.Random(seed)
    path = random_path(rng, rng.randint(2, 20))
    angle = rng.uniform(-720, 720)
    sx, sy = rng.choice([-1, 1]) * rng.uniform(0.1, 5), rng.choice([-1, 1]) * rng.uniform(0.1, 5)
    origin = (rng.uniform(-50, 50), rng.uniform(-50, 50))
    point = {"x": origin[0], "y": origin[1]}
    line = LineString(path)
    for ours, theirs in [
        (engine().engine("rotate", {"paths": [path]}, angle, point), shapely.affinity.rotate(line, angle, origin)),
        (engine().engine("scale", {"paths": [path]}, sx, sy, point), shapely.affinity.scale(line, sx, sy, 1, origin)),
        (engine().engine("rotate", {"paths": [path]}, angle, None), shapely.affinity.rotate(line, angle, "center")),
        (engine().engine("move", {"paths": [path]}, sx, sy), shapely.affinity.translate(line, sx, sy)),
    ]:
        got = [v for p in ours["paths"][0] for v in p]
        assert got == pytest.approx([v for c in theirs.coords for v in c], abs=1e-9)
