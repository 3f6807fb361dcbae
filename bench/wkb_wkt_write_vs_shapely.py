"""Writes the same linear geometries as WKB and WKT with velmor_geometry (the `wkb` and `wkt`
properties) and with shapely (to_wkb, to_wkt), in the same run, and prints seconds for each side and
the ratio shapely / ours (above 1: we are faster).

Workloads:
- small: 20,000 geometries of 5 to 10 vertices (points, lines, polygons), written one by one in a Python
  loop on both sides (the way an application writes rows), and shapely's vectorized call on an array as a
  second reference;
- large: one polyline of 1,000,000 vertices and one multipolygon of 100 polygons of 2,000 vertices.

shapely writes ISO WKB, little-endian, in the output dimension of the geometry. Its to_wkt rounds to 6
decimals by default; ours writes the shortest digits that read back to the same double, so the WKT
rows compare with shapely at full precision (rounding_precision=-1, 17 significant digits), the
default shown beside it.

Run: .venv/bin/python bench/wkb_wkt_write_vs_shapely.py [--repeat N] [--small N]
"""

import argparse
import math
import random

import numpy as np
import shapely

from velmor_geometry import Geometry

from timing import best_of


def small_geometries(rng, count):
    ours, theirs = [], []
    for i in range(count):
        kind = i % 3
        cx, cy = rng.uniform(-1e5, 1e5), rng.uniform(-1e5, 1e5)
        if kind == 0:
            ours.append(Geometry({"x": cx, "y": cy}))
            theirs.append(shapely.Point(cx, cy))
            continue
        n = rng.randint(5, 10)
        pts = [(cx + rng.uniform(-10, 10), cy + rng.uniform(-10, 10)) for _ in range(n)]
        if kind == 1:
            ours.append(Geometry({"paths": [pts]}))
            theirs.append(shapely.LineString(pts))
        else:
            ring = [(cx + 10 * math.cos(-k * 2 * math.pi / n), cy + 10 * math.sin(-k * 2 * math.pi / n)) for k in range(n)]
            ring.append(ring[0])
            ours.append(Geometry({"rings": [ring]}))
            theirs.append(shapely.Polygon(ring))
    return ours, theirs


def large_geometries(rng):
    line = [(k * 0.37, rng.uniform(-1e4, 1e4)) for k in range(1_000_000)]
    rings = []
    for i in range(100):
        cx, cy = (i % 10) * 100.0, (i // 10) * 100.0
        ring = [(cx + 45 * math.cos(-k * 2 * math.pi / 2000) * rng.uniform(0.95, 1),
                 cy + 45 * math.sin(-k * 2 * math.pi / 2000) * rng.uniform(0.95, 1)) for k in range(2000)]
        rings.append(ring + [ring[0]])
    return [
        ("polyline 1M vertices", Geometry({"paths": [line]}), shapely.LineString(line)),
        ("multipolygon 200k vertices", Geometry({"rings": rings}), shapely.MultiPolygon([shapely.Polygon(r) for r in rings])),
    ]


def row(label, ours, theirs):
    print(f"{label:<48} ours {ours:10.6f} s   shapely {theirs:10.6f} s   ratio {theirs / ours:6.2f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--small", type=int, default=20_000)
    args = parser.parse_args()
    rng = random.Random(7)

    ours, theirs = small_geometries(rng, args.small)
    array = np.array(theirs, dtype=object)
    assert all(shapely.to_wkb(t, flavor="iso", byte_order=1) == o.wkb for o, t in zip(ours, theirs))
    print(f"small: {args.small} geometries, one call each")
    wkb_ours = best_of(args.repeat, lambda: [g.wkb for g in ours])
    row("wkb, loop vs to_wkb loop", wkb_ours, best_of(args.repeat, lambda: [shapely.to_wkb(g) for g in theirs]))
    row("wkb, loop vs to_wkb on the array", wkb_ours, best_of(args.repeat, lambda: shapely.to_wkb(array)))
    wkt_ours = best_of(args.repeat, lambda: [g.wkt for g in ours])
    row("wkt, loop vs to_wkt(-1) loop", wkt_ours,
        best_of(args.repeat, lambda: [shapely.to_wkt(g, rounding_precision=-1) for g in theirs]))
    row("wkt, loop vs to_wkt(-1) on the array", wkt_ours,
        best_of(args.repeat, lambda: shapely.to_wkt(array, rounding_precision=-1)))
    row("wkt, loop vs to_wkt default (6 decimals) loop", wkt_ours,
        best_of(args.repeat, lambda: [shapely.to_wkt(g) for g in theirs]))

    for label, g, t in large_geometries(rng):
        assert shapely.to_wkb(t, flavor="iso", byte_order=1) == g.wkb
        print(f"large: {label}")
        row("wkb vs to_wkb", best_of(args.repeat, lambda: g.wkb), best_of(args.repeat, lambda: shapely.to_wkb(t)))
        wkt = best_of(args.repeat, lambda: g.wkt)
        row("wkt vs to_wkt(-1)", wkt, best_of(args.repeat, lambda: shapely.to_wkt(t, rounding_precision=-1)))
        row("wkt vs to_wkt default (6 decimals)", wkt, best_of(args.repeat, lambda: shapely.to_wkt(t)))


if __name__ == "__main__":
    main()
