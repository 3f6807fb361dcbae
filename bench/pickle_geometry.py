"""Pickles and unpickles polygons with velmor_geometry and with shapely, and prints the time of each
and the ratio (peer time / our time: above 1 means we are faster).

Ours, two ways: pickle.dumps/loads (the class called with an empty dictionary form, then the exact
binary state of the value), and for comparison the round trip through the dictionary form
(`Polygon(p.to_dict())`), which a reduction built on the dictionary would cost at the least. The
peer: pickle.dumps/loads of shapely polygons with the same vertices (shapely pickles as WKB).

Run: .venv/bin/python bench/pickle_geometry.py [--count N] [--vertices N] [--repeat N]
"""

import argparse
import math
import pickle
import sys
from pathlib import Path

from shapely.geometry import Polygon as ShapelyPolygon

import velmor_geometry

sys.path.insert(0, str(Path(__file__).resolve().parent))
from timing import best_of  # noqa: E402


def ring(cx, cy, vertices):
    """A clockwise ring of `vertices` points round (cx, cy), closed."""
    points = [[cx + math.cos(-2 * math.pi * i / vertices), cy + math.sin(-2 * math.pi * i / vertices)]
              for i in range(vertices)]
    return points + [points[0]]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=20_000)
    parser.add_argument("--vertices", type=int, default=16)
    parser.add_argument("--repeat", type=int, default=3)
    arguments = parser.parse_args()

    rings = [ring(i % 100, i // 100, arguments.vertices) for i in range(arguments.count)]
    ours = [velmor_geometry.Polygon({"rings": [r], "spatialReference": {"wkid": 4326}}) for r in rings]
    peers = [ShapelyPolygon(r) for r in rings]

    def round_trip(objects):
        return lambda: pickle.loads(pickle.dumps(objects, protocol=5))

    pickled = best_of(arguments.repeat, round_trip(ours))
    through_dict = best_of(arguments.repeat, lambda: [velmor_geometry.Polygon(p.to_dict()) for p in ours])
    peer = best_of(arguments.repeat, round_trip(peers))
    size_ours = len(pickle.dumps(ours, protocol=5)) / arguments.count
    size_peer = len(pickle.dumps(peers, protocol=5)) / arguments.count

    print(f"{arguments.count} polygons of {arguments.vertices + 1} vertices, pickled and unpickled (best of "
          f"{arguments.repeat})")
    print(f"  velmor_geometry pickle:          {pickled:.3f} s, {size_ours:.0f} bytes a polygon")
    print(f"  velmor_geometry via to_dict():   {through_dict:.3f} s")
    print(f"  shapely pickle:                  {peer:.3f} s, {size_peer:.0f} bytes a polygon")
    print(f"  ratio shapely / ours: {peer / pickled:.2f}; dictionary route / ours: {through_dict / pickled:.2f}")


if __name__ == "__main__":
    main()
