"""The planar engine of the runtime core (called through ctypes) against shapely 2.x on the same
inputs, in the same run. Prints seconds per call for each side and the ratio shapely / ours (above 1:
we are faster).

Two workloads:
- per call: one small polygon pair (5-vertex squares that overlap), each operation called many times;
- bulk: 100,000 random small polygons against one fixed polygon, one call per geometry on our side (a
  Python loop over ctypes calls, as a collection function will do natively), shapely's vectorized
  function on an array on the other.

Both sides build their geometries before timing. ctypes adds about half a microsecond to every call of
ours, so the per-call figures are an upper bound of the engine's own cost.

Run: .venv/bin/python bench/engine_vs_shapely.py [--library PATH] [--count N] [--repeat N]
"""

import ctypes
import json
import math
import random

import numpy as np
import shapely

from geokern_library import arguments, load
from timing import best_of

P, D, B = ctypes.c_void_p, ctypes.c_double, ctypes.c_uint8

# operation: (result type, extra argument types after the geometries, extra arguments, arity)
OPERATIONS = {
    "intersects": (B, [], [], 2, lambda a, b: shapely.intersects(a, b)),
    "contains": (B, [], [], 2, lambda a, b: shapely.contains(a, b)),
    "touches": (B, [], [], 2, lambda a, b: shapely.touches(a, b)),
    "area": (D, [], [], 1, lambda a, b: shapely.area(a)),
    "length": (D, [], [], 1, lambda a, b: shapely.length(a)),
    "distance": (D, [], [], 2, lambda a, b: shapely.distance(a, b)),
    "intersection": (P, [], [], 2, lambda a, b: shapely.intersection(a, b)),
    "union": (P, [], [], 2, lambda a, b: shapely.union(a, b)),
    "difference": (P, [], [], 2, lambda a, b: shapely.difference(a, b)),
    "buffer": (P, [D], [1.0], 1, lambda a, b: shapely.buffer(a, 1.0, quad_segs=16)),
    "convexHull": (P, [], [], 1, lambda a, b: shapely.convex_hull(a)),
    "simplify": (P, [], [], 1, lambda a, b: shapely.make_valid(a)),
    "move": (P, [D, D], [1.0, 2.0], 1, lambda a, b: shapely.transform(a, lambda c: c + (1.0, 2.0))),
    "boundary": (P, [], [], 1, lambda a, b: shapely.boundary(a)),
    "densify": (P, [D], [0.5], 1, lambda a, b: shapely.segmentize(a, 0.5)),
}


class Handler(ctypes.Structure):
    _fields_ = [("callback", ctypes.CFUNCTYPE(None, P, P)), ("user", P)]


SIGNATURES = {"Geometry_fromJSON": (P, [ctypes.c_char_p]), "Geometry_destroy": (None, [P]),
              "Error_destroy": (None, [P])}


def square(x, y, size):
    return [[x, y], [x, y + size], [x + size, y + size], [x + size, y], [x, y]]


def main():
    args = arguments(100_000)
    lib = load(args.library, SIGNATURES)
    rng = random.Random(5)

    def ours(ring):
        handle = lib.GK_Geometry_fromJSON(json.dumps({"rings": [ring]}).encode(), None)
        assert handle
        return handle

    a_ring, b_ring = square(0, 0, 2), square(1, 1, 2)
    a, b = ours(a_ring), ours(b_ring)
    sa, sb = shapely.Polygon(a_ring), shapely.Polygon(b_ring)
    rings = []
    for _ in range(args.count):
        x, y, r = rng.uniform(0, 100), rng.uniform(0, 100), rng.uniform(0.5, 3)
        rings.append([[x + r * math.cos(-t * math.pi / 4), y + r * math.sin(-t * math.pi / 4)] for t in range(9)])
    many = [ours(ring) for ring in rings]
    many_shapely = np.array([shapely.Polygon(ring) for ring in rings])
    fixed_ring = [[50 + 30 * math.cos(-t * math.pi / 32), 50 + 30 * math.sin(-t * math.pi / 32)] for t in range(65)]
    fixed, fixed_shapely = ours(fixed_ring), shapely.Polygon(fixed_ring)
    shapely.prepare(fixed_shapely)

    calls = 20_000
    print(f"{'operation':<14}{'ours/call':>12}{'shapely/call':>14}{'ratio':>8}"
          f"{'ours bulk s':>14}{'shapely bulk s':>16}{'ratio':>8}")
    for name, (restype, extra_types, extra, arity, peer) in OPERATIONS.items():
        f = getattr(lib, "GK_GeometryEngine_" + name)
        f.restype, f.argtypes = restype, [P] * arity + extra_types + [P]
        destroy = lib.GK_Geometry_destroy if restype is P else None
        errors = []
        def keep(_user, error):
            errors.append(error)
            lib.GK_Error_destroy(error, None)

        handler = Handler(Handler._fields_[0][1](keep), None)
        probe = f(*([a, b][:arity] + extra + [ctypes.byref(handler)]))
        if errors:
            print(f"{name:<14}  not available in this library")
            continue
        if destroy:
            destroy(probe, None)

        def per_call_ours():
            args_ = [a, b][:arity] + extra + [None]
            if destroy:
                for _ in range(calls):
                    destroy(f(*args_), None)
            else:
                for _ in range(calls):
                    f(*args_)

        def per_call_peer():
            for _ in range(calls):
                peer(sa, sb)

        def bulk_ours():
            tail = ([fixed] if arity == 2 else []) + extra + [None]
            if destroy:
                for g in many:
                    destroy(f(g, *tail), None)
            else:
                for g in many:
                    f(g, *tail)

        def bulk_peer():
            peer(many_shapely, fixed_shapely)

        ours_call = best_of(args.repeat, per_call_ours) / calls
        peer_call = best_of(args.repeat, per_call_peer) / calls
        ours_bulk = best_of(args.repeat, bulk_ours)
        peer_bulk = best_of(args.repeat, bulk_peer)
        print(f"{name:<14}{ours_call * 1e6:>10.2f}us{peer_call * 1e6:>12.2f}us{peer_call / ours_call:>8.2f}"
              f"{ours_bulk:>14.3f}{peer_bulk:>16.3f}{peer_bulk / ours_bulk:>8.2f}")


if __name__ == "__main__":
    main()
