"""Every double the library writes as text is the shortest digit string that reads back to the same
double, in positional notation: the same digits as Python's repr, with the decimal point placed."""

import json
import math
import random
import struct
from decimal import Decimal

import pytest

from velmor_geometry import Point


def expected_text(value):
    """repr's shortest digits written out positionally; whole numbers without a fraction."""
    if value == 0:
        return "-0" if math.copysign(1, value) < 0 else "0"
    text = format(Decimal(repr(value)), "f")
    return text[:-2] if text.endswith(".0") else text


def random_doubles(count, seed):
    rng = random.Random(seed)
    values = []
    for _ in range(count):
        bits = rng.getrandbits(64)
        value = struct.unpack("<d", struct.pack("<Q", bits))[0]
        if math.isfinite(value):
            values.append(value)
    values += [1e23, -1e23, 2.0**53, 2.0**53 + 2, 2.0**63, 1.7976931348623157e308, 5e-324, 0.1, -0.0, 123.456]
    return values


@pytest.mark.parametrize("writer", ["native", "runtime"])
def test_numbers_are_shortest_round_trip_digits(writer):
    for value in random_doubles(3000, seed=11):
        point = Point({"x": value, "y": 0})
        if writer == "native":
            written = str(point).split('"x": ')[1].split(",")[0]
        else:
            # The runtime core writes negative zero as -0.0 so that JSON readers keep its sign.
            written = point.JSON.split('"x":')[1].split(",")[0]
            if written == "-0.0":
                written = "-0"
        assert written == expected_text(value), repr(value)
        assert float(written) == value


def test_large_whole_numbers_example():
    assert str(Point({"x": 1e23, "y": 0})) == '{"x": 100000000000000000000000, "y": 0}'
    largest = json.loads(Point({"x": 1.7976931348623157e308, "y": 0}).JSON, parse_int=float)["x"]
    assert largest == 1.7976931348623157e308
    assert str(Point({"x": 1.7976931348623157e308, "y": 0})).startswith('{"x": 17976931348623157' + "0" * 292 + ",")
