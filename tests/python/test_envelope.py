"""The Envelope class: bounds, optional ranges and ids, text form, sharing, runtime conversion."""

import json
import math

import pytest
from hypothesis import given, strategies as st

from velmor_geometry import Envelope, Geometry, Point, SpatialReference

BOUNDS = {"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5}


@pytest.mark.parametrize(
    "extra, has_z, has_m, text",
    [
        ({}, False, False, '{"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5}'),
        ({"zmin": 1, "zmax": 2}, True, False, '{"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "zmin": 1, "zmax": 2}'),
        ({"zmin": 1}, True, False, '{"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "zmin": 1}'),
        ({"mmax": 3}, False, False, '{"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "mmax": 3}'),
        (
            {"mmin": 1, "mmax": 2, "idmin": 0, "idmax": 4294967295, "zmax": None},
            False,
            True,
            '{"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "mmin": 1, "mmax": 2, "idmin": 0, "idmax": 4294967295}',
        ),
        (
            {"spatialReference": {"wkid": 3857}, "xmin": 20},
            False,
            False,
            '{"spatialReference": {"wkid":3857}, "xmin": 20, "ymin": 0, "xmax": 10, "ymax": 5}',
        ),
    ],
)
def test_dictionary_forms(extra, has_z, has_m, text):
    envelope = Envelope({**BOUNDS, **extra})
    assert (envelope.has_z, envelope.has_m, envelope.is_empty) == (has_z, has_m, False)
    assert str(envelope) == repr(envelope) == text
    assert envelope.geometry_type == "Envelope"


@pytest.mark.parametrize("missing", ["xmin", "ymin", "xmax", "ymax"])
def test_missing_bound_names_the_key(missing):
    form = {key: value for key, value in BOUNDS.items() if key != missing}
    with pytest.raises(Exception) as raised:
        Envelope(form)
    assert type(raised.value) is Exception
    assert str(raised.value) == f"Resolution error: 'Did not find '{missing}' in dict during resolution'"


@pytest.mark.parametrize(
    "argument, error",
    [(Point({"x": 1, "y": 2}), TypeError), ("text", TypeError), ({**BOUNDS, "idmin": -1}, OverflowError),
     ({**BOUNDS, "idmax": 1.5}, TypeError), ({**BOUNDS, "zmin": "1"}, TypeError)],
)
def test_constructor_refusals(argument, error):
    with pytest.raises(error) as raised:
        Envelope(argument)
    if error is TypeError and not isinstance(argument, dict):
        assert str(raised.value) == "Envelope from_py expects an Envelope object or dict"


def test_copy_shares_and_bounds_are_assignable():
    first = Envelope(BOUNDS)
    second = Envelope(first)
    second.xmax = 20
    assert first.xmax == 20.0
    second.ymin = None
    assert math.isnan(first.ymin) and not first.is_empty
    second.xmin = None
    assert first.is_empty
    assert str(first) == '{"xmin": null, "ymin": null, "xmax": null, "ymax": null}'


@pytest.mark.parametrize("name", ["zmin", "zmax", "mmin", "mmax", "idmin", "idmax"])
def test_optional_fields_set_and_unset(name):
    envelope = Envelope(BOUNDS)
    setattr(envelope, name, 7)
    assert getattr(envelope, name) == 7
    setattr(envelope, name, None)
    assert getattr(envelope, name) is None
    assert str(envelope) == '{"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5}'


@pytest.mark.parametrize(
    "name, value, error, parameter",
    [
        ("xmin", "a", TypeError, "xmin_in"),
        ("ymax", [], TypeError, "ymax_in"),
        ("zmin", "a", TypeError, "zmin"),
        ("idmin", 4294967296, OverflowError, "idmin"),
        ("idmax", -1, OverflowError, "idmax"),
        ("idmax", 1.0, TypeError, "idmax"),
    ],
)
def test_refused_assignments_leave_the_envelope_unchanged(name, value, error, parameter):
    envelope = Envelope({**BOUNDS, "idmin": 1, "idmax": 2, "zmin": 3})
    before = str(envelope)
    with pytest.raises(error, match=f"^{parameter}: "):
        setattr(envelope, name, value)
    assert str(envelope) == before


def test_id_bounds_accept_the_full_unsigned_range():
    envelope = Envelope(BOUNDS)
    envelope.idmin = 4294967295
    assert envelope.idmin == 4294967295


@pytest.mark.parametrize("name", ["xmin", "zmax", "idmin", "spatial_reference"])
def test_settable_properties_cannot_be_deleted(name):
    with pytest.raises(AttributeError, match="^can't delete attribute$"):
        delattr(Envelope(BOUNDS), name)


def test_spatial_reference_takes_only_dictionaries():
    envelope = Envelope(BOUNDS)
    with pytest.raises(Exception, match="cannot be cast as 'PyDict'"):
        envelope.spatial_reference = SpatialReference({"wkid": 4326})
    assert envelope.spatial_reference is None
    envelope.spatial_reference = {}
    assert str(envelope.spatial_reference) == "{}"


NAN, INF = math.nan, math.inf


@pytest.mark.parametrize(
    "form, written",
    [
        (BOUNDS, BOUNDS),
        (
            {**BOUNDS, "zmin": 1, "zmax": 2, "mmin": 3, "mmax": 4, "spatialReference": {"wkid": 4326}},
            {"spatialReference": {"wkid": 4326}, **BOUNDS, "zmin": 1, "zmax": 2, "mmin": 3, "mmax": 4},
        ),
        # The id bounds have no place in the runtime core's text.
        ({**BOUNDS, "idmin": 1, "idmax": 2}, BOUNDS),
        ({"xmin": -INF, "ymin": -0.0, "xmax": INF, "ymax": 5, "zmin": NAN, "zmax": INF},
         {"xmin": -INF, "ymin": -0.0, "xmax": INF, "ymax": 5, "zmin": NAN, "zmax": INF}),
    ],
)
def test_json_and_to_dict_are_written_by_the_runtime_core(form, written):
    envelope = Envelope(form)
    assert not hasattr(envelope, "ids")
    loaded = json.loads(envelope.JSON)
    assert json.dumps(envelope.to_dict()) == json.dumps(loaded)
    assert json.dumps(loaded) == json.dumps(written)
    again = Geometry(envelope.to_dict())
    assert type(again) is Envelope
    assert json.dumps(again.to_dict()) == json.dumps(written)
    assert type(Geometry(envelope.JSON)) is Envelope


def test_infinities_and_nan_are_bare_tokens():
    text = Envelope({"xmin": -INF, "ymin": 0, "xmax": INF, "ymax": 1, "zmin": NAN, "zmax": 1}).JSON
    for token in ('"xmin":-Infinity', '"xmax":Infinity', '"zmin":NaN'):
        assert token in text.replace(" ", "")


def test_an_empty_envelope_comes_back_empty():
    envelope = Envelope({"xmin": NAN, "ymin": 0, "xmax": 1, "ymax": 1})
    written = envelope.to_dict()
    assert all(math.isnan(written[key]) for key in ("xmin", "ymin", "xmax", "ymax"))
    assert Geometry(written).is_empty


def test_runtime_form_drops_a_lone_z_bound():
    envelope = Envelope({**BOUNDS, "zmin": 1, "mmin": 2, "mmax": 4, "idmin": 3})
    assert envelope.has_z
    back = envelope.envelope
    assert (back.zmin, back.zmax, back.mmin, back.mmax, back.idmin) == (None, None, 2.0, 4.0, None)
    assert envelope.extent == (0.0, 0.0, 10.0, 5.0)
    assert envelope.centroid == (5.0, 2.5)


def test_text_signature():
    assert Envelope.__text_signature__ == "(point)"
    assert Envelope.__mro__ == (Envelope, Geometry, object)


def read_text(text):
    # json reads "-0" as the integer 0; the text means negative zero.
    return json.loads(text, parse_int=lambda digits: -0.0 if digits == "-0" else int(digits))


finite = st.floats(allow_nan=False, allow_infinity=False)


@st.composite
def envelope_forms(draw):
    form = {key: draw(finite) for key in ("xmin", "ymin", "xmax", "ymax")}
    for key in ("zmin", "zmax", "mmin", "mmax"):
        if draw(st.booleans()):
            form[key] = draw(finite)
    for key in ("idmin", "idmax"):
        if draw(st.booleans()):
            form[key] = draw(st.integers(0, 2**32 - 1))
    return form


@given(envelope_forms())
def test_written_text_reads_back_to_the_same_envelope(form):
    envelope = Envelope(form)
    again = Geometry(read_text(str(envelope)))
    assert type(again) is Envelope and str(again) == str(envelope)
