"""The Point class: construction, coordinate and spatial reference properties, text forms, sharing."""

import json
import math

import pytest
from hypothesis import given, strategies as st

import velmor_geometry
from velmor_geometry import Envelope, Geometry, Point, SpatialReference


@pytest.mark.parametrize(
    "form, has_z, has_m, z, m, text",
    [
        ({"x": 1, "y": 2}, False, False, None, None, '{"x": 1, "y": 2}'),
        ({"x": 1, "y": 2, "z": 3}, True, False, 3.0, None, '{"x": 1, "y": 2, "z": 3}'),
        ({"x": 1, "y": 2, "m": 3}, False, True, None, 3.0, '{"x": 1, "y": 2, "m": 3}'),
        ({"x": 1.5, "y": -0.0, "z": 3, "m": 4}, True, True, 3.0, 4.0, '{"x": 1.5, "y": -0, "z": 3, "m": 4}'),
        ({"x": 1, "y": 2, "z": None, "m": None}, False, False, None, None, '{"x": 1, "y": 2}'),
        ({"x": 1, "y": 2, "hasZ": True}, False, False, None, None, '{"x": 1, "y": 2}'),
        (
            {"x": 1, "y": 2, "spatialReference": {"wkid": 4326, "latestWkid": 4326}},
            False,
            False,
            None,
            None,
            '{"spatialReference": {"wkid":4326,"latestWkid":4326}, "x": 1, "y": 2}',
        ),
    ],
)
def test_dictionary_forms(form, has_z, has_m, z, m, text):
    point = Point(form)
    assert (point.has_z, point.has_m, point.hasM, point.z, point.m) == (has_z, has_m, has_m, z, m)
    assert str(point) == repr(point) == text
    assert not point.is_empty


@pytest.mark.parametrize(
    "argument, error, message",
    [
        (5, TypeError, "Point from_py expects a Point object or a dict"),
        ([1, 2], TypeError, "Point from_py expects a Point object or a dict"),
        ({"y": 2}, Exception, "Resolution error: 'Did not find 'x' in dict during resolution'"),
        ({"x": 1}, Exception, "Resolution error: 'Did not find 'y' in dict during resolution'"),
    ],
)
def test_constructor_refusals(argument, error, message):
    with pytest.raises(error) as raised:
        Point(argument)
    assert type(raised.value) is error
    assert str(raised.value) == message


@pytest.mark.parametrize("form", [{"x": None, "y": 2}, {"x": "1", "y": 2}, {"x": 1, "y": 2, "z": "3"}])
def test_non_numbers_in_the_dictionary_are_type_errors(form):
    with pytest.raises(TypeError):
        Point(form)


def test_copy_shares_the_value_and_keyword_argument_is_accepted():
    first = Point(point={"x": 1, "y": 2})
    second = Point(first)
    second.x = 7
    second.z = 3
    assert (first.x, first.z) == (7.0, 3.0)
    assert str(first) == str(second) == '{"x": 7, "y": 2, "z": 3}'


def test_x_none_empties_and_a_number_refills():
    point = Point({"x": 1, "y": 2, "z": 3})
    point.x = None
    assert point.is_empty and math.isnan(point.x)
    assert str(point) == '{"x": null, "y": null, "z": null}'
    point.y = None  # y is not consulted for emptiness
    point.x = 4
    assert not point.is_empty and math.isnan(point.y)


@pytest.mark.parametrize("name", ["z", "m"])
def test_optional_values_are_added_and_removed(name):
    point = Point({"x": 1, "y": 2})
    setattr(point, name, 5)
    assert getattr(point, f"has_{name}") and getattr(point, name) == 5.0
    setattr(point, name, None)
    assert not getattr(point, f"has_{name}") and getattr(point, name) is None


@pytest.mark.parametrize("name, parameter", [("x", "x_in"), ("y", "y_in"), ("z", "z"), ("m", "m")])
def test_bad_assignment_names_the_parameter_and_changes_nothing(name, parameter):
    point = Point({"x": 1, "y": 2, "z": 3, "m": 4})
    with pytest.raises(TypeError, match=f"^{parameter}: "):
        setattr(point, name, "text")
    assert str(point) == '{"x": 1, "y": 2, "z": 3, "m": 4}'


@pytest.mark.parametrize("name", ["x", "y", "z", "m", "spatial_reference"])
def test_settable_properties_cannot_be_deleted(name):
    point = Point({"x": 1, "y": 2})
    with pytest.raises(AttributeError, match="^can't delete attribute$"):
        delattr(point, name)


def test_read_only_members():
    point = Point({"x": 1, "y": 2})
    assert point.id is None
    assert point.geometry_type == "Point"
    assert not hasattr(point, "hasZ")
    for name in ["has_z", "has_m", "hasM", "is_empty", "id", "geometry_type"]:
        with pytest.raises(AttributeError):
            setattr(point, name, True)


def test_spatial_reference_takes_only_dictionaries():
    point = Point({"x": 1, "y": 2})
    assert point.spatial_reference is None
    point.spatial_reference = {"wkid": 3857}
    reference = point.spatial_reference
    assert isinstance(reference, SpatialReference) and reference.wkid == 3857
    reference.wkid = 4326  # a copy: the point keeps its own
    assert point.spatial_reference.wkid == 3857
    for refused in [None, SpatialReference({"wkid": 4326}), 4326]:
        with pytest.raises(Exception, match="cannot be cast as 'PyDict'") as raised:
            point.spatial_reference = refused
        assert type(raised.value) is Exception
        assert str(raised.value).startswith("Python cast error: '")
    with pytest.raises(OverflowError):
        point.spatial_reference = {"wkid": -1}
    assert point.spatial_reference.wkid == 3857


def test_text_signature_and_class_layout():
    assert Point.__text_signature__ == "(point)"
    assert Point.__mro__ == (Point, Geometry, object)
    assert issubclass(type("Sub", (Point,), {}), Point)


def test_subclass_instances_keep_their_class():
    class Tagged(Point):
        pass

    tagged = Tagged({"x": 1, "y": 2})
    assert type(tagged) is Tagged and str(Point(tagged)) == '{"x": 1, "y": 2}'


def test_gkn_geo_builds_a_new_carrier_each_time():
    point = Point({"x": 1, "y": 2})
    first, second = point.__gkn_geo(), point.__gkn_geo()
    assert first is not second
    assert type(first).__name__ == "GKNGeo"
    assert not hasattr(velmor_geometry, "GKNGeo")


def test_extent_centroid_envelope_and_curves():
    point = Point({"x": 1, "y": 2, "z": 5, "spatialReference": {"wkid": 4326}})
    assert point.extent == point.geoextent == (1.0, 2.0, 1.0, 2.0)
    assert point.centroid == (1.0, 2.0)
    envelope = point.envelope
    assert isinstance(envelope, Envelope)
    assert (envelope.xmin, envelope.ymax) == (1.0, 2.0)
    assert envelope.spatial_reference.wkid == 4326
    assert point.has_curves is False


def test_json_is_written_by_the_runtime_core():
    point = Point({"x": 1, "y": 2, "m": 3, "spatialReference": {"wkid": 4326}})
    assert isinstance(point.JSON, str)
    first, second = point.to_dict(), point.to_dict()
    assert first == json.loads(point.JSON) and first is not second
    assert (first["x"], first["y"], first["m"]) == (1, 2, 3)


def test_json_failure_is_the_library_error():
    point = Point({"x": 1, "y": 2})
    try:
        text = point.JSON
    except Exception as error:  # noqa: BLE001
        assert type(error) is Exception
        assert str(error).startswith("Geokern library error: '")
    else:
        assert isinstance(text, str)


def read_text(text):
    # json reads "-0" as the integer 0; the text means negative zero.
    return json.loads(text, parse_int=lambda digits: -0.0 if digits == "-0" else int(digits))


finite = st.floats(allow_nan=False, allow_infinity=False)


@st.composite
def point_forms(draw):
    form = {"x": draw(finite), "y": draw(finite)}
    for key in ("z", "m"):
        if draw(st.booleans()):
            form[key] = draw(finite)
    if draw(st.booleans()):
        form["spatialReference"] = {"wkid": draw(st.integers(0, 2**32 - 1))}
    return form


@given(point_forms())
def test_written_text_reads_back_to_the_same_point(form):
    point = Point(form)
    again = Geometry(read_text(str(point)))
    assert type(again) is Point and str(again) == str(point)


@given(point_forms())
def test_round_trips_through_the_runtime_core(form):
    form.pop("spatialReference", None)
    point = Point(form)
    assert str(Geometry(point.to_dict())) == str(point)
    assert str(Geometry(str(point))) == str(point)
