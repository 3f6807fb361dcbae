"""Geodetic area and length through the Python module against pyproj's Geod on the same coordinates, in the
same run. Prints seconds for each side and the ratio pyproj / ours (above 1: we are faster).

Two workloads, each of 100,000 points in all:
- one: a single polygon ring and a single polyline of 100,000 points each;
- many: 10,000 polygons and 10,000 polylines of 10 points each, one call per geometry on both sides.

Both sides build their inputs before timing (ours Geometry objects, pyproj numpy arrays).

Run: .venv/bin/python bench/geodesy_vs_pyproj.py [--repeat N]
"""

import argparse
import math
import random

import numpy as np
from pyproj import Geod

import velmor_geometry as vg
from timing import best_of

GEOD = Geod(ellps="WGS84")
GEODESIC = vg.GeodeticCurveType.Geodesic
TOTAL_POINTS = 100_000


def star(rng, count):
    """A clockwise ring of `count` vertices around a random centre, within 5 degrees of it."""
    lon0, lat0 = rng.uniform(-175, 175), rng.uniform(-80, 80)
    ring = []
    for k in range(count):
        angle = -2 * math.pi * k / count
        r = rng.uniform(2.5, 5.0)
        ring.append((lon0 + r * math.cos(angle), max(-89.9, min(89.9, lat0 + r * math.sin(angle)))))
    return ring


def inputs(rng, geometries, points_each):
    rings = [star(rng, points_each) for _ in range(geometries)]
    ours_polygons = [vg.Polygon({"rings": [ring + [ring[0]]], "spatialReference": {"wkid": 4326}}) for ring in rings]
    ours_lines = [vg.Polyline({"paths": [ring], "spatialReference": {"wkid": 4326}}) for ring in rings]
    arrays = [(np.array([p[0] for p in ring]), np.array([p[1] for p in ring])) for ring in rings]
    return ours_polygons, ours_lines, arrays


def run(name, geometries, points_each, repeat):
    rng = random.Random(name)
    polygons, lines, arrays = inputs(rng, geometries, points_each)
    ours_area = sum(p.calculate_area(GEODESIC) for p in polygons)
    peer_area = -sum(GEOD.polygon_area_perimeter(lons, lats)[0] for lons, lats in arrays)
    ours_length = sum(line.calculate_length(GEODESIC) for line in lines)
    peer_length = sum(GEOD.line_length(lons, lats) for lons, lats in arrays)
    assert abs(ours_area - peer_area) <= 1e-9 * abs(peer_area), (ours_area, peer_area)
    assert abs(ours_length - peer_length) <= 1e-9 * peer_length, (ours_length, peer_length)
    timings = {
        "area": (best_of(repeat, lambda: [p.calculate_area(GEODESIC) for p in polygons]),
                 best_of(repeat, lambda: [GEOD.polygon_area_perimeter(lons, lats) for lons, lats in arrays])),
        "length": (best_of(repeat, lambda: [line.calculate_length(GEODESIC) for line in lines]),
                   best_of(repeat, lambda: [GEOD.line_length(lons, lats) for lons, lats in arrays])),
    }
    for operation, (ours, peer) in timings.items():
        print(f"{name:>5} {operation:<7} {geometries:>6} x {points_each:<6} ours {ours:9.5f} s   "
              f"pyproj {peer:9.5f} s   pyproj/ours {peer / ours:6.2f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    run("one", 1, TOTAL_POINTS, args.repeat)
    run("many", TOTAL_POINTS // 10, 10, args.repeat)


if __name__ == "__main__":
    main()
