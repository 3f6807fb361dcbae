"""WKT and WKB/EWKB to GeoJSON dictionaries: shapes, types, errors and hostile input."""

import struct

import pytest

from velmor_geometry import utils

CRS_4326 = {"type": "name", "properties": {"name": "EPSG:4326"}}
META_4326 = {"srid": 4326}


def strip_crs(geometry):
    """The dictionary without "meta"/"crs" (members of a collection too), after checking their form."""
    out = {}
    for key, value in geometry.items():
        if key in ("meta", "crs"):
            continue
        out[key] = [strip_crs(g) for g in value] if key == "geometries" else value
    return out


@pytest.mark.parametrize(
    "wkt, expected",
    [
        ("POINT (1 2)", {"type": "Point", "coordinates": (1.0, 2.0)}),
        ("POINT EMPTY", {"type": "Point", "coordinates": []}),
        ("POINT M (1 2 3)", {"type": "Point", "coordinates": (1.0, 2.0, 3.0)}),
        ("POINT ZM (1 2 3 4)", {"type": "Point", "coordinates": (1.0, 2.0, 3.0, 4.0)}),
        ("LINESTRING (1 2, 3 4)", {"type": "LineString", "coordinates": [(1.0, 2.0), (3.0, 4.0)]}),
        ("LINESTRING (0 0, 1 1 1)", {"type": "LineString", "coordinates": [(0.0, 0.0), (1.0, 1.0, 1.0)]}),
        ("LINESTRING EMPTY", {"type": "LineString", "coordinates": []}),
        # a clockwise ring stays as given
        (
            "POLYGON ((0 0, 0 1, 1 1, 1 0, 0 0))",
            {"type": "Polygon", "coordinates": [[(0.0, 0.0), (0.0, 1.0), (1.0, 1.0), (1.0, 0.0), (0.0, 0.0)]]},
        ),
        ("MULTIPOINT (1 2, (3 4))", {"type": "MultiPoint", "coordinates": [(1.0, 2.0), (3.0, 4.0)]}),
        (
            "MULTILINESTRING ((1 2, 3 4), EMPTY)",
            {"type": "MultiLineString", "coordinates": [[(1.0, 2.0), (3.0, 4.0)], []]},
        ),
        (
            "multipolygon (((0 0, 1 0, 1 1, 0 0)), ((5 5, 6 5, 6 6, 5 5)))",
            {
                "type": "MultiPolygon",
                "coordinates": [
                    [[(0.0, 0.0), (1.0, 0.0), (1.0, 1.0), (0.0, 0.0)]],
                    [[(5.0, 5.0), (6.0, 5.0), (6.0, 6.0), (5.0, 5.0)]],
                ],
            },
        ),
        (
            "GEOMETRYCOLLECTION (POINT (1 2), GEOMETRYCOLLECTION (LINESTRING (0 0, 1 1)))",
            {
                "type": "GeometryCollection",
                "geometries": [
                    {"type": "Point", "coordinates": (1.0, 2.0)},
                    {
                        "type": "GeometryCollection",
                        "geometries": [{"type": "LineString", "coordinates": [(0.0, 0.0), (1.0, 1.0)]}],
                    },
                ],
            },
        ),
    ],
)
def test_wkt_shapes(wkt, expected):
    result = utils.wkt_to_geojson_dict(wkt)
    assert strip_crs(result) == expected
    assert type(result["coordinates" if "coordinates" in result else "geometries"]) is type(
        expected.get("coordinates", expected.get("geometries"))
    )


def test_exact_python_types_and_key_order():
    result = utils.wkt_to_geojson_dict("POLYGON ((0 0, 1 0, 1 1, 0 0))")
    assert list(result) == ["type", "coordinates", "meta", "crs"]
    assert result["meta"] == META_4326 and result["crs"] == CRS_4326
    assert type(result["meta"]["srid"]) is int
    ring = result["coordinates"][0]
    assert type(result["coordinates"]) is list and type(ring) is list
    assert all(type(p) is tuple and all(type(v) is float for v in p) for p in ring)


def test_every_collection_member_carries_its_own_crs():
    result = utils.wkt_to_geojson_dict("GEOMETRYCOLLECTION (POINT (1 2), LINESTRING (0 0, 1 1))")
    assert list(result) == ["type", "geometries", "meta", "crs"]
    for member in result["geometries"]:
        assert member["meta"] == META_4326 and member["crs"] == CRS_4326
    # fresh objects each time: changing one member's crs does not change another's
    result["geometries"][0]["meta"]["srid"] = 1
    assert result["geometries"][1]["meta"]["srid"] == 4326


def point_wkb(x, y, *, order="<", type_word=1, srid=None, extra=()):
    body = struct.pack(order + "I", type_word)
    if srid is not None:
        body += struct.pack(order + "i", srid)
    body += struct.pack(order + "%dd" % (2 + len(extra)), x, y, *extra)
    return (b"\x01" if order == "<" else b"\x00") + body


@pytest.mark.parametrize(
    "wkb, coordinates, srid",
    [
        (point_wkb(1, 2), (1.0, 2.0), 4326),
        (point_wkb(1, 2, order=">"), (1.0, 2.0), 4326),
        (point_wkb(1, 2, type_word=1001, extra=(3,)), (1.0, 2.0, 3.0), 4326),
        (point_wkb(1, 2, type_word=2001, extra=(3,)), (1.0, 2.0, 3.0), 4326),
        (point_wkb(1, 2, type_word=3001, extra=(3, 4)), (1.0, 2.0, 3.0, 4.0), 4326),
        (point_wkb(1, 2, type_word=0x20000001, srid=3857), (1.0, 2.0), 3857),
        (point_wkb(1, 2, order=">", type_word=0xA0000001, srid=2056, extra=(3,)), (1.0, 2.0, 3.0), 2056),
        (point_wkb(1, 2, type_word=0x40000001, extra=(3,)), (1.0, 2.0, 3.0), 4326),
        (point_wkb(1, 2, type_word=0xC0000001, extra=(3, 4)), (1.0, 2.0, 3.0, 4.0), 4326),
        (point_wkb(1, 2, type_word=0x20000001, srid=-1), (1.0, 2.0), -1),
    ],
)
def test_wkb_and_ewkb_points(wkb, coordinates, srid):
    result = utils.wkb_to_geojson_dict(wkb)
    assert result["coordinates"] == coordinates
    assert result["meta"] == {"srid": srid}
    assert result["crs"]["properties"]["name"] == "EPSG:%d" % srid


def test_ewkb_srid_reaches_every_collection_member():
    member = point_wkb(1, 2)
    wkb = b"\x01" + struct.pack("<IiI", 0x20000007, 3857, 2) + member + member
    result = utils.wkb_to_geojson_dict(wkb)
    assert [g["meta"]["srid"] for g in result["geometries"]] == [3857, 3857]
    assert result["crs"]["properties"]["name"] == "EPSG:3857"


def test_nan_point_is_the_empty_point():
    assert utils.wkb_to_geojson_dict(point_wkb(float("nan"), float("nan")))["coordinates"] == []


INVALID_WKT = [
        ("POINT (1 2", "Missing closing parenthesis for type"),
        ("POINT 1 2)", "Missing open parenthesis for type"),
        ("", "Invalid WKT format"),
        ("GEOMETRYCOLLECTION (42)", "Expected a word in GEOMETRYCOLLECTION"),
        ("TRIANGLE ((0 0, 1 0, 0 1, 0 0))", "Unknown geometry type 'TRIANGLE'"),
        ("POINT (1 2) POINT (3 4)", "Unexpected text after the geometry"),
        ("POINT Z (1 2)", "Expected a number for the Z coordinate"),
]


def both_conversions(geojson, ovrajson, cases):
    """Every case for the GeoJSON conversion; for OvraJSON only those that do not reach a collection,
    which OvraJSON refuses before the input error shows."""
    return [(geojson, *case) for case in cases] + [
        (ovrajson, *case) for case in cases if "GEOMETRYCOLLECTION" not in str(case[-1])
    ]


@pytest.mark.parametrize(
    "convert, wkt, message", both_conversions(utils.wkt_to_geojson_dict, utils.wkt_to_ovrajson_dict, INVALID_WKT)
)
def test_invalid_wkt_is_a_runtime_error_in_the_frame(convert, wkt, message):
    with pytest.raises(RuntimeError) as raised:
        convert(wkt)
    assert str(raised.value) == "processing geometry `%s`" % message


HOSTILE_WKB = [
    (b"\x01\x01\x00", "I/O error: WKB ends early"),
    (b"", "I/O error: WKB ends early"),
    (point_wkb(1, 2)[:-1], "I/O error: WKB ends early"),
    (point_wkb(1, 2) + b"\x00", "invalid WKB: 1 bytes left after the geometry"),
    (b"\x05" + point_wkb(1, 2)[1:], "invalid WKB: byte order 5"),
    (b"\x01" + struct.pack("<I", 17), "invalid WKB: unsupported geometry type 17"),
    (b"\x01" + struct.pack("<II", 2, 0xFFFFFFFF), "invalid WKB: 4294967295 points"),
    (
        b"\x01" + struct.pack("<II", 6, 0x7FFFFFFF) + b"\x00" * 64, "invalid WKB: 2147483647 members"
    ),
    (
        b"".join(b"\x01" + struct.pack("<II", 7, 1) for _ in range(100)) + point_wkb(1, 2),
        "invalid WKB: GEOMETRYCOLLECTION nested more than 64 levels deep"
    ),
    (
        b"\x01" + struct.pack("<II", 4, 1) + b"\x01" + struct.pack("<II", 2, 1) + b"\x00" * 16,
        "invalid WKB: member at byte 9 of a MULTIPOINT is a LINESTRING"
    ),
]


@pytest.mark.parametrize(
    "convert, wkb, message", both_conversions(utils.wkb_to_geojson_dict, utils.wkb_to_ovrajson_dict, HOSTILE_WKB)
)
def test_unreadable_wkb_is_a_runtime_error(convert, wkb, message):
    with pytest.raises(RuntimeError) as raised:
        convert(wkb)
    assert str(raised.value).startswith(message)


@pytest.mark.parametrize(
    "convert, argument, name, type_name",
    [
        (utils.wkt_to_geojson_dict, b"POINT (1 2)", "wkt", "bytes"),
        (utils.wkt_to_ovrajson_dict, None, "wkt", "NoneType"),
        (utils.wkb_to_geojson_dict, "0101000000", "wkb", "str"),
        (utils.wkb_to_ovrajson_dict, bytearray(b"\x01"), "wkb", "bytearray"),
    ],
)
def test_wrong_argument_type_is_a_type_error_naming_the_parameter(convert, argument, name, type_name):
    with pytest.raises(TypeError, match="argument '%s': '%s' object" % (name, type_name)):
        convert(argument)


def test_arguments_by_keyword_and_text_signatures():
    assert utils.wkt_to_geojson_dict(wkt="POINT (1 2)")["coordinates"] == (1.0, 2.0)
    assert utils.wkb_to_geojson_dict(wkb=point_wkb(1, 2))["coordinates"] == (1.0, 2.0)
    for name, parameter in [
        ("wkb_to_ovrajson_dict", "wkb"),
        ("wkb_to_geojson_dict", "wkb"),
        ("wkt_to_ovrajson_dict", "wkt"),
        ("wkt_to_geojson_dict", "wkt"),
    ]:
        function = getattr(utils, name)
        assert function.__text_signature__ == "(%s)" % parameter
        assert function.__doc__ is None
    with pytest.raises(TypeError):
        utils.wkt_to_geojson_dict()
    with pytest.raises(TypeError):
        utils.wkt_to_geojson_dict("POINT (1 2)", "extra")


def test_registration_order():
    assert utils.__all__ == [
        "is_clockwise",
        "wkb_to_ovrajson_dict",
        "wkb_to_geojson_dict",
        "wkt_to_ovrajson_dict",
        "wkt_to_geojson_dict",
    ]


def test_large_input_round_trips_every_value():
    n = 200_000
    wkt = "LINESTRING (" + ", ".join("%d %d.5" % (i, -i) for i in range(n)) + ")"
    coordinates = utils.wkt_to_geojson_dict(wkt)["coordinates"]
    assert len(coordinates) == n and coordinates[-1] == (n - 1.0, -(n - 1) + 0.5 - 1.0)
    wkb = b"\x01" + struct.pack("<II", 2, n) + struct.pack("<%dd" % (2 * n), *range(2 * n))
    coordinates = utils.wkb_to_geojson_dict(wkb)["coordinates"]
    assert coordinates[n - 1] == (2.0 * n - 2, 2.0 * n - 1)
