"""The collection functions over the partitions of a Dask bag on a local cluster of two worker
processes give what the same calls give in this process. Geometries travel both ways pickled."""

import pathlib
import sys

import dask.bag
import pytest
from dask.distributed import Client

from velmor_geometry import Point

# The worker processes start with this process's import path, so they import the example by name.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "examples"))
import dask_buffer  # noqa: E402

# A failing task is retried on the other worker; a bound keeps a broken run from hanging the suite.
RESULT_TIMEOUT = 120


@pytest.fixture(scope="module")
def client():
    with dask_buffer.local_cluster(2) as cluster, Client(cluster) as connected:
        connected.wait_for_workers(2, timeout=60)
        yield connected


def on_cluster(client, bag):
    return client.compute(bag).result(timeout=RESULT_TIMEOUT)


def test_figures_from_wkb_match_one_process(client):
    wkbs = dask_buffer.make_wkb(400, seed=3)
    bag = dask.bag.from_sequence(wkbs, npartitions=4).map_partitions(dask_buffer.buffer_partition)
    figures = on_cluster(client, bag)
    assert figures == bag.compute(scheduler="sync")
    assert [count for count, _, _ in figures] == [100] * 4
    assert len(client.scheduler_info()["workers"]) == 2


def test_geometries_travel_pickled_and_come_back_equal(client):
    points = [Point({"x": float(i), "y": -0.0, "z": i / 3, "spatialReference": {"wkid": 3857}}) for i in range(40)]
    bag = dask.bag.from_sequence(points, npartitions=4).map_partitions(dask_buffer.buffer_partition_geometries)
    buffers = on_cluster(client, bag)
    assert [type(g).__name__ for g in buffers] == ["Polygon"] * 40
    assert [str(g) for g in buffers] == [str(g) for g in bag.compute(scheduler="sync")]
    assert all(g.spatial_reference.wkid == 3857 for g in buffers)
