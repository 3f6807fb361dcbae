"""Draws 20,000 polygons (5 to 200 vertices each, every fifth with a hole) as SVG with velmor_geometry and
with shapely, and prints the time of each and the ratio (peer time / our time: above 1 means we are
faster).

Ours: `polygon._repr_svg_()`, written from the native value column by column. Shapely: its own
`_repr_svg_()` of the same polygons. Both produce a whole svg document with a viewBox and one path.

Run: .venv/bin/python bench/svg_pictures.py [--count N] [--repeat N]
"""

import argparse
import math
import random

import shapely.geometry

import velmor_geometry
from timing import best_of


def ring(rng, cx, cy, radius, vertices):
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(vertices))
    points = [[cx + radius * math.cos(a), cy + radius * math.sin(a)] for a in angles]
    return points + [points[0]]


def polygons(count, seed=7):
    rng = random.Random(seed)
    result = []
    for i in range(count):
        cx, cy = rng.uniform(-1e5, 1e5), rng.uniform(-1e5, 1e5)
        rings = [ring(rng, cx, cy, 100.0, rng.randint(5, 200))]
        if i % 5 == 0:
            rings.append(ring(rng, cx, cy, 30.0, 8)[::-1])
        result.append(rings)
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=20_000)
    parser.add_argument("--repeat", type=int, default=5)
    options = parser.parse_args()
    shapes = polygons(options.count)
    ours = [velmor_geometry.Polygon({"rings": rings}) for rings in shapes]
    theirs = [shapely.geometry.Polygon(rings[0], rings[1:]) for rings in shapes]
    vertices = sum(len(r) for rings in shapes for r in rings)
    our_time = best_of(options.repeat, lambda: [g._repr_svg_() for g in ours])
    peer_time = best_of(options.repeat, lambda: [g._repr_svg_() for g in theirs])
    print(f"{options.count} polygons, {vertices} vertices, best of {options.repeat}")
    print(f"velmor_geometry _repr_svg_: {our_time * 1e3:.1f} ms")
    print(f"shapely _repr_svg_:        {peer_time * 1e3:.1f} ms")
    print(f"ratio (shapely / ours):    {peer_time / our_time:.2f}")


if __name__ == "__main__":
    main()
