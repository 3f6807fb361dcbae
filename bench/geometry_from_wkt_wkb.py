"""Geometry.from_wkb and Geometry.from_wkt against shapely reading the same inputs, and against the
old road through the OvraJSON dictionary and the factory, in one run.

Inputs: 50,000 polygons of 13 vertices (12 distinct and the closing one), as WKB bytes and WKT texts.
shapely is timed two ways: one vectorized call over the whole array, and one call per input as a
program reading records one by one makes them. Ratio: our time / shapely's (below 1 means we are
faster).
Run: .venv/bin/python bench/geometry_from_wkt_wkb.py [--repeat N]
"""

import argparse
import math
import random

import shapely

from velmor_geometry import Geometry, utils

from timing import best_of


def polygons(rng, count=50_000, vertices=12):
    texts = []
    for _ in range(count):
        cx, cy = rng.uniform(-170, 170), rng.uniform(-80, 80)
        ring = [(cx + math.cos(-2 * math.pi * k / vertices) * rng.uniform(0.5, 1.0),
                 cy + math.sin(-2 * math.pi * k / vertices) * rng.uniform(0.5, 1.0)) for k in range(vertices)]
        ring.append(ring[0])
        texts.append("POLYGON ((" + ", ".join("%r %r" % p for p in ring) + "))")
    return texts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    wkts = polygons(random.Random(11))
    wkbs = list(shapely.to_wkb(shapely.from_wkt(wkts)))

    # Same shapes before timing anything.
    for wkb, wkt in zip(wkbs[:100], wkts[:100]):
        assert shapely.equals(shapely.from_wkb(Geometry.from_wkb(wkb).wkb), shapely.from_wkb(wkb))
        assert shapely.equals(shapely.from_wkb(Geometry.from_wkt(wkt).wkb), shapely.from_wkt(wkt))

    cases = [
        ("from_wkb", wkbs, Geometry.from_wkb, shapely.from_wkb, utils.wkb_to_ovrajson_dict),
        ("from_wkt", wkts, Geometry.from_wkt, shapely.from_wkt, utils.wkt_to_ovrajson_dict),
    ]
    print("50,000 13-vertex polygons; times in ms; ratio = ours / shapely")
    print("%-10s %10s %14s %14s %10s %10s %16s" % ("", "ours", "shapely array", "shapely loop", "vs array",
                                                  "vs loop", "through dicts"))
    for name, inputs, ours, peer, to_dict in cases:
        ours_time = best_of(args.repeat, lambda: [ours(item) for item in inputs])
        array_time = best_of(args.repeat, lambda: peer(inputs))
        loop_time = best_of(args.repeat, lambda: [peer(item) for item in inputs])
        dict_time = best_of(args.repeat, lambda: [Geometry(to_dict(item)) for item in inputs])
        print("%-10s %10.1f %14.1f %14.1f %9.2fx %9.2fx %16.1f" % (
            name, ours_time * 1e3, array_time * 1e3, loop_time * 1e3, ours_time / array_time,
            ours_time / loop_time, dict_time * 1e3))


if __name__ == "__main__":
    main()
