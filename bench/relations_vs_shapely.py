"""Relations of big geometries beside shapely, in the same run: the eight predicates and `relate` with a
pattern, on pairs of polygons and of polylines of 500, 2,000 and 8,000 vertices each, in the relations
that decide how much work a relation takes.

Outlines are jagged (seeded random radii, paths jittered about a sine), so that overlapping outlines cross
many times, as real boundaries do. Polygons: overlapping, touching along an edge (a shared border of half their vertices), touching at a
point, disjoint with overlapping extents, one inside the other. Polylines: overlapping (sharing half of
their length), crossing (hundreds of proper crossings), touching at a point (one starts on a vertex of
the other), disjoint with overlapping extents, one inside the other (a piece of it).

Both sides build their geometries before timing and keep them (our engine keeps the converted form of a
geometry it has seen, shapely its GEOS geometry), so each figure is the relation alone. Each figure is
the best of `--repeat` runs. Prints milliseconds per call for ours, the ratio ours / shapely (below 1:
we are faster), and flags any answer that differs from shapely's. The last column, floor, is our time for
`a.disjoint(b moved far away)`, answered from the extents: the cost of taking both geometries to the
engine, which every call pays and which is not the relation's.

Run: .venv/bin/python bench/relations_vs_shapely.py [--sizes 500 2000 8000] [--repeat N]
"""

import argparse
import math
import random
import time

import shapely

from velmor_geometry import Polygon, Polyline

from timing import best_of

PREDICATES = ["contains", "crosses", "disjoint", "equals", "intersects", "overlaps", "touches", "within"]
PATTERN = "T*T***T**"


def jagged_ring(count, cx, cy, radius, seed, jitter=0.2):
    """A closed clockwise ring of `count` vertices around (cx, cy), each at a seeded random radius between
    (1 - jitter) and 1 times `radius`: a jagged outline whose edges cross another's many times."""
    rng = random.Random(seed)
    points = []
    for k in range(count):
        angle = -2 * math.pi * k / count
        r = radius * (1 - jitter * rng.random())
        points.append([cx + r * math.cos(angle), cy + r * math.sin(angle)])
    return points + [list(points[0])]


def border(count):
    """A jagged line from (10, 0) to (-10, 0), the shared edge of the two halves."""
    rng = random.Random(count)
    return [[10 - 20 * k / (count - 1), 0.0 if k in (0, count - 1) else 0.3 * rng.uniform(-1, 1)]
            for k in range(count)]


def half_disk(count, sign):
    """The half of a disk of radius 10 above (sign 1) or below (sign -1) the border, closed along it,
    clockwise."""
    half = count // 2
    arc = [[10 * math.cos(math.pi * k / half), sign * 10 * math.sin(math.pi * k / half)] for k in range(1, half)]
    ring = border(half) + arc[::-1] if sign > 0 else border(half)[::-1] + arc
    return ring + [list(ring[0])]


def polygon_pairs(n):
    yield "overlapping", jagged_ring(n, 0, 0, 10, 1), jagged_ring(n, 3, 1, 10, 2)
    yield "edge touch", half_disk(n, 1), half_disk(n, -1)
    a, b = jagged_ring(n, 0, 0, 10, 3, jitter=0), jagged_ring(n, 20, 0, 10, 4, jitter=0)
    a[0] = a[-1] = [10.0, 0.0]
    b[n // 2] = [10.0, 0.0]
    yield "point touch", a, b
    yield "disjoint", jagged_ring(n, 0, 0, 10, 5), jagged_ring(n, 9.5, 9.5, 2, 6)
    yield "inside", jagged_ring(n, 0, 0, 10, 7), jagged_ring(n, 0.5, 0.5, 5, 8)


def wave(count, x0, x1, seed, shift=0.0):
    """A jagged path along a sine from x0 to x1: each vertex jittered by up to 1 in y."""
    rng = random.Random(seed)
    xs = [x0 + (x1 - x0) * k / (count - 1) for k in range(count)]
    return [[x, 5 * math.sin(0.7 * x) + rng.uniform(-1, 1) + shift] for x in xs]


def line_pairs(n):
    a = wave(n, 0, 100, 1)
    yield "overlapping", a, a[n // 2:] + wave(n - n // 2 + 1, 100, 150, 2)[1:]
    yield "crossing", a, wave(n, 0, 100, 3)
    x, y = a[n // 3]
    rise = [[x, y + 10 + 10 * k / n] for k in range(n - 1)]
    yield "point touch", a, [[x, y]] + [[px + math.sin(k), py] for k, (px, py) in enumerate(rise)]
    yield "disjoint", a, [[px, py + 3] for px, py in a]
    yield "inside", a, a[n // 4: 3 * n // 4]


def far(ring_or_path):
    """The same vertices moved far away: a call answered from the extents alone."""
    return [[x + 1000, y] for x, y in ring_or_path]


def per_call(run, repeat):
    """Seconds per call of run(): enough calls to fill 20 ms, best of `repeat`."""
    calls, start = 0, time.perf_counter()
    while calls == 0 or time.perf_counter() - start < 0.02:
        run()
        calls += 1
    return best_of(repeat, lambda: [run() for _ in range(calls)]) / calls


def bench(kind, name, n, ours_a, ours_b, ours_far, peer_a, peer_b, repeat):
    floor = per_call(lambda: ours_a.disjoint(ours_far), repeat)
    cells = []
    for predicate in PREDICATES + ["relate"]:
        if predicate == "relate":
            ours = lambda: ours_a.relate(ours_b, PATTERN)
            peer = lambda: peer_a.relate_pattern(peer_b, PATTERN)
        else:
            ours = getattr(ours_a, predicate)
            peer = getattr(peer_a, predicate)
            ours, peer = (lambda o=ours: o(ours_b)), (lambda p=peer: p(peer_b))
        agree = ours() == peer()
        ours_time, peer_time = per_call(ours, repeat), per_call(peer, repeat)
        cells.append((ours_time, ours_time / peer_time, agree))
    label = f"{kind:8} {name:12} {n:>5}"
    print(label + " ms " + " ".join(f"{t * 1e3:9.3f}" for t, _, _ in cells) + f" {floor * 1e3:9.3f}")
    print(label + "  x " + " ".join(f"{r:8.2f}{'' if ok else '!'}" for _, r, ok in cells), flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sizes", type=int, nargs="+", default=[500, 2000, 8000])
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    print(f"shapely {shapely.__version__} (GEOS {shapely.geos_version_string}); pattern {PATTERN}")
    print("ms: ours per call; x: ours / shapely ('!' where the answers differ)")
    print(" " * 30 + "".join(f"{p:>10}" for p in PREDICATES + ["relate", "floor"]))
    for n in args.sizes:
        for name, a, b in polygon_pairs(n):
            bench("polygon", name, n, Polygon({"rings": [a]}), Polygon({"rings": [b]}), Polygon({"rings": [far(b)]}),
                  shapely.Polygon(a), shapely.Polygon(b), args.repeat)
        for name, a, b in line_pairs(n):
            bench("polyline", name, n, Polyline({"paths": [a]}), Polyline({"paths": [b]}),
                  Polyline({"paths": [far(b)]}), shapely.LineString(a), shapely.LineString(b), args.repeat)


if __name__ == "__main__":
    main()
