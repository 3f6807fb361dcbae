"""The fixed cost of one geometry on its way to the runtime core, beside shapely in the same run.

Every engine method converts its receiver and its geometry arguments to the runtime core and its result
back, so on small geometries this fixed cost (method lookup, the carrier object, builder, part
collection, spatial reference, handles) is the floor of every engine call. Timed here:
- `__gkn_geo()` and `extent` of a 5-vertex polygon, beside shapely's whole `a.intersects(b)` and
  `a.area` on the same polygon;
- the engine calls `buffer(1.0)` and `intersects` on polygons of 10 and of 10,000 vertices, beside
  shapely's `buffer(1.0)` and `intersects` on the same polygons.
Prints nanoseconds per call for each side and the ratio ours / shapely (below 1: we are faster).

Run: .venv/bin/python bench/fixed_cost.py [--repeat N]
"""

import argparse
import math

import shapely

from velmor_geometry import Polygon

from timing import best_of


def circle(count, cx=0.0, cy=0.0, radius=10.0):
    """A closed ring of `count` distinct vertices, clockwise, as OvraJSON polygons want it."""
    points = [[cx + radius * math.cos(-2 * math.pi * k / count), cy + radius * math.sin(-2 * math.pi * k / count)]
              for k in range(count)]
    return points + [list(points[0])]


def pair(count):
    """Two overlapping polygons of `count` vertices each, ours and shapely's."""
    rings = [circle(count), circle(count, cx=5.0)]
    ours = [Polygon({"rings": [ring]}) for ring in rings]
    theirs = [shapely.Polygon(ring) for ring in rings]
    return ours, theirs


def per_call_ns(repeat, calls, run):
    def loop():
        for _ in range(calls):
            run()
    return best_of(repeat, loop) * 1e9 / calls


def report(label, ours_ns, peer_label, peer_ns):
    print(f"  {label:<34} {ours_ns:10.0f} ns   {peer_label:<26} {peer_ns:10.0f} ns   "
          f"ours / shapely {ours_ns / peer_ns:6.2f}")


def fixed_cost(repeat):
    (a, b), (sa, sb) = pair(4)  # 4 distinct vertices + the closing one: a 5-vertex polygon
    calls = 20_000
    print("5-vertex polygon, fixed cost per geometry")
    intersects_ns = per_call_ns(repeat, calls, lambda: sa.intersects(sb))
    area_ns = per_call_ns(repeat, calls, lambda: sa.area)
    report("__gkn_geo()", per_call_ns(repeat, calls, a.__gkn_geo), "a.intersects(b)", intersects_ns)
    report("extent", per_call_ns(repeat, calls, lambda: a.extent), "a.area", area_ns)


def engine_calls(repeat):
    for count, calls in ((10, 5_000), (10_000, 20)):
        (a, b), (sa, sb) = pair(count)
        print(f"{count}-vertex polygons, one engine call")
        report("polygon.buffer(1.0)", per_call_ns(repeat, calls, lambda: a.buffer(1.0)),
               "buffer(1.0)", per_call_ns(repeat, calls, lambda: sa.buffer(1.0)))
        report("a.intersects(b)", per_call_ns(repeat, calls, lambda: a.intersects(b)),
               "a.intersects(b)", per_call_ns(repeat, calls, lambda: sa.intersects(sb)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=5)
    options = parser.parse_args()
    fixed_cost(options.repeat)
    engine_calls(options.repeat)


if __name__ == "__main__":
    main()
