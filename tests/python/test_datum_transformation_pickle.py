"""Pickling (protocols 2 to 5), copy.copy and copy.deepcopy of DatumTransformation give a new object
with its own runtime transformation: the same steps, name, kind and systems, and the same results when
a geometry is projected with it. A damaged state is refused with TypeError or ValueError, a step the
runtime core cannot make with the library-error Exception, and the module goes on working."""

import copy
import gc
import pickle

import pytest

from velmor_geometry import MultiPoint, PanicException
from velmor_geometry import projection
from velmor_geometry.projection import DatumTransformation

COPIES = {f"pickle protocol {p}": (lambda t, p=p: pickle.loads(pickle.dumps(t, protocol=p))) for p in range(2, 6)}
COPIES["copy.copy"] = copy.copy
COPIES["copy.deepcopy"] = copy.deepcopy

def transformations(source, target):
    return projection.get_transformations(source, target)


def first(source, target, matching=lambda t: True):
    return next(t for t in transformations(source, target) if matching(t))


def several_steps(transformation):
    return " + " in transformation.name


NAD27, WGS84, ED50 = {"wkid": 4267}, {"wkid": 4326}, {"wkid": 4230}
WGS84_3D, WGS84_EGM96 = {"wkid": 4979}, {"wkid": 4326, "vcsWkid": 5773}
NAD27_POINTS = [(-100.0, 40.0), (-80.0, 35.0), (-120.0, 45.0)]
EUROPE_POINTS = [(2.35, 48.85), (12.5, 41.9), (-3.7, 40.4)]
HEIGHTS = [(10.0, 50.0, 100.0), (-70.0, 45.0, 0.0)]

# name: (the transformation, the systems a geometry is projected between with it, its points there).
# Geographic transformations of the catalogue name each step by its identifier; the ones with a vertical
# part are PROJ-built operations without one, which travel as their well-known text.
GEOGRAPHIC = {
    "one step": (lambda: first(NAD27, WGS84), NAD27, WGS84, NAD27_POINTS),
    "one step inverted": (lambda: first(NAD27, WGS84).get_inverse(), WGS84, NAD27, NAD27_POINTS),
    "from a projected system": (lambda: first({"wkid": 26915}, {"wkid": 3857}), {"wkid": 26915}, {"wkid": 3857},
                                [(500000.0, 4500000.0), (400000.0, 4000000.0)]),
    "several steps": (lambda: first(ED50, WGS84, several_steps), ED50, WGS84, EUROPE_POINTS),
    "several steps inverted": (lambda: first(ED50, WGS84, several_steps).get_inverse(), WGS84, ED50, EUROPE_POINTS),
}
HORIZONTAL_VERTICAL = {
    "horizontal-vertical": (lambda: first(WGS84_3D, WGS84_EGM96), WGS84_3D, WGS84_EGM96, HEIGHTS),
    "horizontal-vertical inverted": (lambda: first(WGS84_3D, WGS84_EGM96).get_inverse(), WGS84_EGM96, WGS84_3D,
                                     HEIGHTS),
}
ALL = {**GEOGRAPHIC, **HORIZONTAL_VERTICAL}


def made(request):
    make, *route = ALL[request.param]
    return make(), route


@pytest.fixture(scope="module", params=list(GEOGRAPHIC))
def geographic(request):
    return made(request)


@pytest.fixture(scope="module", params=list(ALL))
def any_kind(request):
    return made(request)


def state(transformation):
    restore, arguments = transformation.__reduce__()
    assert restore == DatumTransformation._from_state
    return arguments


def step_names(transformation):
    """The kind and, per step, the identifier and the inverse flag, leaving out the text."""
    kind, steps = state(transformation)[0]
    return kind, [(wkid, inverse) for wkid, inverse, _ in steps]


def systems(transformation):
    return str(transformation.input_spatial_reference), str(transformation.output_spatial_reference)


def projected(transformation, source, target, points):
    points = MultiPoint({"points": [list(p) for p in points], "hasZ": len(points[0]) == 3,
                         "spatialReference": source})
    single = points.project_with_transformation(target, transformation).to_dict()
    collected = projection.project_collection_with_transformation([points], target, transformation)
    return single, collected[0].to_dict()


@pytest.mark.parametrize("make_copy", COPIES.values(), ids=COPIES.keys())
def test_a_copy_is_a_new_transformation_with_the_same_steps_and_kind(any_kind, make_copy):
    original, route = any_kind
    restored = make_copy(original)
    assert type(restored) is DatumTransformation and restored is not original
    assert step_names(restored) == step_names(original)
    assert restored.object_type == original.object_type
    assert restored.is_missing_projection_engine_files() == original.is_missing_projection_engine_files()
    assert projected(restored, *route) == projected(original, *route)


@pytest.mark.parametrize("make_copy", COPIES.values(), ids=COPIES.keys())
def test_a_copy_of_a_geographic_transformation_keeps_its_state_and_name(geographic, make_copy):
    # A horizontal-vertical one is made of PROJ-built operations without an identifier; they come back
    # from their text, which this PROJ reads back under its own generic operation name.
    original, _ = geographic
    restored = make_copy(original)
    assert state(restored) == state(original)
    assert restored.name == original.name == str(restored)
    assert restored.get_inverse().name == original.get_inverse().name


def test_a_copy_from_a_projected_query_reports_the_geographic_systems_its_steps_join():
    # The catalogue records the systems it was asked about; the steps know only the datums they join.
    restored = pickle.loads(pickle.dumps(first({"wkid": 26915}, {"wkid": 3857})))
    assert systems(restored) == ('{"wkid":4269}', '{"wkid":4326}')


@pytest.mark.parametrize("source", [NAD27, ED50])
def test_every_transformation_between_two_datums_and_its_inverse_come_back_with_their_systems(source):
    originals = transformations(source, WGS84)
    originals += [t.get_inverse() for t in originals]
    restored = pickle.loads(pickle.dumps(originals))
    assert [(t.name, state(t), systems(t)) for t in restored] == [(t.name, state(t), systems(t)) for t in originals]


def test_a_copy_outlives_its_original():
    original = first(NAD27, WGS84)
    name, restored = original.name, copy.deepcopy(original)
    del original
    gc.collect()
    assert restored.name == name
    route = (NAD27, WGS84, NAD27_POINTS)
    assert projected(restored, *route) == projected(first(NAD27, WGS84), *route)


def test_the_private_restore_member_describes_itself_and_the_public_members_stay_as_they_were():
    public = sorted(name for name in vars(DatumTransformation) if not name.startswith("_"))
    assert public == ["get_inverse", "input_spatial_reference", "is_missing_projection_engine_files", "name",
                      "object_type", "output_spatial_reference"]
    assert "_from_state" not in projection.__all__ and "DatumTransformation" in projection.__all__
    assert "TypeError or ValueError for a damaged state" in DatumTransformation._from_state.__doc__
    with pytest.raises(TypeError):
        DatumTransformation()


STEP = (1172, False, "")


@pytest.mark.parametrize("damaged, error, message", [
    (["Geographic", (STEP,)], TypeError, "the state must be a tuple, not list"),
    (("Geographic",), ValueError, "the state must have 2 items, not 1"),
    ((1, (STEP,)), TypeError, "the kind must be a str, not int"),
    (("Vertical", (STEP,)), ValueError, 'the kind must be "Geographic" or "HorizontalVertical"'),
    (("Geographic", [STEP]), TypeError, "the steps must be a tuple, not list"),
    (("Geographic", ()), ValueError, "a transformation needs at least one step"),
    (("Geographic", (STEP, (1172, False))), ValueError, "steps[1] must have 3 items, not 2"),
    (("Geographic", ((True, False, ""),)), TypeError, "the identifier of steps[0] must be an int, not bool"),
    (("Geographic", ((1172.0, False, ""),)), TypeError, "the identifier of steps[0] must be an int, not float"),
    (("Geographic", ((-1, False, ""),)), ValueError, "the identifier of steps[0] must be from 0 to 2147483647"),
    (("Geographic", ((2**31, False, ""),)), ValueError, "the identifier of steps[0] must be from 0 to 2147483647"),
    (("Geographic", ((2**64, False, ""),)), ValueError, "the identifier of steps[0] must be from 0 to 2147483647"),
    (("Geographic", ((1172, 1, ""),)), TypeError, "the inverse flag of steps[0] must be a bool, not int"),
    (("Geographic", ((0, False, b"text"),)), TypeError, "the text of steps[0] must be a str, not bytes"),
    (("Geographic", ((0, False, "a\0b"),)), ValueError, "the text of steps[0] contains a NUL character"),
    (("Geographic", ((0, False, "\ud800"),)), ValueError, "the text of steps[0] cannot be encoded as UTF-8"),
    (("Geographic", ((0, False, ""),)), ValueError, "steps[0] must name its operation either by an identifier"),
    (("Geographic", ((1172, False, "text"),)), ValueError, "steps[0] must name its operation either by an identifier"),
    (("Geographic", (STEP,) * 17), ValueError, "a transformation has at most 16 steps, not 17"),
    (("Geographic", (STEP,) * 10_000), ValueError, "a transformation has at most 16 steps, not 10000"),
    (("Geographic", (("bad",),) * 400), ValueError, "a transformation has at most 16 steps, not 400"),
])
def test_a_damaged_state_is_refused(damaged, error, message):
    with pytest.raises(error) as raised:
        DatumTransformation._from_state(damaged)
    assert str(raised.value).startswith("Cannot restore a pickled DatumTransformation: ")
    assert message in str(raised.value)


# Each step costs a restore a database lookup and its first projection tens of milliseconds and about a
# megabyte, so the bound keeps a forged state cheap while lying well above the transformations offered.
def test_the_bound_on_steps_lies_above_every_offered_transformation_and_is_reachable():
    offered = [t for source, target in [(NAD27, WGS84), (ED50, WGS84), (WGS84_3D, WGS84_EGM96), ({"wkid": 4277}, WGS84)]
               for t in transformations(source, target)]
    assert 1 < max(len(state(t)[0][1]) for t in offered) <= 4
    longest = DatumTransformation._from_state(("Geographic", (STEP,) * 16))
    assert len(state(longest)[0][1]) == 16


@pytest.mark.parametrize("unknown, message", [
    ((999999, False, ""), "999999 is not a well-known identifier of a transformation"),
    ((4326, False, ""), "4326 is not a well-known identifier of a transformation"),
    ((0, False, 'GEOGCS["x"]'), "text is not the well-known text of a transformation"),
])
def test_a_step_unknown_to_this_runtime_core_is_the_library_error_and_the_module_goes_on(unknown, message):
    with pytest.raises(Exception) as raised:
        DatumTransformation._from_state(("Geographic", (STEP, unknown)))
    assert type(raised.value) is Exception and not isinstance(raised.value, PanicException)
    assert message in str(raised.value)
    restored = pickle.loads(pickle.dumps(first(NAD27, WGS84)))
    assert restored.name == first(NAD27, WGS84).name


def test_a_damaged_pickle_stream_is_refused_the_same_way():
    stream = pickle.dumps(first(NAD27, WGS84)).replace(b"Geographic", b"Geographix")
    with pytest.raises(ValueError, match='the kind must be "Geographic" or "HorizontalVertical"'):
        pickle.loads(stream)
