"""Projection of 100,000 points from WGS 84 geographic to UTM zone 33N: ours against pyproj's
Transformer, in the same run. Prints seconds for each side and the ratio ours / pyproj (below 1: we are
faster).

Workloads:
- one multipoint of all the points (`MultiPoint.project`) against pyproj transforming two numpy arrays;
- `projection.project_collection` over one Point per coordinate against pyproj's per-point transform in a
  Python loop.

Inputs are built before timing; both sides create their transformer (PROJ operation) once, outside the
timed loop for pyproj and in the first, untimed call for us (the runtime core caches it per thread).

Run: PYTHONPATH=build/dev/src/python .venv/bin/python bench/projection_vs_pyproj.py [--count N] [--repeat N]
"""

import argparse
import random

import numpy as np
import pyproj

from timing import best_of
from velmor_geometry import MultiPoint, Point
from velmor_geometry import projection


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=100_000)
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()

    rng = random.Random(7)
    coordinates = [(rng.uniform(9.0, 21.0), rng.uniform(0.0, 84.0)) for _ in range(args.count)]
    xs = np.array([x for x, _ in coordinates])
    ys = np.array([y for _, y in coordinates])
    reference = {"wkid": 4326}
    target = {"wkid": 32633}
    multipoint = MultiPoint({"points": [list(c) for c in coordinates], "spatialReference": reference})
    points = [Point({"x": x, "y": y, "spatialReference": reference}) for x, y in coordinates]
    transformer = pyproj.Transformer.from_crs(4326, 32633, always_xy=True)

    # Both sides agree before anything is timed.
    ours = multipoint.project(target).to_dict()["points"]
    theirs_x, theirs_y = transformer.transform(xs, ys)
    worst = max(max(abs(a[0] - b), abs(a[1] - c)) for a, b, c in zip(ours, theirs_x, theirs_y))
    print(f"{args.count} points 4326 -> 32633, largest difference from pyproj {worst:.3g} m")

    rows = [
        ("multipoint vs numpy arrays", lambda: multipoint.project(target), lambda: transformer.transform(xs, ys)),
        # No PROJ work at all: what the module's conversion of 100,000 points to the runtime core and back costs.
        ("multipoint to its own system (conversion only)", lambda: multipoint.project(reference),
         lambda: transformer.transform(xs, ys)),
        ("project_collection vs per-point transform", lambda: projection.project_collection(points, target),
         lambda: [transformer.transform(x, y) for x, y in coordinates]),
    ]
    print(f"{'workload':44} {'ours s':>10} {'pyproj s':>10} {'ours/pyproj':>12}")
    for name, ours_run, theirs_run in rows:
        ours_time = best_of(args.repeat, ours_run)
        theirs_time = best_of(args.repeat, theirs_run)
        print(f"{name:44} {ours_time:10.4f} {theirs_time:10.4f} {ours_time / theirs_time:12.2f}")


if __name__ == "__main__":
    main()
