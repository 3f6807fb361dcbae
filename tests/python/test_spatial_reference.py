"""The SpatialReference class: dictionary and object forms, properties, text, partial equality."""

import pytest

from velmor_geometry import SpatialReference

FIELDS = ["wkid", "latest_wkid", "vcs_wkid", "latest_vcs_wkid", "wkt", "wkt2"]


def test_dictionary_with_one_identifier():
    sr = SpatialReference({"wkid": 4326})
    assert sr.wkid == 4326
    assert [getattr(sr, name) for name in FIELDS[1:]] == [None] * 5
    assert str(sr) == repr(sr) == '{"wkid":4326}'


def test_all_keys_in_order_and_keyword_argument():
    sr = SpatialReference(
        sr={"wkt2": "B", "wkt": "A", "latestVcsWkid": 4, "vcsWkid": 3, "latestWkid": 2, "wkid": 1, "other": [1]}
    )
    assert [getattr(sr, name) for name in FIELDS] == [1, 2, 3, 4, "A", "B"]
    assert str(sr) == '{"wkid":1,"latestWkid":2,"vcsWkid":3,"latestVcsWkid":4,"wkt":"A","wkt2":"B"}'


def test_setting_a_field_appends_its_key_and_touches_nothing_else():
    sr = SpatialReference({"wkid": 102100, "latestWkid": 3857})
    assert str(sr) == '{"wkid":102100,"latestWkid":3857}'
    sr.wkt = 'PROJCS["a\\b",\n"c"]'
    assert str(sr) == '{"wkid":102100,"latestWkid":3857,"wkt":"PROJCS[\\"a\\\\b\\",\\n\\"c\\"]"}'
    sr.wkid = None
    assert str(sr).startswith('{"latestWkid":3857,"wkt":')
    assert sr.latest_wkid == 3857


def test_none_values_count_as_absent_and_empty_dict_is_legal():
    assert str(SpatialReference({"wkid": None, "wkt": None})) == "{}"
    empty = SpatialReference({})
    assert str(empty) == "{}"
    assert empty != empty


def test_copy_from_an_object_is_independent():
    original = SpatialReference({"wkid": 4326})
    copy = SpatialReference(original)
    copy.wkid = 3857
    assert original.wkid == 4326


class DictSubclass(dict):
    pass


def test_dict_subclass_is_read():
    assert SpatialReference(DictSubclass(wkid=5)).wkid == 5


@pytest.mark.parametrize("argument", [4326, "4326", [("wkid", 4326)], None])
def test_constructor_refuses_other_kinds(argument):
    with pytest.raises(TypeError, match="^SpatialReference from_py expects a SpatialReference object or a dict$"):
        SpatialReference(argument)


@pytest.mark.parametrize(
    "entry, error",
    [
        ({"wkid": -1}, OverflowError),
        ({"wkid": 2**32}, OverflowError),
        ({"latestVcsWkid": 2**64}, OverflowError),
        ({"wkid": 4326.0}, TypeError),
        ({"wkid": "4326"}, TypeError),
        ({"wkt": 5}, TypeError),
        ({"wkt2": b"bytes"}, TypeError),
    ],
)
def test_wrong_dictionary_entries(entry, error):
    with pytest.raises(error):
        SpatialReference(entry)


def test_identifier_bounds():
    sr = SpatialReference({"wkid": 0, "vcsWkid": 2**32 - 1})
    assert (sr.wkid, sr.vcs_wkid) == (0, 2**32 - 1)
    assert str(sr) == '{"wkid":0,"vcsWkid":4294967295}'


# Identifiers are unsigned 32-bit numbers that reach the runtime core as signed ones; the refusal names
# the number given.
@pytest.mark.parametrize("form, text", [
    ({"wkid": 2**31}, "2147483648 is not a well-known identifier of a coordinate system"),
    ({"wkid": 2**32 - 1}, "4294967295 is not a well-known identifier of a coordinate system"),
    ({"wkid": 4326, "vcsWkid": 2**31 + 5}, "2147483653 is not a well-known identifier of a coordinate system"),
])
def test_an_unknown_identifier_beyond_the_signed_range_is_named_as_given(form, text):
    from velmor_geometry import Point

    with pytest.raises(Exception) as raised:
        Point({"x": 1, "y": 2, "spatialReference": form}).extent
    assert str(raised.value) == f"Geokern library error: 'Invalid argument: {text}'"


@pytest.mark.parametrize(
    "name, value, error",
    [
        ("wkid", 2**32, OverflowError),
        ("latest_wkid", -5, OverflowError),
        ("vcs_wkid", 1.5, TypeError),
        ("latest_vcs_wkid", "7", TypeError),
        ("wkt", 7, TypeError),
        ("wkt2", ["x"], TypeError),
    ],
)
def test_rejected_assignment_names_the_property_and_changes_nothing(name, value, error):
    sr = SpatialReference({"wkid": 1, "latestWkid": 2, "vcsWkid": 3, "latestVcsWkid": 4, "wkt": "a", "wkt2": "b"})
    before = str(sr)
    with pytest.raises(error, match=f"^{name}: "):
        setattr(sr, name, value)
    assert str(sr) == before


@pytest.mark.parametrize("name", FIELDS)
def test_properties_cannot_be_deleted(name):
    sr = SpatialReference({"wkid": 1})
    with pytest.raises(AttributeError, match="^can't delete attribute$"):
        delattr(sr, name)


def test_properties_round_trip():
    sr = SpatialReference({})
    for name, value in zip(FIELDS, [1, 2, 3, 4, "é", "ü\u0000"]):
        setattr(sr, name, value)
        assert getattr(sr, name) == value
    assert str(sr).endswith('"wkt":"é","wkt2":"ü\\u0000"}')
    for name in FIELDS:
        setattr(sr, name, None)
    assert str(sr) == "{}"


# Partial equality: one shared identifier or text is enough; vertical identifiers take no part.
@pytest.mark.parametrize(
    "a, b, equal",
    [
        ({"wkid": 4326}, {"wkid": 4326}, True),
        ({"wkid": 4326, "wkt": "A"}, {"wkid": 4326, "wkt": "B"}, True),
        ({"wkid": 1, "wkt2": "X"}, {"wkid": 2, "wkt2": "X"}, True),
        ({"latestWkid": 3857}, {"wkid": 102100, "latestWkid": 3857}, True),
        ({"wkid": 3857}, {"latestWkid": 3857}, False),
        ({"wkt": "A"}, {"wkt": "A "}, False),
        ({"vcsWkid": 5703}, {"vcsWkid": 5703}, False),
        ({"latestVcsWkid": 5703}, {"latestVcsWkid": 5703}, False),
        ({}, {}, False),
        ({"wkid": 4326}, {}, False),
    ],
)
def test_partial_equality(a, b, equal):
    left, right = SpatialReference(a), SpatialReference(b)
    assert (left == right) is equal
    assert (right == left) is equal
    assert (left != right) is (not equal)


def test_comparison_with_other_objects_and_ordering():
    sr = SpatialReference({"wkid": 4326})
    assert (sr == {"wkid": 4326}) is False
    assert (sr != {"wkid": 4326}) is True
    assert (sr == 4326) is False
    for compare in (lambda: sr < sr, lambda: sr <= sr, lambda: sr > sr, lambda: sr >= sr):
        with pytest.raises(TypeError):
            compare()
    with pytest.raises(TypeError):
        hash(sr)


def test_class_surface():
    assert SpatialReference.__text_signature__ == "(sr)"
    assert SpatialReference.__doc__ is None
    assert SpatialReference.__module__ == "velmor_geometry"
    with pytest.raises(TypeError):

        class Derived(SpatialReference):
            pass

    sr = SpatialReference({})
    assert not hasattr(sr, "__dict__")
    with pytest.raises(TypeError):
        SpatialReference()
    with pytest.raises(TypeError):
        SpatialReference({}, {})


# A spatial reference that the runtime core refuses (a NUL inside its text) fails every operation that
# needs the runtime form, but the conversion only reads, so its failure releases the geometry's locks
# unpoisoned: the geometry, its copies and its views stay usable, and a new spatial reference makes it
# whole again.
BAD_REFERENCE = {"wkt": "a\x00b"}


def _geometries():
    from velmor_geometry import Envelope, MultiPoint, Point, Polygon, Polyline

    return [
        (Point, {"x": 1, "y": 2}, None),
        (Envelope, {"xmin": 0, "ymin": 0, "xmax": 1, "ymax": 1}, None),
        (MultiPoint, {"points": [[0, 0], [1, 1]]}, lambda g: g.points),
        (Polyline, {"paths": [[[0, 0], [1, 1]]], "curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}]]}, lambda g: g.paths[0]),
        (Polygon, {"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]]}, lambda g: g.rings[0]),
    ]


@pytest.mark.parametrize("cls, form, view", _geometries(), ids=[cls.__name__ for cls, _, _ in _geometries()])
def test_a_refused_spatial_reference_does_not_poison_the_geometry(cls, form, view):
    from velmor_geometry import PanicException

    geometry = cls({**form, "spatialReference": BAD_REFERENCE})
    sharing = cls(geometry)
    for use in (lambda: geometry.extent, lambda: geometry.JSON, lambda: sharing.centroid):
        with pytest.raises(PanicException, match="^Failed to convert string to CString"):
            use()
    text = str(geometry)
    assert str(sharing) == text and geometry.spatial_reference.wkt == "a\x00b"
    if view is not None:
        assert len(view(geometry)) == len(view(sharing)) > 0
        view(sharing)[0].x = 0.5
        assert str(geometry) != text
    geometry.spatial_reference = {"wkid": 4326}
    assert sharing.spatial_reference.wkid == 4326
    assert len(geometry.extent) == 4 and sharing.JSON.startswith("{")
