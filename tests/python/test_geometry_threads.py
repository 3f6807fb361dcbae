"""Several threads edit and read the same geometries through copies and views at once. Every step
must succeed, every text written on the way must parse, and after the threads join the counts must
add up exactly: no edit lost, none applied twice."""

import json
import math
import sys
import threading

import pytest

from velmor_geometry import MultiPoint, Polygon, Polyline

THREADS = 8
ROUNDS = 60
SQUARE = [[0, 0, 1], [0, 10, 1], [10, 10, 1], [10, 0, 1]]


@pytest.fixture(autouse=True)
def frequent_thread_switches():
    # Switch threads as often as the interpreter allows so that the calls interleave.
    previous = sys.getswitchinterval()
    sys.setswitchinterval(1e-6)
    yield
    sys.setswitchinterval(previous)


def run_together(work):
    """Runs work(index) in THREADS threads started at once; returns the exceptions they raised."""
    barrier = threading.Barrier(THREADS)
    failures = []

    def body(index):
        barrier.wait()
        try:
            work(index)
        except BaseException as error:  # noqa: BLE001 - reported by the test
            failures.append(error)

    threads = [threading.Thread(target=body, args=(i,)) for i in range(THREADS)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    return failures


def parts_of(multipart):
    return json.loads(str(multipart))


def check_polyline_text(polyline):
    written = json.loads(str(polyline))  # NaN allowed: the native writer's token
    assert written["hasZ"] is True and all(len(v) == 3 for path in written["paths"] for v in path)
    assert json.loads(polyline.JSON).keys() >= {"paths"}
    return written


def test_edits_through_views_and_copies_add_up():
    polyline = Polyline({"hasZ": True, "paths": [[[0, 0, 0], [1, 1, 1]] for _ in range(THREADS + 2)]})
    shared_index, inserted_index = THREADS, THREADS + 1

    def work(index):
        own = Polyline(polyline).paths[index]  # a copy of the geometry shares its parts
        shared = polyline.paths[shared_index]
        inserted = Polyline(polyline).paths[inserted_index]
        for round_ in range(ROUNDS):
            own.append([index, round_, index * 1000 + round_])
            shared.append([index, round_])
            inserted.insert(0, [-index, -round_, 0])
            shared[0].x = float(index)  # linked coordinate written back into the part
            shared[1].z = float(round_)
            if round_ % 10 == 0:
                polyline.paths.append([[index, 0, 0], [index, 1, 0]])
            if round_ % 7 == 0:
                written = check_polyline_text(polyline)
                assert len(written["paths"]) >= THREADS + 2
                xmin, ymin, xmax, ymax = polyline.extent
                assert xmin <= xmax and ymin <= ymax
                assert polyline.to_dict()["hasZ"] is True
            assert len(own) == 2 + round_ + 1

    assert run_together(work) == []
    parts = parts_of(polyline.paths)
    for index in range(THREADS):
        own = parts[index]
        assert len(own) == 2 + ROUNDS
        assert own[2:] == [[index, r, index * 1000 + r] for r in range(ROUNDS)]
    shared = parts[shared_index]
    assert len(shared) == 2 + THREADS * ROUNDS
    assert shared[0][0] in range(THREADS) and shared[1][2] == ROUNDS - 1
    # Each thread's own appends keep their order inside the shared part.
    for index in range(THREADS):
        assert [v[1] for v in shared[2:] if v[0] == index] == list(range(ROUNDS))
        assert all(math.isnan(v[2]) for v in shared[2:])
    assert len(parts[inserted_index]) == 2 + THREADS * ROUNDS
    assert len(parts) == THREADS + 2 + THREADS * len(range(0, ROUNDS, 10))


def test_appends_and_pops_on_one_part_balance():
    line = Polyline({"paths": [[[0, 0]]]})
    part = line.paths[0]
    popped = []

    def work(index):
        view = Polyline(line).paths[0]
        for round_ in range(ROUNDS):
            view.append([index, round_])
            view.append([index, -round_])
            coord = part.pop()
            assert coord is not None  # this thread appended two, so at least one is there
            popped.append((coord.x, coord.y))
            iterated = [(c.x, c.y) for c in view]  # iteration sees no torn vertex
            assert all(x in range(THREADS) or (x, y) == (0, 0) for x, y in iterated)

    assert run_together(work) == []
    remaining = [tuple(v) for v in json.loads(str(part))]
    assert len(part) == 1 + THREADS * ROUNDS and len(popped) == THREADS * ROUNDS
    # Nothing lost, nothing duplicated: what stayed plus what was popped is what was appended.
    appended = [(i, s * r) for i in range(THREADS) for r in range(ROUNDS) for s in (1, -1)]
    assert sorted(remaining[1:] + popped) == sorted(appended)


def test_curve_parts_rings_and_points_under_concurrent_edits():
    polygon = Polygon({"hasZ": True, "rings": [SQUARE], "curveRings": [[[0, 0, 1], {"c": [[4, 0, 1], [2, 2]]},
                                                                        [0, 0, 1]]]})
    points = MultiPoint({"points": [[0, 0]], "hasM": True})

    def work(index):
        curve = Polygon(polygon).curve_rings[0]
        ring = polygon.rings[0]
        view = points.points
        for round_ in range(ROUNDS):
            curve.append({"b": [[index, round_, 2], [0, 1], [1, 0]]})
            ring.insert(1, [index, round_, 3])
            ring[0].z = float(index)
            view.append([index, round_, 7])
            if round_ % 5 == 0:
                json.loads(str(polygon))
                json.loads(polygon.JSON)
                assert polygon.has_curves is True
                assert len(json.loads(str(points))["points"]) >= 1 + round_
                points.extent  # noqa: B018 - reading it must not fail

    assert run_together(work) == []
    written = json.loads(str(polygon))
    assert len(written["curveRings"][0]) == 3 + THREADS * ROUNDS
    assert sum("b" in item for item in written["curveRings"][0] if isinstance(item, dict)) == THREADS * ROUNDS
    assert len(written["rings"][0]) == 4 + THREADS * ROUNDS
    assert written["rings"][0][0][2] in range(THREADS)
    assert len(points.points) == 1 + THREADS * ROUNDS
    assert len(polygon.to_dict()["curveRings"]) == 1
