"""The ring orientation test (shared with the OvraJSON ring orientation)."""

import collections.abc

import pytest

from velmor_geometry.utils import is_clockwise

SQUARE = [(0, 0), (0, 1), (1, 1), (1, 0)]


class Ring(collections.abc.Sequence):
    def __init__(self, items):
        self.items = items

    def __len__(self):
        return len(self.items)

    def __getitem__(self, index):
        return self.items[index]


@pytest.mark.parametrize(
    "coords, clockwise",
    [
        (SQUARE, True),
        (list(reversed(SQUARE)), False),
        (SQUARE + [(0, 0)], True),
        ([(0, 0), (0, 1), (1, 1), (1, 0), (1e-17, 0)], True),
        ([(0, 0), (1, 1), (2, 2)], False),
        ([(0, 0, 5), (0, 1, 5), (1, 1, 5), (1, 0, 5)], True),
        (tuple(SQUARE), True),
        (Ring([[0, 0], [0, 1], [1, 1], [1, 0]]), True),
    ],
)
def test_orientation(coords, clockwise):
    assert is_clockwise(coords) is clockwise


@pytest.mark.parametrize(
    "coords, error, message",
    [
        ([(0, 0), (1, 1), (0, 0)], RuntimeError, "ring must have at least 3 vertices"),
        ([], IndexError, None),
        (42, TypeError, "argument 'coords'"),
        ([(0, 0), "ab", (1, 1), (1, 0)], TypeError, None),
    ],
)
def test_failures(coords, error, message):
    with pytest.raises(error) as raised:
        is_clockwise(coords)
    if message:
        assert message in str(raised.value)
