"""Random and mutated input through the whole Python path (readers and both builders): every input
gives a dictionary or a RuntimeError (PanicException for a collection in OvraJSON), nothing else."""

import struct

from hypothesis import given, settings
from hypothesis import strategies as st

from velmor_geometry import PanicException, utils

VALID_WKB = [
    b"\x01" + struct.pack("<I2d", 1, 1, 2),
    b"\x01" + struct.pack("<III4d", 3, 1, 4, 0, 0, 0, 1) + struct.pack("<4d", 1, 1, 0, 0),
    b"\x00" + struct.pack(">I3d", 1001, 1, 2, 3),
    b"\x01" + struct.pack("<IiII", 0x20000004, 3857, 1, 0x80000001) + struct.pack("<3d", 1, 2, 3),
    b"\x01" + struct.pack("<II", 7, 2) + b"\x01" + struct.pack("<I2d", 1, 1, 2) + b"\x01" + struct.pack("<II", 2, 0),
]
WKT_ALPHABET = "POINTLINESTRGMUYCOZEMPTY ()(),,,0123456789.-+eNaNinf\t\n"


def outcome(convert, data):
    try:
        result = convert(data)
    except RuntimeError as error:
        assert str(error)
        return "error"
    except PanicException as panic:
        assert convert in (utils.wkt_to_ovrajson_dict, utils.wkb_to_ovrajson_dict)
        assert str(panic) == "not implemented"
        return "panic"
    assert isinstance(result, dict)
    return "ok"


@settings(max_examples=200, deadline=None)
@given(st.sampled_from(VALID_WKB), st.binary(max_size=8), st.integers(0, 120), st.integers(0, 255))
def test_mutated_wkb(base, insert, position, value):
    data = bytearray(base[:position] + insert + base[position:])
    if data:
        data[position % len(data)] = value
    for convert in (utils.wkb_to_geojson_dict, utils.wkb_to_ovrajson_dict):
        outcome(convert, bytes(data))


@settings(max_examples=200, deadline=None)
@given(st.text(alphabet=WKT_ALPHABET, max_size=80))
def test_random_wkt(text):
    for convert in (utils.wkt_to_geojson_dict, utils.wkt_to_ovrajson_dict):
        outcome(convert, text)


@settings(max_examples=50, deadline=None)
@given(st.text(max_size=40))
def test_any_unicode_text(text):
    outcome(utils.wkt_to_geojson_dict, text)
