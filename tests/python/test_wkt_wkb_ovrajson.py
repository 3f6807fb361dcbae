"""WKT and WKB/EWKB to OvraJSON dictionaries: key layout, flags, ring orientation and refusals."""

import struct

import pytest

from velmor_geometry import PanicException, utils

SR = {"wkid": 4326}

CW_SQUARE = [(0.0, 0.0), (0.0, 1.0), (1.0, 1.0), (1.0, 0.0), (0.0, 0.0)]
CCW_SQUARE = list(reversed(CW_SQUARE))
CW_HOLE = [(0.2, 0.2), (0.2, 0.4), (0.4, 0.4), (0.4, 0.2), (0.2, 0.2)]
CCW_HOLE = list(reversed(CW_HOLE))


def ring_wkt(ring):
    return "(" + ", ".join("%r %r" % p for p in ring) + ")"


@pytest.mark.parametrize(
    "wkt, expected",
    [
        ("POINT (1 2)", {"x": 1.0, "y": 2.0, "spatialReference": SR}),
        ("POINT Z (1 2 3)", {"x": 1.0, "y": 2.0, "z": 3.0, "spatialReference": SR}),
        ("POINT M (1 2 3)", {"x": 1.0, "y": 2.0, "m": 3.0, "spatialReference": SR}),
        ("POINT ZM (1 2 3 4)", {"x": 1.0, "y": 2.0, "z": 3.0, "m": 4.0, "spatialReference": SR}),
        ("POINT EMPTY", {"x": None, "spatialReference": SR}),
        (
            "LINESTRING Z (1 2 3, 4 5 6)",
            {"paths": [[(1.0, 2.0, 3.0), (4.0, 5.0, 6.0)]], "hasM": False, "hasZ": True, "spatialReference": SR},
        ),
        (
            "MULTILINESTRING M ((1 2 3, 4 5 6), (7 8 9, 1 1 1))",
            {
                "paths": [[(1.0, 2.0, 3.0), (4.0, 5.0, 6.0)], [(7.0, 8.0, 9.0), (1.0, 1.0, 1.0)]],
                "hasM": True,
                "hasZ": False,
                "spatialReference": SR,
            },
        ),
        (
            "MULTIPOINT ((1 2), (3 4))",
            {"hasM": False, "hasZ": False, "points": [(1.0, 2.0), (3.0, 4.0)], "spatialReference": SR},
        ),
        # outer ring counter-clockwise and hole clockwise: both come out reversed
        (
            "POLYGON (%s, %s)" % (ring_wkt(CCW_SQUARE), ring_wkt(CW_HOLE)),
            {"rings": [CW_SQUARE, CCW_HOLE], "hasM": False, "hasZ": False, "spatialReference": SR},
        ),
        # already oriented: kept as given
        (
            "POLYGON (%s, %s)" % (ring_wkt(CW_SQUARE), ring_wkt(CCW_HOLE)),
            {"rings": [CW_SQUARE, CCW_HOLE], "hasM": False, "hasZ": False, "spatialReference": SR},
        ),
        # multipolygon: all rings in one flat list, each polygon's first ring clockwise
        (
            "MULTIPOLYGON ((%s), (%s, %s))" % (ring_wkt(CCW_SQUARE), ring_wkt(CW_SQUARE), ring_wkt(CW_HOLE)),
            {"rings": [CW_SQUARE, CW_SQUARE, CCW_HOLE], "hasM": False, "hasZ": False, "spatialReference": SR},
        ),
    ],
)
def test_shapes_and_key_order(wkt, expected):
    result = utils.wkt_to_ovrajson_dict(wkt)
    assert result == expected
    assert list(result) == list(expected)


def test_exact_python_types():
    result = utils.wkt_to_ovrajson_dict("POLYGON ((0 0, 1 0, 1 1, 0 0))")
    assert type(result["hasM"]) is bool and type(result["hasZ"]) is bool
    assert type(result["spatialReference"]["wkid"]) is int
    assert type(result["rings"]) is list and type(result["rings"][0]) is list
    assert all(type(p) is tuple for p in result["rings"][0])
    point = utils.wkt_to_ovrajson_dict("POINT (1 2)")
    assert type(point["x"]) is float and type(point["y"]) is float


def test_collinear_rings_follow_the_orientation_test():
    # a zero shoelace sum counts as not clockwise: an outer ring is reversed, a hole is kept
    line = [(0.0, 0.0), (1.0, 1.0), (2.0, 2.0), (0.0, 0.0)]
    result = utils.wkt_to_ovrajson_dict("POLYGON (%s, %s)" % (ring_wkt(line), ring_wkt(line)))
    assert result["rings"] == [list(reversed(line)), line]


def test_ewkb_srid_becomes_the_wkid():
    wkb = b"\x01" + struct.pack("<Ii2d", 0x20000001, 3857, 1, 2)
    assert utils.wkb_to_ovrajson_dict(wkb) == {"x": 1.0, "y": 2.0, "spatialReference": {"wkid": 3857}}


def frame(text):
    return "processing geometry `%s`" % text


MISMATCH = (
    "Coordinate dimension mismatch: all coordinates in a geometry must either all have or all lack Z and M "
    "values. Previously coordinates: (has_z, has_m) = %s, current: (has_z, has_m) = %s"
)


@pytest.mark.parametrize(
    "wkt, message",
    [
        ("LINESTRING (0 0, 1 1 1)", MISMATCH % ("(false, false)", "(true, false)")),
        ("LINESTRING (0 0 0 0, 1 1)", MISMATCH % ("(true, true)", "(false, false)")),
        ("MULTIPOINT (0 0 1, 1 1)", MISMATCH % ("(true, false)", "(false, false)")),
        ("LINESTRING EMPTY", "has_m not initialized"),
        ("POLYGON EMPTY", "has_m not initialized"),
        ("MULTIPOINT EMPTY", "has_m not initialized"),
        ("MULTILINESTRING (EMPTY)", "has_m not initialized"),
        ("MULTIPOLYGON EMPTY", "has_m not initialized"),
        ("POLYGON ((0 0, 1 1, 0 0))", "RuntimeError: ring must have at least 3 vertices"),
        ("POLYGON ((0 0, 1 0, 1 1, 0 0), (5 5, 5 5))", "RuntimeError: ring must have at least 3 vertices"),
    ],
)
def test_refused_geometries_are_runtime_errors_in_the_frame(wkt, message):
    with pytest.raises(RuntimeError) as raised:
        utils.wkt_to_ovrajson_dict(wkt)
    assert str(raised.value) == frame(message)


def test_mixed_dimensions_in_wkb_members_are_refused():
    member_2d = b"\x01" + struct.pack("<I2d", 1, 1, 2)
    member_z = b"\x01" + struct.pack("<I3d", 1001, 1, 2, 3)
    wkb = b"\x01" + struct.pack("<II", 4, 2) + member_2d + member_z
    with pytest.raises(RuntimeError, match=r"Coordinate dimension mismatch"):
        utils.wkb_to_ovrajson_dict(wkb)
    # GeoJSON takes positions of different lengths as they come
    assert utils.wkb_to_geojson_dict(wkb)["coordinates"] == [(1.0, 2.0), (1.0, 2.0, 3.0)]


@pytest.mark.parametrize(
    "convert, data",
    [
        (utils.wkt_to_ovrajson_dict, "GEOMETRYCOLLECTION (POINT (1 2))"),
        (utils.wkt_to_ovrajson_dict, "GEOMETRYCOLLECTION EMPTY"),
        (utils.wkb_to_ovrajson_dict, b"\x01" + struct.pack("<II", 7, 0)),
    ],
)
def test_geometry_collection_is_an_internal_failure(convert, data):
    with pytest.raises(PanicException) as raised:
        try:
            convert(data)
        except Exception:  # must not be caught here: PanicException is no Exception
            pytest.fail("PanicException was caught by `except Exception`")
    assert str(raised.value) == "not implemented"
