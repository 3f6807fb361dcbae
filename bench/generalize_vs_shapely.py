"""generalize beside shapely's simplify(preserve_topology=False), both Douglas-Peucker, in the same run.

Shapes (N vertices each):
- a zigzag (i, i mod 2) at tolerance 0.5: every vertex stays, and the plain scan peels one vertex off
  per section, n^2 / 2 distances;
- a spiral of 20 turns at tolerance 1e-3: the farthest vertex of a section lies next to one of its ends;
- a random walk at tolerance 1.0: sections split near their middle, n log n either way.
Prints the best of `--repeat` runs of each side, the ratio ours / shapely (below 1: we are faster) and
whether both kept the same vertices. Pass --sizes to change N (shapely's zigzag grows as n^2).

Run: .venv/bin/python bench/generalize_vs_shapely.py [--repeat N] [--sizes 25000 50000 ...]
"""

import argparse
import math
import random

import shapely

from velmor_geometry import Polyline

from timing import best_of


def zigzag(count):
    return [(float(i), float(i % 2)) for i in range(count)]


def spiral(count):
    turns = 20
    return [(t * math.cos(t), t * math.sin(t)) for t in (2 * math.pi * turns * k / count for k in range(count))]


def random_walk(count):
    rng = random.Random(7)
    x = y = 0.0
    path = []
    for _ in range(count):
        x, y = x + rng.uniform(-1, 1), y + rng.uniform(-1, 1)
        path.append((x, y))
    return path


SHAPES = [("zigzag", zigzag, 0.5), ("spiral", spiral, 1e-3), ("random walk", random_walk, 1.0)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--sizes", type=int, nargs="+", default=[25_000, 50_000, 100_000, 200_000])
    arguments = parser.parse_args()
    for name, make, tolerance in SHAPES:
        for count in arguments.sizes:
            path = make(count)
            ours_line = Polyline({"paths": [[list(p) for p in path]]})
            theirs_line = shapely.LineString(path)
            ours = best_of(arguments.repeat, lambda: ours_line.generalize(tolerance))
            theirs = best_of(arguments.repeat, lambda: shapely.simplify(theirs_line, tolerance, preserve_topology=False))
            kept = [tuple(p) for p in ours_line.generalize(tolerance).to_dict()["paths"][0]]
            same = kept == list(shapely.simplify(theirs_line, tolerance, preserve_topology=False).coords)
            print(f"{name:<12} {count:>8} vertices  ours {ours * 1e3:10.1f} ms   shapely {theirs * 1e3:10.1f} ms   "
                  f"ours / shapely {ours / theirs:7.3f}   {len(kept):>7} kept, same as shapely: {same}")


if __name__ == "__main__":
    main()
