"""Buffers geometries read from WKB over the partitions of a Dask bag, on a local cluster of worker
processes, and prints the time on one worker against two.

Each partition turns its WKB into OvraJSON dictionaries, buffers them all with one call of
buffer_collection and measures the buffers with area_collection and length_collection. The
partitions go to the workers first (that time is printed on its own); the partitions' figures are
the same, in the same order, whatever the number of workers, and the example checks that.

    python examples/dask_buffer.py                  # 100,000 line strings
    python examples/dask_buffer.py --count 1000000  # the full million
"""

import argparse
from collections.abc import Iterable
from typing import Any
import random
import struct
import time
import warnings

import dask.bag
from dask.distributed import Client, LocalCluster, wait

import velmor_geometry

BUFFER_DISTANCE = 0.5


def line_string_wkb(vertices: list[tuple[float, float]]) -> bytes:
    """Little-endian WKB of a two-dimensional line string."""
    header = struct.pack("<BII", 1, 2, len(vertices))
    return header + b"".join(struct.pack("<dd", x, y) for x, y in vertices)


def make_wkb(count: int, seed: int = 17) -> list[bytes]:
    """`count` short three-vertex line strings scattered over a 1000 by 1000 square."""
    generator = random.Random(seed)
    geometries = []
    for _ in range(count):
        x, y = generator.uniform(0, 1000), generator.uniform(0, 1000)
        geometries.append(
            line_string_wkb([(x, y), (x + generator.uniform(0.5, 3), y + generator.uniform(-1, 1)), (x + 4, y + 2)])
        )
    return geometries


def buffer_partition(wkbs: Iterable[bytes], distance: float = BUFFER_DISTANCE) -> list[tuple[int, float, float]]:
    """One partition's figures: how many buffers, their total area and total outline length."""
    # Looked up through the main module: the utils functions report the module name "utils", by which
    # a worker could not import them if this function travelled by value.
    read_wkb = velmor_geometry.utils.wkb_to_ovrajson_dict
    dicts = [read_wkb(wkb) for wkb in wkbs]
    buffers = velmor_geometry.buffer_collection(dicts, [distance])
    return [(len(buffers), velmor_geometry.area_collection(buffers), velmor_geometry.length_collection(buffers))]


def buffer_partition_geometries(geometries: Iterable[velmor_geometry.Geometry],
                                distance: float = BUFFER_DISTANCE) -> list[velmor_geometry.Polygon]:
    """The buffers themselves: geometries go to the workers and come back pickled."""
    return velmor_geometry.buffer_collection(list(geometries), [distance])


def local_cluster(workers: int) -> LocalCluster:
    """A cluster of `workers` single-threaded worker processes on this machine only."""
    return LocalCluster(
        n_workers=workers, threads_per_worker=1, processes=True, dashboard_address=":0", host="127.0.0.1"
    )


def timed_run(workers: int, wkbs: list[bytes], partitions: int) -> tuple[float, float, list[Any]]:
    """Seconds to hand the partitions to the workers, seconds to buffer and measure them there, and the
    figures of every partition. Every worker has run one small partition before the clock starts."""
    with local_cluster(workers) as cluster, Client(cluster) as client:
        client.wait_for_workers(workers)
        warm_up = dask.bag.from_sequence(wkbs[: 10 * workers], npartitions=workers)
        client.compute(warm_up.map_partitions(buffer_partition)).result()

        start = time.perf_counter()
        on_workers = client.persist(dask.bag.from_sequence(wkbs, npartitions=partitions))
        wait(on_workers)
        handed_over = time.perf_counter() - start

        start = time.perf_counter()
        figures = client.compute(on_workers.map_partitions(buffer_partition)).result()
        return handed_over, time.perf_counter() - start, figures


def main() -> None:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=100_000, help="how many geometries (default 100,000)")
    parser.add_argument("--partitions", type=int, default=16, help="how many partitions of the bag (default 16)")
    arguments = parser.parse_args()
    # The WKB travels inside the graph on purpose: that is the hand-over timed on its own.
    warnings.filterwarnings("ignore", message="Sending large graph")

    start = time.perf_counter()
    wkbs = make_wkb(arguments.count)
    print(f"{arguments.count} line strings as WKB ({sum(map(len, wkbs)) / 1e6:.1f} MB) in "
          f"{time.perf_counter() - start:.1f} s")

    results: dict[int, tuple[float, list[Any]]] = {}
    for workers in (1, 2):
        handed_over, seconds, figures = timed_run(workers, wkbs, arguments.partitions)
        results[workers] = (seconds, figures)
        count = sum(f[0] for f in figures)
        area = sum(f[1] for f in figures)
        print(f"{workers} worker process{'es' if workers > 1 else ''}: {seconds:.2f} s for {count} buffers "
              f"(total area {area:.6f}), after {handed_over:.2f} s handing the WKB to the workers")

    if results[1][1] != results[2][1]:
        raise SystemExit("the partitions' figures differ between one worker and two")
    print(f"speed-up of 2 workers over 1: {results[1][0] / results[2][0]:.2f}")


if __name__ == "__main__":
    main()
