"""Builds 100,000 polygons (5 to 20 vertices each, every fifth with a hole) from dictionaries and writes
each one as text, with velmor_geometry and with shapely, and prints the time of each and the ratio
(peer time / our time: above 1 means we are faster).

Ours: `Polygon(d)` and `Geometry(d)` from OvraJSON-style dictionaries, text by `str()`.
Shapely: `shapely.geometry.shape(m)` from the same polygons as GeoJSON-like mappings, text by
`json.dumps(mapping(g))` and by `shapely.to_geojson`.

Memory: tracemalloc does not see allocations made in C or C++, so the script measures the resident
set size of the process (/proc/self/statm) before and after building N objects that stay alive, with
a full garbage collection before each reading, and divides the growth by the number of vertices. The
input dictionaries exist before the first reading and are not counted. RSS moves in whole pages and
the allocator keeps freed memory, so each side is measured in a fresh child process.

Run: .venv/bin/python bench/geometry_from_dicts.py [--count N] [--repeat N]
"""

import argparse
import gc
import json
import math
import os
import random
import subprocess
import sys

import shapely
from shapely.geometry import mapping, shape

import velmor_geometry
from velmor_geometry import Geometry, Polygon

from timing import best_of


def ring(rng, cx, cy, radius, count, clockwise):
    step = (-1 if clockwise else 1) * 2 * math.pi / count
    points = [[cx + radius * math.cos(k * step) * rng.uniform(0.8, 1.0),
               cy + radius * math.sin(k * step) * rng.uniform(0.8, 1.0)] for k in range(count)]
    return points + [list(points[0])]


def polygons(count, seed=11):
    """The same polygons as (OvraJSON dict, GeoJSON mapping) pairs; the first and last vertex of every
    ring are equal, as both forms expect."""
    rng = random.Random(seed)
    ovra, geojson = [], []
    for i in range(count):
        cx, cy = rng.uniform(-180, 180), rng.uniform(-90, 90)
        rings = [ring(rng, cx, cy, 1.0, rng.randint(4, 19), True)]
        if i % 5 == 0:
            rings.append(ring(rng, cx, cy, 0.3, rng.randint(4, 8), False))
        ovra.append({"rings": rings, "spatialReference": {"wkid": 4326}})
        geojson.append({"type": "Polygon", "coordinates": rings})
    return ovra, geojson


def vertex_count(dicts):
    return sum(len(r) for d in dicts for r in d["rings"])



def resident_bytes():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")


def memory_child(side, count):
    """Bytes of resident memory per vertex held by `count` live objects of one side."""
    ovra, geojson = polygons(count)
    build = {"ours": lambda: [Polygon(d) for d in ovra], "shapely": lambda: [shape(m) for m in geojson]}[side]
    gc.collect()
    before = resident_bytes()
    kept = build()
    gc.collect()
    after = resident_bytes()
    print((after - before) / vertex_count(ovra))
    del kept


def memory_per_vertex(side, count):
    output = subprocess.run([sys.executable, __file__, "--memory-child", side, "--count", str(count)],
                            check=True, capture_output=True, text=True).stdout
    return float(output)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=100_000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--memory-child", choices=["ours", "shapely"])
    args = parser.parse_args()
    if args.memory_child:
        memory_child(args.memory_child, args.count)
        return

    ovra, geojson = polygons(args.count)
    vertices = vertex_count(ovra)

    # Same polygons on both sides before timing anything.
    ours, peer = Polygon(ovra[0]), shape(geojson[0])
    assert json.loads(str(ours))["rings"] == [list(map(list, r.coords)) for r in [peer.exterior, *peer.interiors]]
    assert type(Geometry(ovra[0])) is Polygon

    built_ours = [Polygon(d) for d in ovra]
    built_peer = [shape(m) for m in geojson]
    cases = [
        ("build: Polygon(d)", lambda: [Polygon(d) for d in ovra], lambda: [shape(m) for m in geojson]),
        ("build: Geometry(d)", lambda: [Geometry(d) for d in ovra], lambda: [shape(m) for m in geojson]),
        ("text: str(g) / json.dumps(mapping(g))", lambda: [str(g) for g in built_ours],
         lambda: [json.dumps(mapping(g)) for g in built_peer]),
        ("text: str(g) / shapely.to_geojson(array)", lambda: [str(g) for g in built_ours],
         lambda: shapely.to_geojson(built_peer)),
        ("build + text", lambda: [str(Polygon(d)) for d in ovra],
         lambda: [json.dumps(mapping(shape(m))) for m in geojson]),
    ]
    print("%d polygons, %d vertices, velmor_geometry %s, shapely %s" % (
        args.count, vertices, velmor_geometry.__version__, shapely.__version__))
    print("%-44s %12s %12s %8s" % ("operation", "ours (ms)", "shapely (ms)", "ratio"))
    for name, run_ours, run_peer in cases:
        ours_time = best_of(args.repeat, run_ours)
        peer_time = best_of(args.repeat, run_peer)
        print("%-44s %12.1f %12.1f %7.2fx" % (name, ours_time * 1e3, peer_time * 1e3, peer_time / ours_time))

    print()
    print("resident memory per vertex of %d live polygons (process RSS growth, fresh process each):" % args.count)
    ours_bytes = memory_per_vertex("ours", args.count)
    peer_bytes = memory_per_vertex("shapely", args.count)
    print("%-44s %12.1f" % ("ours (bytes/vertex)", ours_bytes))
    print("%-44s %12.1f" % ("shapely (bytes/vertex)", peer_bytes))
    print("%-44s %11.2fx" % ("ours / shapely", ours_bytes / peer_bytes))


if __name__ == "__main__":
    main()
