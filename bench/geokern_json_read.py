"""Reads the same OvraJSON texts with geokern (GK_Geometry_fromJSON through ctypes) and with CPython's
json.loads, and prints the time of each and the ratio (json.loads time / geokern time: above 1 means
geokern is faster). geokern builds its geometry (columns, closed rings) besides parsing; json.loads
builds Python lists and dicts.

Inputs: one polygon of 1,000,000 vertices in ten rings, and 100,000 small point texts read one by one.
Run: .venv/bin/python bench/geokern_json_read.py [--library PATH] [--repeat N]
"""

import ctypes
import json
import math
import random

from geokern_library import arguments, load
from timing import best_of


SIGNATURES = {"Geometry_fromJSON": (ctypes.c_void_p, [ctypes.c_char_p]),
              "Geometry_toJSON": (ctypes.c_void_p, [ctypes.c_void_p]),
              "Geometry_destroy": (None, [ctypes.c_void_p]), "String_destroy": (None, [ctypes.c_void_p])}


def large_polygon(rng, rings=10, vertices=100_000):
    result = []
    for r in range(rings):
        cx, cy, radius = r * 1000.0, 0.0, 400.0
        ring = [[cx + radius * math.cos(2 * math.pi * k / vertices) * rng.uniform(0.99, 1.0),
                 cy + radius * math.sin(2 * math.pi * k / vertices) * rng.uniform(0.99, 1.0)]
                for k in range(vertices)]
        result.append(ring + [ring[0]])
    return json.dumps({"spatialReference": {"wkid": 3857}, "rings": result})


def small_points(rng, count=100_000):
    return [json.dumps({"x": rng.uniform(-180, 180), "y": rng.uniform(-90, 90), "spatialReference": {"wkid": 4326}})
            for _ in range(count)]


def main():
    args = arguments()
    geokern = load(args.library, SIGNATURES)
    rng = random.Random(8)

    polygon = large_polygon(rng)
    polygon_bytes = polygon.encode()
    points = small_points(rng)
    point_bytes = [text.encode() for text in points]

    def read_polygon():
        geometry = geokern.GK_Geometry_fromJSON(polygon_bytes, None)
        assert geometry, "geokern refused the polygon"
        geokern.GK_Geometry_destroy(geometry, None)

    def read_points():
        read, destroy = geokern.GK_Geometry_fromJSON, geokern.GK_Geometry_destroy
        for text in point_bytes:
            destroy(read(text, None), None)

    def loads_points():
        loads = json.loads
        for text in points:
            loads(text)

    rows = [
        ("polygon, 1e6 vertices (%.1f MB)" % (len(polygon_bytes) / 1e6), read_polygon, lambda: json.loads(polygon)),
        ("100,000 point texts", read_points, loads_points),
    ]
    print(f"{'input':<36}{'geokern s':>12}{'json.loads s':>14}{'ratio':>8}")
    for name, ours, peer in rows:
        ours_time, peer_time = best_of(args.repeat, ours), best_of(args.repeat, peer)
        print(f"{name:<36}{ours_time:>12.4f}{peer_time:>14.4f}{peer_time / ours_time:>8.2f}")


if __name__ == "__main__":
    main()
