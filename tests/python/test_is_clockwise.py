import collections.abc
import math

import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

from velmor_geometry.utils import is_clockwise

SQUARE_CW = [(0, 0), (0, 1), (1, 1), (1, 0)]


class VertexSequence(collections.abc.Sequence):
    """A Sequence that is neither list nor tuple, and counts how often it is read."""

    def __init__(self, items):
        self.items = items
        self.reads = 0

    def __getitem__(self, index):
        self.reads += 1
        return self.items[index]

    def __len__(self):
        return len(self.items)


@pytest.mark.parametrize(
    "coords, expected",
    [
        (SQUARE_CW, True),
        (SQUARE_CW[::-1], False),
        (SQUARE_CW + [(0, 0)], True),
        (tuple(tuple(v) for v in SQUARE_CW), True),
        ([[0, 0, 9], [0, 1, 9], [1, 1, 9], [1, 0, 9]], True),  # z ignored
        ([(0, 0), (1, 1), (2, 2)], False),  # collinear: zero sum
        ([(0, 0), (0, 1), (1, 1), (1, 0), (1e-17, 0)], True),  # closing within rounding
    ],
)
def test_orientation_cases(coords, expected):
    assert is_clockwise(coords) is expected


def test_nan_sum_is_not_clockwise_and_nan_never_closes():
    assert is_clockwise([(0, 0), (0, math.nan), (1, 1), (1, 0)]) is False
    # A NaN closing vertex is not a duplicate of the first, so it counts as a vertex of its own.
    assert is_clockwise([(math.nan, 0), (1, 1), (math.nan, 0)]) is False
    with pytest.raises(RuntimeError):
        is_clockwise([(math.inf, 0), (1, 1), (math.inf, 0)])


def test_keyword_and_generic_sequences_are_read_in_place():
    ring = VertexSequence([VertexSequence([0, 0]), (0, 1), [1, 1], (1, 0)])
    assert is_clockwise(coords=ring) is True
    # Vertex 0 and the last vertex first (closing test), then vertices 1 to 3 once each.
    assert ring.reads == 5


@pytest.mark.parametrize(
    "coords, error, message",
    [
        (5, TypeError, "argument 'coords': 'int' object cannot be converted to 'Sequence'"),
        ({(0, 0): 1}, TypeError, "argument 'coords'"),
        ([], IndexError, "list index out of range"),
        ([(0, 0), (1, 1), (0, 0)], RuntimeError, "ring must have at least 3 vertices"),
        ([(0, 0), (1, 1)], RuntimeError, "ring must have at least 3 vertices"),
        ([(0, 0), 7, (1, 1), (1, 0)], TypeError, "'int' object cannot be converted to 'Sequence'"),
        ([(0, 0), ("a", 1), (1, 1), (1, 0)], TypeError, "must be real number, not str"),
        ([(0, 0), (1,), (1, 1), (1, 0)], IndexError, "tuple index out of range"),
    ],
)
def test_errors(coords, error, message):
    with pytest.raises(error) as raised:
        is_clockwise(coords)
    assert message in str(raised.value)


def test_argument_binding_errors():
    with pytest.raises(TypeError, match="missing required argument 'coords'"):
        is_clockwise()
    with pytest.raises(TypeError, match="at most 1 argument"):
        is_clockwise(SQUARE_CW, SQUARE_CW)
    with pytest.raises(TypeError, match="unexpected keyword argument 'ring'"):
        is_clockwise(ring=SQUARE_CW)


coordinate = st.floats(min_value=-1e6, max_value=1e6, allow_nan=False).map(lambda v: round(v, 3))


@settings(max_examples=300, deadline=None)
@given(st.lists(st.tuples(coordinate, coordinate), min_size=3, max_size=40, unique=True))
def test_agrees_with_shapely_orientation(ring):
    pytest.importorskip("shapely")
    from shapely.geometry import LinearRing

    linear_ring = LinearRing(ring)
    if not linear_ring.is_simple:
        return  # the peer's orientation is defined for simple rings only
    signed = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(ring, ring[1:] + ring[:1]))
    if abs(signed) < 1e-6 * max(1.0, max(abs(c) for v in ring for c in v)) ** 2:
        return  # orientation of a (nearly) degenerate ring is not well defined
    assert is_clockwise(ring) is (not linear_ring.is_ccw)
