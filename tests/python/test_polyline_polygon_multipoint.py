"""Polyline, Polygon and MultiPoint: construction, live container views, dimension checks, text forms
and the runtime conversions."""

import json

import pytest
from hypothesis import given, settings, strategies as st

from velmor_geometry import (
    CurveMultipart,
    Geometry,
    Multipart,
    MultiPoint,
    Part,
    Point,
    Polygon,
    Polyline,
)

SQUARE = [[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]]
ARC_PATH = [[0, 0], {"c": [[2, 0], [1, 1]]}]


@pytest.mark.parametrize(
    "cls, form, text",
    [
        (Polyline, {"paths": []}, '{"paths": []}'),
        (Polyline, {"paths": [[[1, 2], [3, 4]]], "hasM": True}, '{"hasM": true, "paths": [[[1, 2, NaN], [3, 4, NaN]]]}'),
        (Polyline, {"curvePaths": [ARC_PATH]}, '{"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}]], "paths": []}'),
        (
            Polygon,
            {"hasZ": True, "spatialReference": {"wkid": 4326}, "rings": [[[0, 0, 1], [1, 0, 1], [0, 1, 1]]]},
            '{"hasZ": true, "spatialReference": {"wkid":4326}, "rings": [[[0, 0, 1], [1, 0, 1], [0, 1, 1]]]}',
        ),
        (MultiPoint, {"points": []}, '{"points": []}'),
        (MultiPoint, {"points": [[1, 2, 3]], "hasZ": True}, '{"hasZ": true, "points": [[1, 2, 3]]}'),
    ],
)
def test_dictionary_forms_and_text(cls, form, text):
    geometry = cls(form)
    assert type(geometry) is cls and type(Geometry(form)) is cls
    assert str(geometry) == repr(geometry) == text


@pytest.mark.parametrize(
    "cls, message",
    [
        (Polyline, "Polyline.push_part expects a Part or a dict"),
        (Polygon, "Polygon.push_part expects a Part or a dict"),
        (MultiPoint, "MultiPoint from_py expects a MultiPoint or dict"),
    ],
)
def test_constructor_refuses_other_values(cls, message):
    with pytest.raises(TypeError) as raised:
        cls([[1, 2]])
    assert str(raised.value) == message
    with pytest.raises(TypeError):
        cls(Point({"x": 1, "y": 2}))


def test_two_vertex_ring_is_refused_in_a_dictionary_but_not_on_assignment():
    with pytest.raises(Exception, match="^Ring must have sufficient data to enclose an area"):
        Polygon({"rings": [[[0, 0], [1, 1]]]})
    polygon = Polygon({"rings": [SQUARE]})
    polygon.rings = [[[0, 0], [1, 1]]]
    assert str(polygon) == '{"rings": [[[0, 0], [1, 1]]]}'


def test_multipoint_without_points():
    with pytest.raises(Exception) as raised:
        MultiPoint({"hasZ": True})
    assert str(raised.value) == "Resolution error: 'Did not find points in multipoint dict'"


@pytest.mark.parametrize(
    "form, empty",
    [({"paths": []}, True), ({"paths": [[]]}, False), ({"curvePaths": [ARC_PATH]}, False)],
)
def test_polyline_emptiness(form, empty):
    assert Polyline(form).is_empty is empty


def test_copies_and_views_share_the_containers():
    polyline = Polyline({"paths": [[[0, 0], [1, 1]]]})
    copy = Polyline(polyline)
    copy.paths = [[[5, 5], [6, 6]]]
    assert str(polyline) == '{"paths": [[[5, 5], [6, 6]]]}'
    view = polyline.paths
    assert isinstance(view, Multipart) and isinstance(polyline.curve_paths, CurveMultipart)
    view.append([[7, 7], [8, 8]])
    assert str(copy) == '{"paths": [[[5, 5], [6, 6]], [[7, 7], [8, 8]]]}'


def test_assigned_view_is_shared_and_the_replaced_container_detached():
    first = Polyline({"paths": [[[0, 0], [1, 1]]]})
    second = Polyline({"paths": []})
    old = second.paths
    second.paths = first.paths
    first.paths.append([[2, 2], [3, 3]])
    assert str(second) == str(first)
    old.append([[9, 9], [9, 8]])
    assert "9" not in str(second)


@pytest.mark.parametrize(
    "cls, form, name, value",
    [
        (Polyline, {"paths": [[[0, 0], [1, 1]]]}, "paths", Polyline({"hasZ": True, "paths": [[[0, 0, 1]]]}).paths),
        (Polyline, {"paths": []}, "curve_paths", Polyline({"hasM": True, "curvePaths": [ARC_PATH]}).curve_paths),
        (Polygon, {"rings": [SQUARE]}, "rings", Polygon({"hasZ": True, "hasM": True, "rings": []}).rings),
        (MultiPoint, {"points": [[1, 2]]}, "points", MultiPoint({"hasZ": True, "points": [[1, 2, 3]]}).points),
    ],
)
def test_container_of_other_dimensions_is_refused(cls, form, name, value):
    geometry = cls(form)
    before = str(geometry)
    with pytest.raises(Exception, match="^Mismatching dimensions") as raised:
        setattr(geometry, name, value)
    assert type(raised.value) is Exception
    assert str(geometry) == before


@pytest.mark.parametrize(
    "cls, form, name, value, message",
    [
        (Polyline, {"paths": []}, "paths", 5, "Multipart from_py requires a Multipart or a list"),
        (Polygon, {"rings": []}, "curve_rings", "x", "Multipart from_py requires a Multipart or a list"),
        (MultiPoint, {"points": []}, "points", (1, 2), "Part from_py requires a Part or a list"),
    ],
)
def test_container_of_another_class_is_refused(cls, form, name, value, message):
    geometry = cls(form)
    with pytest.raises(TypeError, match=f"^{message}$"):
        setattr(geometry, name, value)
    with pytest.raises(AttributeError, match="^can't delete attribute$"):
        delattr(geometry, name)


def test_multipoint_points_view():
    multipoint = MultiPoint({"points": []})
    assert multipoint.is_empty
    points = multipoint.points
    assert isinstance(points, Part)
    points.append([1, 2])
    assert not multipoint.is_empty
    assert str(MultiPoint(multipoint)) == '{"points": [[1, 2]]}'
    multipoint.points = [[3, 4], [5, 6]]
    assert str(multipoint) == '{"points": [[3, 4], [5, 6]]}'


@pytest.mark.parametrize(
    "geometry, kind",
    [
        (Polyline({"paths": []}), "Polyline"),
        (Polygon({"rings": []}), "Polygon"),
        (MultiPoint({"points": []}), "MultiPoint"),
    ],
)
def test_read_only_members(geometry, kind):
    assert geometry.geometry_type == kind
    assert geometry.ids is None
    assert (geometry.has_z, geometry.has_m) == (False, False)
    geometry.spatial_reference = {"wkid": 3857}
    assert geometry.spatial_reference.wkid == 3857
    with pytest.raises(Exception, match="cannot be cast as 'PyDict'"):
        geometry.spatial_reference = None
    assert geometry.spatial_reference.wkid == 3857


def test_polygon_members():
    polygon = Polygon({"rings": [SQUARE]})
    assert polygon.is_polygon() is True
    assert polygon.extent == (0.0, 0.0, 10.0, 10.0)
    assert polygon.centroid == (5.0, 5.0)
    assert polygon.has_curves is False
    with pytest.raises(Exception, match="^Geokern library error: '") as raised:
        polygon.polyline
    assert type(raised.value) is Exception


def test_runtime_round_trip_regroups_by_curves():
    polyline = Polyline({"paths": [[[5, 5], [6, 6]]], "curvePaths": [ARC_PATH, [[0, 0], [1, 1]]]})
    assert polyline.has_curves is True
    envelope = polyline.envelope
    assert (envelope.xmin, envelope.ymin, envelope.xmax, envelope.zmin) == (0.0, 0.0, 6.0, None)
    carrier = polyline.__gkn_geo()
    assert carrier is not polyline.__gkn_geo()


def test_polyline_engine_members_reach_the_runtime_core():
    line = Polyline({"paths": [[[0, 0], [10, 0]]]})
    extended = line.extend(Polyline({"paths": [[[20, -5], [20, 5]]]}))
    assert type(extended) is Polyline and extended is not line
    assert extended.to_dict()["paths"] == [[[0, 0], [10, 0], [20, 0]]]
    assert line.extend(Polyline({"paths": [[[0, 5], [10, 5]]]})) is None  # no end reaches it
    point = line.with_point_along(5)
    assert type(point) is Point and (point.x, point.y) == (5.0, 0.0)
    assert line.fraction_along(Point({"x": 5, "y": 0}), 0.1) == pytest.approx(0.5)
    with pytest.raises(TypeError) as raised:
        line.fraction_along(Point({"x": 5, "y": 0}), -1.0)
    assert str(raised.value).startswith("fraction_along failed: ")


@pytest.mark.parametrize(
    "call",
    [
        lambda line: line.extend(Point({"x": 1, "y": 2})),
        lambda line: line.extend(line, extend_options=3),
        lambda line: line.fraction_along({"x": 1, "y": 2}, 0.1),
        lambda line: line.fraction_along(Point({"x": 1, "y": 2}), "near"),
        lambda line: line.with_point_along("far"),
        lambda line: line.with_point_along(),
    ],
)
def test_polyline_engine_members_check_their_arguments(call):
    with pytest.raises(TypeError):
        call(Polyline({"paths": [[[0, 0], [10, 0]]]}))


def test_label_point_is_a_method():
    polygon = Polygon({"rings": [SQUARE]})
    label = polygon.label_point()
    assert type(label) is Point and label.within(polygon)


@pytest.mark.parametrize(
    "geometry",
    [
        Polyline({"paths": [[[1, 2], [3, 4]]], "spatialReference": {"wkid": 4326}}),
        Polygon({"rings": [SQUARE]}),
        MultiPoint({"points": [[1, 2], [3, 4]]}),
    ],
)
def test_json_is_written_by_the_runtime_core(geometry):
    assert geometry.to_dict() == json.loads(geometry.JSON)
    assert str(Geometry(geometry.to_dict())) == str(geometry)


finite = st.floats(allow_nan=False, allow_infinity=False, width=32)
vertex = st.lists(finite, min_size=2, max_size=2)


def read_text(text):
    return json.loads(text, parse_int=lambda digits: -0.0 if digits == "-0" else int(digits))


@settings(max_examples=50)
@given(st.lists(st.lists(vertex, max_size=4), max_size=3), st.lists(vertex, max_size=4))
def test_written_text_reads_back(paths, points):
    for geometry in (Polyline({"paths": paths}), MultiPoint({"points": points})):
        again = Geometry(read_text(str(geometry)))
        assert type(again) is type(geometry) and str(again) == str(geometry)
