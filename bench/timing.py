"""Timing shared by the benchmark scripts."""

import math
import time


def best_of(repeat, run):
    """The shortest wall time of `repeat` calls of run(): the least disturbed run on a shared machine."""
    best = math.inf
    for _ in range(repeat):
        start = time.perf_counter()
        run()
        best = min(best, time.perf_counter() - start)
    return best
