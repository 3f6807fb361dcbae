"""Geometry.from_wkt and Geometry.from_wkb: what they refuse and how, EMPTY inputs, hexadecimal WKB,
the class they are called on, and the same geometries as the road through the OvraJSON dictionary."""

import pytest
import shapely

import velmor_geometry as vg
from velmor_geometry import Geometry, utils

COLLECTIONS = [
    "GEOMETRYCOLLECTION (POINT (1 2))",
    "GEOMETRYCOLLECTION EMPTY",
    "GEOMETRYCOLLECTION (LINESTRING (0 0, 1 1), GEOMETRYCOLLECTION (POINT (3 4)))",
]


def wkb_forms(text):
    """The WKB of a text as shapely writes it: bytes, and hexadecimal text in both cases."""
    data = shapely.to_wkb(shapely.from_wkt(text))
    return [data, data.hex(), data.hex().upper()]


@pytest.mark.parametrize("text", COLLECTIONS)
def test_a_geometry_collection_is_a_value_error_not_a_panic(text):
    calls = [lambda: Geometry.from_wkt(text)] + [lambda w=w: Geometry.from_wkb(w) for w in wkb_forms(text)]
    for call in calls:
        with pytest.raises(ValueError, match="geometry collection"):
            call()


@pytest.mark.parametrize("text, cls", [
    ("POINT EMPTY", vg.Point),
    ("POINT Z EMPTY", vg.Point),
    ("LINESTRING EMPTY", vg.Polyline),
    ("MULTILINESTRING EMPTY", vg.Polyline),
    ("CIRCULARSTRING EMPTY", vg.Polyline),
    ("COMPOUNDCURVE EMPTY", vg.Polyline),
    ("MULTICURVE EMPTY", vg.Polyline),
    ("POLYGON EMPTY", vg.Polygon),
    ("MULTIPOLYGON EMPTY", vg.Polygon),
    ("CURVEPOLYGON EMPTY", vg.Polygon),
    ("MULTISURFACE EMPTY", vg.Polygon),
    ("MULTIPOINT EMPTY", vg.MultiPoint),
])
def test_an_empty_text_is_an_empty_geometry_of_its_class(text, cls):
    read = Geometry.from_wkt(text)
    assert type(read) is cls and read.is_empty
    assert read.spatial_reference is None and not read.has_z and not read.has_m
    assert vg.Geometry.from_wkt(read.wkt).wkt == read.wkt
    if "CURVE" not in text and "SURFACE" not in text and "CIRCULAR" not in text:
        assert shapely.from_wkt(text).is_empty
        for form in wkb_forms(text):
            back = Geometry.from_wkb(form)
            assert type(back) is cls and back.is_empty


@pytest.mark.parametrize("text, message", [
    ("POINT (1 2", "cannot read the WKT as a geometry: "),
    ("TIN EMPTY", "Unknown geometry type 'TIN'"),
    ("LINESTRING (0 0, 1 1 1)", "one geometry has one dimensionality"),
    ("POLYGON ((0 0, 1 1, 0 0))", "a polygon ring needs at least 3 vertices"),
    ("POLYGON ((0 0, 0 1, 1 1, 0 0), EMPTY)", "a polygon ring needs at least 3 vertices"),
    ("MULTIPOINT (EMPTY, (1 2))", "empty point inside a MULTIPOINT"),
])
def test_text_without_a_geometry_of_this_model_is_a_value_error_saying_why(text, message):
    with pytest.raises(ValueError, match=message.replace("(", r"\(")):
        Geometry.from_wkt(text)


def test_a_negative_ewkb_srid_is_a_value_error():
    point = shapely.to_wkb(shapely.set_srid(shapely.Point(1, 2), -1), include_srid=True)
    with pytest.raises(ValueError, match="the SRID -1 is negative"):
        Geometry.from_wkb(point)


@pytest.mark.parametrize("cls, text, read", [
    (vg.Polygon, "POINT (1 2)", "Point"),
    (vg.Point, "POLYGON ((0 0, 0 1, 1 1, 0 0))", "Polygon"),
    (vg.Polyline, "MULTIPOINT ((1 2))", "MultiPoint"),
    (vg.MultiPoint, "LINESTRING (0 0, 1 1)", "Polyline"),
])
def test_called_on_a_subclass_another_class_is_a_type_error_naming_both(cls, text, read):
    for call, method in [(lambda: cls.from_wkt(text), "from_wkt"),
                         (lambda: cls.from_wkb(shapely.to_wkb(shapely.from_wkt(text))), "from_wkb")]:
        with pytest.raises(TypeError) as raised:
            call()
        assert str(raised.value) == f"{cls.__name__}.{method}: the input holds a {read}, not a {cls.__name__}"
    assert type(Geometry.from_wkt(text)).__name__ == read


# Inputs whose geometry the dictionary road also gives: rings either way round (outer rings end
# clockwise, holes counter-clockwise), every dimensionality, circular arcs, a full circle that must be
# turned, and pieces of compound curves.
SAME_AS_DICTIONARY = [
    "POINT (1 2)",
    "POINT ZM (1 2 3 4)",
    "MULTIPOINT M ((1 2 3), (4 5 6))",
    "LINESTRING Z (0 0 1, 1 1 2, 2 0 3)",
    "MULTILINESTRING ((0 0, 1 1), (2 2, 3 3, 4 2))",
    "POLYGON ((0 0, 10 0, 10 10, 0 10, 0 0), (2 2, 2 4, 4 4, 4 2, 2 2))",
    "POLYGON ((0 0, 0 10, 10 10, 10 0, 0 0), (2 2, 4 2, 4 4, 2 4, 2 2))",
    "MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)), ((5 5, 5 6, 6 6, 5 5)), EMPTY)",
    "POLYGON M ((0 0 1, 1 0 2, 1 1 3, 0 0 1))",
    "CIRCULARSTRING (0 0, 1 1, 2 0)",
    "COMPOUNDCURVE ((0 0, 1 0), CIRCULARSTRING (1 0, 2 1, 3 0), (3 0, 4 4))",
    "MULTICURVE ((0 0, 1 1), CIRCULARSTRING (0 0, 1 1, 2 0))",
    "CURVEPOLYGON (CIRCULARSTRING (0 0, 1 1, 0 0))",
    "CURVEPOLYGON Z (CIRCULARSTRING Z (0 0 5, 2 0 6, 0 0 5))",
    "CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 0 0)), (0.5 0.2, 1.5 0.2, 1 0.5, 0.5 0.2))",
    "MULTISURFACE (CURVEPOLYGON (CIRCULARSTRING (0 0, 1 -1, 2 0, 1 1, 0 0)), ((5 5, 6 5, 6 6, 5 5)))",
]


def through_dictionary(dictionary, keep_spatial_reference=False):
    if not keep_spatial_reference:
        dictionary.pop("spatialReference", None)
    if dictionary.get("x", 0) is None:
        dictionary.update(x=float("nan"), y=float("nan"))
    return Geometry(dictionary)


@pytest.mark.parametrize("text", SAME_AS_DICTIONARY)
def test_same_geometry_as_the_road_through_the_dictionary(text):
    expected = through_dictionary(utils.wkt_to_ovrajson_dict(text))
    read = Geometry.from_wkt(text)
    assert type(read) is type(expected) and str(read) == str(expected)
    wkb = read.wkb
    assert str(Geometry.from_wkb(wkb)) == str(through_dictionary(utils.wkb_to_ovrajson_dict(wkb)))
    ewkb = Geometry({**read.to_dict(), "spatialReference": {"wkid": 3857}}).ewkb
    with_srid = Geometry.from_wkb(ewkb)
    assert with_srid.spatial_reference.wkid == 3857
    assert str(with_srid) == str(through_dictionary(utils.wkb_to_ovrajson_dict(ewkb), True))


def test_outer_rings_end_clockwise_and_holes_counter_clockwise_as_shapely_sees_them():
    text = "MULTIPOLYGON (((0 0, 10 0, 10 10, 0 10, 0 0), (2 2, 2 4, 4 4, 4 2, 2 2)), ((20 0, 21 0, 21 1, 20 0)))"
    rings = Geometry.from_wkt(text).rings
    orientation = [shapely.LinearRing([tuple(c) for c in ring]).is_ccw for ring in rings]
    assert orientation == [False, True, False]
    assert shapely.equals(shapely.from_wkb(Geometry.from_wkt(text).wkb), shapely.from_wkt(text))
