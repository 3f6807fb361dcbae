"""The wkt, wkb and ewkb properties and Geometry.from_wkt / from_wkb: exact texts and bytes for small
cases worked out by hand, round trips through our own readers for every class and dimensionality, and
shapely reading what we write as the same geometries."""

import math
import struct

import pytest
import shapely
from hypothesis import given, settings, strategies as st

import velmor_geometry as vg
from velmor_geometry import Geometry

# Awkward doubles: shortest digits, a tiny subnormal, a huge value, negative zero.
A, B, C = 0.1, 1 / 3, -2.5e300
TINY = 5e-324
F = 1e15

DIMS = {"XY": (False, False), "XYZ": (True, False), "XYM": (False, True), "XYZM": (True, True)}
KEYWORD = {"XY": "", "XYZ": " Z", "XYM": " M", "XYZM": " ZM"}
ISO_OFFSET = {"XY": 0, "XYZ": 1000, "XYM": 2000, "XYZM": 3000}
EWKB_FLAGS = {"XY": 0, "XYZ": 0x80000000, "XYM": 0x40000000, "XYZM": 0xC0000000}


def vertex(x, y, dims, k):
    has_z, has_m = DIMS[dims]
    return [x, y] + ([10.0 + k] if has_z else []) + ([-0.0 if k == 0 else B * k] if has_m else [])


def flags(dims):
    has_z, has_m = DIMS[dims]
    return {"hasZ": has_z, "hasM": has_m}


def path(points, dims):
    return [vertex(x, y, dims, k) for k, (x, y) in enumerate(points)]


# Outer rings clockwise, holes counter-clockwise, each hole after its outer ring: the order polygons
# hold their rings in and the readers give them back in.
SQUARE = [(0, 0), (0, 10), (10, 10), (10, 0), (0, 0)]
HOLE = [(2, 2), (4, 2), (4, 4), (2, 2)]
ISLAND = [(20, 20), (20, 21 + A), (21, 21), (20, 20)]


def linear_cases(dims):
    """(name, dictionary, shapely type, coordinate rows) for every class but the envelope."""
    line = [(A, B), (C, TINY), (1e15 + 0.5, -7)]
    cases = [
        ("point", {"x": A, "y": B, **dict(zip("zm", vertex(A, B, dims, 3)[2:]))} if dims != "XYM"
         else {"x": A, "y": B, "m": vertex(A, B, dims, 3)[2]}, "Point", [vertex(A, B, dims, 3)]),
        ("multipoint", {"points": path(line, dims), **flags(dims)}, "MultiPoint", path(line, dims)),
        ("one path", {"paths": [path(line, dims)], **flags(dims)}, "LineString", path(line, dims)),
        ("two paths", {"paths": [path(line, dims), path(line[:2], dims)], **flags(dims)}, "MultiLineString",
         path(line, dims) + path(line[:2], dims)),
        ("polygon with hole", {"rings": [path(SQUARE, dims), path(HOLE, dims)], **flags(dims)}, "Polygon",
         path(SQUARE, dims) + path(HOLE, dims)),
        ("two outer rings", {"rings": [path(SQUARE, dims), path(HOLE, dims), path(ISLAND, dims)], **flags(dims)},
         "MultiPolygon", path(SQUARE, dims) + path(HOLE, dims) + path(ISLAND, dims)),
    ]
    return cases


LINEAR = [pytest.param(dims, *case, id=f"{case[0]}-{dims}") for dims in DIMS for case in linear_cases(dims)]


@pytest.mark.parametrize("dims, name, data, shapely_type, rows", LINEAR)
def test_our_readers_give_back_the_geometry_bit_for_bit(dims, name, data, shapely_type, rows):
    g = Geometry(data)
    assert str(Geometry.from_wkt(g.wkt)) == str(g)
    assert str(Geometry.from_wkb(g.wkb)) == str(g)
    assert str(Geometry.from_wkb(g.ewkb)) == str(g)
    assert type(Geometry.from_wkb(g.wkb)) is type(g)


@pytest.mark.parametrize("dims, name, data, shapely_type, rows", LINEAR)
def test_shapely_reads_our_text_and_bytes_as_the_same_geometry(dims, name, data, shapely_type, rows):
    g = Geometry(data)
    has_z, has_m = DIMS[dims]
    from_text, from_bytes = shapely.from_wkt(g.wkt), shapely.from_wkb(g.wkb)
    for read in (from_text, from_bytes, shapely.from_wkb(g.ewkb)):
        assert read.geom_type == shapely_type
        assert shapely.has_z(read) == has_z and shapely.has_m(read) == has_m
        coordinates = shapely.get_coordinates(read, include_z=has_z, include_m=has_m).tolist()
        assert [[float(v) for v in row] for row in coordinates] == [[float(v) for v in row] for row in rows]
    assert shapely.equals_exact(from_text, from_bytes, tolerance=0)
    # And shapely writes the same bytes for what it read (ISO flavour, little-endian).
    assert shapely.to_wkb(from_bytes, flavor="iso", byte_order=1, output_dimension=4) == g.wkb


@pytest.mark.parametrize(
    "data, wkt",
    [
        ({"x": 1, "y": 2}, "POINT (1 2)"),
        ({"x": 1, "y": 2, "m": -0.0}, "POINT M (1 2 -0)"),
        ({"x": float("nan"), "y": float("nan")}, "POINT EMPTY"),
        ({"points": [[1, 2, 3, 4], [float("nan"), float("nan"), 1, 2]], "hasZ": True, "hasM": True},
         "MULTIPOINT ZM ((1 2 3 4), EMPTY)"),
        ({"paths": []}, "LINESTRING EMPTY"),
        ({"rings": [], "hasZ": True}, "POLYGON Z EMPTY"),
        ({"points": []}, "MULTIPOINT EMPTY"),
        ({"paths": [[[0.1, 1e21], [5e-324, -1.5]]]}, "LINESTRING (0.1 1000000000000000000000, "
         "0.000" + "0" * 320 + "5 -1.5)"),
        # An open ring is closed.
        ({"rings": [[[0, 0], [0, 1], [1, 1]]]}, "POLYGON ((0 0, 0 1, 1 1, 0 0))"),
        # A hole given before any other outer ring stays with the first polygon.
        ({"rings": [[[0, 0], [0, 9], [9, 9], [9, 0], [0, 0]], [[1, 1], [2, 1], [2, 2], [1, 1]]]},
         "POLYGON ((0 0, 0 9, 9 9, 9 0, 0 0), (1 1, 2 1, 2 2, 1 1))"),
        # Orientation far from the origin: two clockwise unit squares are two polygons.
        ({"rings": [[[F, F], [F, F + 1], [F + 1, F + 1], [F + 1, F], [F, F]],
                    [[F + 4, F], [F + 4, F + 1], [F + 5, F + 1], [F + 5, F], [F + 4, F]]]},
         "MULTIPOLYGON (((1000000000000000 1000000000000000, 1000000000000000 1000000000000001, "
         "1000000000000001 1000000000000001, 1000000000000001 1000000000000000, 1000000000000000 1000000000000000)), "
         "((1000000000000004 1000000000000000, 1000000000000004 1000000000000001, 1000000000000005 1000000000000001, "
         "1000000000000005 1000000000000000, 1000000000000004 1000000000000000)))"),
        # An envelope is its clockwise rectangle, in x and y only.
        ({"xmin": 1, "ymin": 2, "xmax": 3, "ymax": 4, "zmin": 0, "zmax": 1},
         "POLYGON ((1 2, 1 4, 3 4, 3 2, 1 2))"),
        ({"xmin": float("nan"), "ymin": 0, "xmax": 0, "ymax": 0}, "POLYGON EMPTY"),
    ],
)
def test_texts_worked_out_by_hand(data, wkt):
    assert Geometry(data).wkt == wkt


def header(dims, base, flavour, srid=None):
    if flavour == "iso":
        return struct.pack("<BI", 1, base + ISO_OFFSET[dims])
    word = base | EWKB_FLAGS[dims] | (0x20000000 if srid is not None else 0)
    return struct.pack("<BI", 1, word) + (struct.pack("<I", srid) if srid is not None else b"")


@pytest.mark.parametrize("dims", DIMS)
@pytest.mark.parametrize("srid", [None, 3857])
def test_bytes_worked_out_by_hand(dims, srid):
    reference = {"spatialReference": {"wkid": srid}} if srid else {}
    rows = path([(1, 2), (3, 4)], dims)
    line = Geometry({"paths": [rows], **flags(dims), **reference})
    body = struct.pack("<I", 2) + b"".join(struct.pack(f"<{len(r)}d", *r) for r in rows)
    assert line.wkb == header(dims, 2, "iso") + body
    assert line.ewkb == header(dims, 2, "ewkb", srid) + body
    # Polygon rings carry no header of their own; members of a multi geometry do, without the SRID.
    ring = path(SQUARE, dims)
    two = Geometry({"rings": [ring, path(ISLAND, dims)], **flags(dims), **reference})
    ring_bytes = lambda r: struct.pack("<I", len(r)) + b"".join(struct.pack(f"<{len(v)}d", *v) for v in r)
    expected = (header(dims, 6, "ewkb", srid) + struct.pack("<I", 2)
                + header(dims, 3, "ewkb") + struct.pack("<I", 1) + ring_bytes(ring)
                + header(dims, 3, "ewkb") + struct.pack("<I", 1) + ring_bytes(path(ISLAND, dims)))
    assert two.ewkb == expected


def test_empty_point_is_nan_coordinates_in_wkb():
    empty = Geometry({"x": float("nan"), "y": float("nan")})
    assert empty.wkb == struct.pack("<BIdd", 1, 1, math.nan, math.nan)
    assert Geometry.from_wkb(empty.wkb).is_empty


def test_ewkb_srid_becomes_the_spatial_reference_and_plain_forms_carry_none():
    line = Geometry({"paths": [[[1, 2], [3, 4]]], "spatialReference": {"wkid": 3857}})
    assert Geometry.from_wkb(line.ewkb).spatial_reference.wkid == 3857
    assert Geometry.from_wkb(line.wkb).spatial_reference is None
    assert Geometry.from_wkt(line.wkt).spatial_reference is None


@pytest.mark.parametrize("convert", [bytes, bytearray, memoryview])
def test_from_wkb_takes_any_bytes_like_object(convert):
    line = Geometry({"paths": [[[1, 2], [3, 4]]]})
    assert str(Geometry.from_wkb(convert(line.wkb))) == str(line)


@pytest.mark.parametrize(
    "call, error, message",
    [
        (lambda: Geometry.from_wkt(b"POINT (1 2)"), TypeError, "wkt"),
        (lambda: Geometry.from_wkb(12), TypeError, "wkb"),
        (lambda: Geometry.from_wkb("0101"), ValueError, "cannot read the WKB as a geometry: .*WKB ends early"),
        (lambda: Geometry.from_wkb("01 0x"), ValueError, "non-hexadecimal"),
        (lambda: Geometry.from_wkt("POINT (1 2"), ValueError, "cannot read the WKT as a geometry: "),
        (lambda: Geometry.from_wkb(b"\x01\x01\x00"), ValueError, "WKB ends early"),
    ],
)
def test_unreadable_input_is_refused_with_the_readers_errors(call, error, message):
    with pytest.raises(error, match=message.replace("(", r"\(")):
        call()


def test_properties_are_read_only_on_every_class():
    for g in (Geometry({"x": 1, "y": 2}), Geometry({"xmin": 0, "ymin": 0, "xmax": 1, "ymax": 1}),
              Geometry({"points": [[1, 2]]}), Geometry({"paths": [[[1, 2], [3, 4]]]}),
              Geometry({"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]]})):
        for name in ("wkt", "wkb", "ewkb"):
            with pytest.raises(AttributeError):
                setattr(g, name, None)


def test_envelope_reads_back_as_its_polygon():
    envelope = vg.Envelope({"xmin": 1, "ymin": 2, "xmax": 3, "ymax": 4})
    polygon = Geometry.from_wkb(envelope.wkb)
    assert isinstance(polygon, vg.Polygon)
    assert str(polygon) == str(Geometry({"rings": [[[1, 2], [1, 4], [3, 4], [3, 2], [1, 2]]]}))


finite = st.floats(allow_nan=False, allow_infinity=False)


@settings(max_examples=200, deadline=None)
@given(dims=st.sampled_from(list(DIMS)), paths=st.lists(st.lists(st.tuples(finite, finite, finite, finite),
                                                               min_size=2, max_size=6), min_size=1, max_size=3))
def test_any_finite_polyline_reads_back_bit_for_bit(dims, paths):
    has_z, has_m = DIMS[dims]
    rows = [[[x, y] + ([z] if has_z else []) + ([m] if has_m else []) for x, y, z, m in path] for path in paths]
    g = Geometry({"paths": rows, **flags(dims)})
    assert str(Geometry.from_wkt(g.wkt)) == str(g)
    assert str(Geometry.from_wkb(g.wkb)) == str(g)
    assert shapely.to_wkb(shapely.from_wkb(g.wkb), flavor="iso", byte_order=1, output_dimension=4) == g.wkb


def test_class_methods_take_their_argument_by_name_on_every_class():
    import inspect

    assert str(inspect.signature(Geometry.from_wkt)) == "(wkt)"
    assert str(inspect.signature(Geometry.from_wkb)) == "(wkb)"
    point = Geometry({"x": 1, "y": 2})
    assert type(vg.Point.from_wkb(wkb=point.wkb)) is vg.Point
    assert str(vg.Point.from_wkt(wkt=point.wkt)) == str(point)
