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


GEOJSON_PEERS = [
    shapely.Point(1, 2),
    shapely.Point(1, 2, 3),
    shapely.MultiPoint([(0, 0), (1, 2)]),
    shapely.LineString([(0, 0), (1, 1), (2, 0)]),
    shapely.MultiLineString([[(0, 0), (1, 1)], [(5, 5), (6, 7)]]),
    # GeoJSON writes outer rings counter-clockwise and holes clockwise: the reverse of this model.
    shapely.Polygon([(0, 0), (10, 0), (10, 10), (0, 10)], [[(2, 2), (2, 4), (4, 4), (4, 2)]]),
    shapely.Polygon([(0, 0, 1), (0, 10, 2), (10, 10, 3), (0, 0, 1)]),
    shapely.MultiPolygon([shapely.box(0, 0, 1, 1), shapely.box(5, 5, 6, 6, ccw=False)]),
]


@pytest.mark.parametrize("peer", GEOJSON_PEERS, ids=lambda g: g.geom_type)
def test_geojson_as_dict_text_or_geo_interface_reads_as_shapely_sees_it(peer):
    import json

    mapping = shapely.geometry.mapping(peer)
    forms = [peer, mapping, json.dumps(mapping), json.dumps(mapping).encode()]
    read = [Geometry.from_geojson(form) for form in forms]
    assert len({str(g) for g in read}) == 1
    ours = read[0]
    assert ours.spatial_reference is None and ours.has_z == peer.has_z
    back = shapely.from_wkb(ours.wkb)
    assert shapely.equals(back, peer)
    if isinstance(ours, vg.Polygon):
        # Each outer ring clockwise, then its holes counter-clockwise.
        expected = [flag for part in shapely.get_parts(peer) for flag in [False] + [True] * len(part.interiors)]
        assert [shapely.LinearRing([tuple(c) for c in ring]).is_ccw for ring in ours.rings] == expected
    else:
        coordinates = shapely.get_coordinates(peer, include_z=peer.has_z).tolist()
        assert shapely.get_coordinates(back, include_z=peer.has_z).tolist() == coordinates


def test_geojson_empty_point_and_spatial_reference():
    empty = Geometry.from_geojson(shapely.Point())
    assert type(empty) is vg.Point and empty.is_empty
    for reference in (vg.SpatialReference({"wkid": 3857}), {"wkid": 3857}):
        point = Geometry.from_geojson({"type": "Point", "coordinates": [1, 2]}, spatial_reference=reference)
        assert point.spatial_reference.wkid == 3857
    line = vg.Polyline.from_geojson({"type": "LineString", "coordinates": [[0, 0], [1, 1]]}, None)
    assert line.spatial_reference is None


@pytest.mark.parametrize("value, message", [
    ({"type": "GeometryCollection", "geometries": [{"type": "Point", "coordinates": [1, 2]}]},
     "geometry collection"),
    ({"type": "Feature", "geometry": None}, "the type 'Feature' is not a GeoJSON geometry type"),
    ({"coordinates": [1, 2]}, "no text under 'type'"),
    ({"type": "Point"}, "the Point has no 'coordinates'"),
    ({"type": "LineString", "coordinates": [[0, 0], [1, "a"]]}, r"coordinates\[1\] holds a str, not a number"),
    ({"type": "MultiPolygon", "coordinates": [[[[0, 0], [1]]]]}, r"coordinates\[0\]\[0\]\[1\] has 1 numbers"),
    ({"type": "Polygon", "coordinates": [[[0, 0], [1, 1], [0, 0]]]}, "at least 3 vertices"),
    ({"type": "Polygon", "coordinates": 5}, "coordinates is a int, not a list"),
    ('{"type": "Point"', "Expecting"),
])
def test_geojson_without_a_geometry_of_this_model_is_a_value_error(value, message):
    with pytest.raises(ValueError, match=message):
        Geometry.from_geojson(value)


def test_geojson_refuses_other_values_and_other_classes():
    with pytest.raises(TypeError, match="'int' object is not a GeoJSON geometry"):
        Geometry.from_geojson(5)
    with pytest.raises(TypeError, match="Polygon.from_geojson: the input holds a Point, not a Polygon"):
        vg.Polygon.from_geojson(shapely.Point(1, 2))


@pytest.mark.parametrize("text", ["POINT (1 2)", b"LINESTRING (0 0, 1 1)", "01010000000000"])
def test_factory_given_another_format_keeps_its_message_and_notes_the_readers(text):
    with pytest.raises(Exception) as raised:
        Geometry(text)
    assert str(raised.value).startswith("Geokern library error: '")
    assert any("Geometry.from_wkt" in note and "Geometry.from_wkb" in note and "Geometry.from_geojson" in note
               for note in raised.value.__notes__)


def test_factory_given_broken_ovrajson_adds_no_note():
    with pytest.raises(Exception) as raised:
        Geometry('{"x": ')
    assert not getattr(raised.value, "__notes__", [])
