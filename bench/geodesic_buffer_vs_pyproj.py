"""Geodesic buffers through the Python module against pyproj's Geod.fwd computing as many points, in the same
run. A buffer's outline points are direct geodesic problems solved from the input's vertices, then unioned; the
nearest peer workload is pyproj solving that many direct problems. Prints seconds for each side and the ratio
pyproj / ours (above 1: we are faster).

Workloads of about 100,000 outline vertices in all:
- points: geodesic circles around random points;
- lines: geodesic buffers of random three-vertex polylines (circles at vertices, bands along edges, union).

Both sides build their inputs before timing (ours Geometry objects, pyproj numpy arrays of the same size as our
outlines).

Run: .venv/bin/python bench/geodesic_buffer_vs_pyproj.py [--repeat N]
"""

import argparse
import json
import random

import numpy as np
from pyproj import Geod

import velmor_geometry as vg
from timing import best_of

GEOD = Geod(ellps="WGS84")
GEODESIC = vg.GeodeticCurveType.Geodesic
METERS = vg.LinearUnitId.Meters
TARGET_VERTICES = 100_000


def random_point(rng):
    return rng.uniform(-179, 179), rng.uniform(-70, 70)


def points(rng, count):
    return [vg.Point({"x": x, "y": y, "spatialReference": {"wkid": 4326}}) for x, y in
            (random_point(rng) for _ in range(count))]


def lines(rng, count):
    made = []
    for _ in range(count):
        x, y = random_point(rng)
        path = [[x, y], [x + rng.uniform(0.2, 0.5), y + rng.uniform(-0.3, 0.3)], [x + 0.6, y + rng.uniform(0.3, 0.6)]]
        made.append(vg.Polyline({"paths": [path], "spatialReference": {"wkid": 4326}}))
    return made


def vertex_count(polygons):
    return sum(len(ring) for polygon in polygons for ring in json.loads(polygon.JSON)["rings"])


def run(name, geometries, distance, deviation, repeat):
    buffer_all = lambda: [g.buffer(distance, METERS, deviation, GEODESIC) for g in geometries]
    vertices = vertex_count(buffer_all())
    rng = np.random.default_rng(1)
    lons, lats = rng.uniform(-179, 179, vertices), rng.uniform(-70, 70, vertices)
    azimuths, distances = rng.uniform(-180, 180, vertices), np.full(vertices, float(distance))
    ours = best_of(repeat, buffer_all)
    peer = best_of(repeat, lambda: GEOD.fwd(lons, lats, azimuths, distances))
    print(f"{name:>6} {len(geometries):>5} buffers {vertices:>7} vertices   ours {ours:9.5f} s   "
          f"pyproj fwd {peer:9.5f} s   pyproj/ours {peer / ours:6.3f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    rng = random.Random(7)
    # 50 km circles within 50 m: about 100 vertices each
    run("points", points(rng, 1_000), 50_000.0, 50.0, args.repeat)
    run("lines", lines(rng, 250), 20_000.0, 2.0, args.repeat)


if __name__ == "__main__":
    main()
