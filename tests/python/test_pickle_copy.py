"""Pickling (every protocol), copy.copy and copy.deepcopy give an equal and independent value.

Equal means bit for bit: every double read through the public properties and views (vertices, curve
data, bounds) has the same eight bytes, so NaN payloads and -0.0 are covered, and the native text,
dimensionality, curves and spatial reference agree. Independent means that changing the copy (a
vertex, a part, a property) leaves the original as it was.
"""

import copy
import math
import pickle
import struct

import pytest

from velmor_geometry import (
    AreaUnit,
    AreaUnitId,
    Envelope,
    GeodeticCurveType,
    Geometry,
    GeometryExtendOptions,
    LinearUnitId,
    MultiPoint,
    Point,
    Polygon,
    Polyline,
    SpatialReference,
)

NAN = math.nan
NEGATIVE_NAN = struct.unpack("<d", struct.pack("<Q", 0xFFF8_0000_0000_0001))[0]
PAYLOAD_NAN = struct.unpack("<d", struct.pack("<Q", 0x7FF0_0000_0000_0BAD))[0]
WGS84 = {"wkid": 4326}
FULL_SR = {"wkid": 102100, "latestWkid": 3857, "vcsWkid": 5703, "latestVcsWkid": 5703}
TEXT_SR = {"wkt": 'GEOGCS["x",DATUM["D",SPHEROID["S",6378137,298.257223563]],PRIMEM["G",0],UNIT["Degree",0.0174532925199433]]',
           "wkt2": "a second text with \"quotes\" and \u00e9"}

ARC = {"c": [[2, 0], [1, 1]]}
CIRCLE_CLOSING = {"c": [[0, 0], [1, 1]]}
ELLIPTIC = {"a": [[4, 0], [3, 0], False, True, 0.0, 1.0, 0.5]}
BEZIER = {"b": [[6, 0], [4.5, 2], [5.5, -2]]}

GEOMETRIES = {
    "point xy": {"x": 1.5, "y": -0.0},
    "point xyz": {"x": 1, "y": 2, "z": NEGATIVE_NAN, "spatialReference": WGS84},
    "point xym": {"x": 1, "y": 2, "m": PAYLOAD_NAN},
    "point xyzm": {"x": 5e-324, "y": 1.7976931348623157e308, "z": 3, "m": -0.0, "spatialReference": FULL_SR},
    "point empty": {"x": NAN, "y": NAN},
    "point sr without fields": {"x": 1, "y": 2, "spatialReference": {}},
    "envelope xy": {"xmin": 0, "ymin": -0.0, "xmax": 2, "ymax": 3},
    "envelope z m ids": {"xmin": 0, "ymin": 1, "xmax": 2, "ymax": 3, "zmin": 4, "zmax": NAN, "mmin": -0.0,
                         "mmax": 7, "idmin": 0, "idmax": 4294967295, "spatialReference": TEXT_SR},
    "envelope empty": {"xmin": NAN, "ymin": NAN, "xmax": NAN, "ymax": NAN},
    "multipoint empty": {"points": []},
    "multipoint xyzm": {"points": [[1, 2, 3, NAN], [-0.0, 5, NEGATIVE_NAN, 6]], "hasZ": True, "hasM": True,
                        "spatialReference": WGS84},
    "polyline xy": {"paths": [[[0, 0], [1, 1], [2, 0]], [[5, 5], [6, 6]]]},
    "polyline xyz": {"paths": [[[0, 0, 1], [1, 1, NAN]]], "hasZ": True, "spatialReference": FULL_SR},
    "polyline curves xym": {"curvePaths": [[[0, 0, 9], ARC, ELLIPTIC, BEZIER, [7, 7, PAYLOAD_NAN]]], "hasM": True},
    "polyline straight and curved": {"paths": [[[10, 10], [11, 11]]], "curvePaths": [[[0, 0], ARC]]},
    "polyline empty": {"paths": []},
    "polyline one empty path": {"paths": [[]]},
    "polygon xyz": {"rings": [[[0, 0, 1], [0, 4, 2], [4, 4, 3], [4, 0, 4], [0, 0, 1]],
                              [[1, 1, NAN], [3, 1, 0], [3, 3, -0.0], [1, 1, NAN]]], "hasZ": True,
                    "spatialReference": WGS84},
    "polygon circle closed by one arc": {"curveRings": [[[0, 0], CIRCLE_CLOSING]]},
    "polygon all curve kinds xyzm": {"curveRings": [[[0, 0, 1, 2], ARC, ELLIPTIC, BEZIER, [0, 0, 1, 2]]],
                                     "hasZ": True, "hasM": True, "spatialReference": TEXT_SR},
    "polygon empty": {"rings": []},
}

COPIES = {f"pickle protocol {p}": (lambda g, p=p: pickle.loads(pickle.dumps(g, protocol=p))) for p in range(2, 6)}
COPIES["copy.copy"] = copy.copy
COPIES["copy.deepcopy"] = copy.deepcopy


def bits(value):
    """A double as its eight bytes; anything else as it is."""
    return struct.pack("<d", value) if isinstance(value, float) else value


CURVE_ATTRIBUTES = ("interior_x", "interior_y", "center_x", "center_y", "minor", "clockwise", "rotation", "axis",
                    "ratio", "ctrl1_x", "ctrl1_y", "ctrl2_x", "ctrl2_y")


def vertex_values(vertex):
    values = [type(vertex).__name__] + [bits(getattr(vertex, name)) for name in ("x", "y", "z", "m")]
    return values + [bits(getattr(vertex, name)) for name in CURVE_ATTRIBUTES if hasattr(vertex, name)]


def contents(geometry):
    """Everything the public surface shows of a geometry, doubles as bytes."""
    shown = [type(geometry), geometry.has_z, geometry.has_m, geometry.is_empty, str(geometry),
             str(geometry.spatial_reference)]
    if isinstance(geometry, Point):
        shown += [bits(getattr(geometry, name)) for name in ("x", "y", "z", "m")]
    elif isinstance(geometry, Envelope):
        shown += [bits(getattr(geometry, name)) for name in
                  ("xmin", "ymin", "xmax", "ymax", "zmin", "zmax", "mmin", "mmax", "idmin", "idmax")]
    elif isinstance(geometry, MultiPoint):
        shown.append([vertex_values(vertex) for vertex in geometry.points])
    else:
        linear, curved = ((geometry.paths, geometry.curve_paths) if isinstance(geometry, Polyline)
                          else (geometry.rings, geometry.curve_rings))
        shown.append([[vertex_values(vertex) for vertex in part] for part in linear])
        shown.append([[vertex_values(curved[i][j]) for j in range(len(curved[i]))] for i in range(_count(curved))])
    return shown


def _count(container):
    """Parts in a curve container, which has no len()."""
    count = 0
    while True:
        try:
            container[count]
        except IndexError:
            return count
        count += 1


def change(geometry):
    """Changes a geometry through its properties or views."""
    if isinstance(geometry, Point):
        geometry.x = 99.0
    elif isinstance(geometry, Envelope):
        geometry.xmin = 99.0
    elif isinstance(geometry, MultiPoint):
        geometry.points.append([99, 99, 99, 99])
    else:
        linear, curved = ((geometry.paths, geometry.curve_paths) if isinstance(geometry, Polyline)
                          else (geometry.rings, geometry.curve_rings))
        if _count(curved):
            curved[0][0] = [99, 99, 99, 99]
        elif list(linear) and len(linear[0]):
            linear[0][0] = [99, 99, 99, 99]
        else:
            linear.append([[99, 99, 99, 99]] * 3)
    geometry.spatial_reference = {"wkid": 3857}


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
@pytest.mark.parametrize("form", GEOMETRIES.values(), ids=GEOMETRIES.keys())
def test_geometry_copy_is_equal_and_independent(form, how):
    original = Geometry(form)
    before = contents(original)
    copied = how(original)
    assert copied is not original
    assert contents(copied) == before
    assert copied.has_curves == original.has_curves

    change(copied)
    assert contents(copied) != before
    assert contents(original) == before


def test_constructor_copy_still_shares_while_copy_module_does_not():
    original = Polyline({"paths": [[[0, 0], [1, 1]]]})
    shared, copied = Polyline(original), copy.copy(original)
    shared.paths[0][0] = [5, 5]
    assert str(original) == str(shared)
    assert str(copied) == '{"paths": [[[0, 0], [1, 1]]]}'


def test_rings_taken_as_they_are_come_back_as_they_are():
    """A ring assigned after construction is not checked, so its state is restored without checks too."""
    polygon = Polygon({"rings": [[[0, 0], [1, 0], [1, 1]]]})
    polygon.rings = [[[0, 0], [1, 0]]]
    assert str(pickle.loads(pickle.dumps(polygon))) == str(polygon) == '{"rings": [[[0, 0], [1, 0]]]}'


def test_a_subclass_pickles_as_itself():
    polygon = RingsOnly({"rings": [[[0, 0], [1, 0], [1, 1], [0, 0]]]})
    copied = pickle.loads(pickle.dumps(polygon))
    assert type(copied) is RingsOnly
    assert str(copied) == str(polygon)


class RingsOnly(Polygon):
    pass


def state_of(geometry):
    return geometry.__reduce__()[2]


POLYLINE_STATE = state_of(Polyline({"curvePaths": [[[0, 0], ARC]], "hasZ": True}))

BAD_STATES = {
    "not bytes": ("text", TypeError, "the state must be bytes, not str"),
    "empty": (b"", ValueError, "the state is truncated"),
    "truncated": (POLYLINE_STATE[:-3], ValueError, "the state is truncated"),
    "trailing byte": (POLYLINE_STATE + b"\0", ValueError, "unexpected bytes after the geometry"),
    "another class": (state_of(Polygon({"rings": []})), ValueError, "the state is not of this geometry class"),
    "dimensionality code": (POLYLINE_STATE[:1] + b"\x07" + POLYLINE_STATE[2:], ValueError,
                            "the dimensionality code is out of range"),
    "huge part count": (POLYLINE_STATE[:2] + b"\xff" * 8 + POLYLINE_STATE[10:], ValueError,
                        "the state is truncated"),
}


@pytest.mark.parametrize("state, error, message", BAD_STATES.values(), ids=BAD_STATES.keys())
def test_a_bad_state_is_refused_and_changes_nothing(state, error, message):
    polyline = Polyline({"paths": [[[1, 2], [3, 4]]]})
    with pytest.raises(error, match="^Cannot restore a pickled Polyline: " + message):
        polyline.__setstate__(state)
    assert str(polyline) == '{"paths": [[[1, 2], [3, 4]]]}'


def test_a_curve_on_the_start_vertex_is_refused():
    state = bytearray(state_of(Polyline({"curvePaths": [[[0, 0], ARC]]})))
    # dims, 0 straight parts, 1 curve part of 2 vertices (4 doubles), then the two kind codes.
    kinds = 1 + 1 + 8 + 8 + 8 + 4 * 8
    assert state[kinds:kinds + 2] == b"\x00\x01"
    state[kinds:kinds + 2] = b"\x01\x00"
    with pytest.raises(ValueError, match="^Cannot restore a pickled Polyline: .*nonlinear curve data at index 0"):
        Polyline({"paths": []}).__setstate__(bytes(state))


SPATIAL_REFERENCES = {"wkid": WGS84, "every identifier": FULL_SR, "texts": TEXT_SR, "nothing set": {}}


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
@pytest.mark.parametrize("form", SPATIAL_REFERENCES.values(), ids=SPATIAL_REFERENCES.keys())
def test_spatial_reference_copy_is_equal_and_independent(form, how):
    original = SpatialReference(form)
    copied = how(original)
    assert type(copied) is SpatialReference and copied is not original
    fields = ("wkid", "latest_wkid", "vcs_wkid", "latest_vcs_wkid", "wkt", "wkt2")
    assert [getattr(copied, f) for f in fields] == [getattr(original, f) for f in fields]
    assert str(copied) == str(original)
    assert (copied == original) == bool(form)  # a value with nothing set equals nothing
    copied.wkid = 1
    assert original.wkid == form.get("wkid")


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
@pytest.mark.parametrize("unit_id", [AreaUnitId.Acres, AreaUnitId.SquareKilometers, AreaUnitId.SquareMeters])
def test_area_unit_copy_owns_an_equal_unit(unit_id, how):
    original = AreaUnit(unit_id)
    copied = how(original)
    assert type(copied) is AreaUnit and copied is not original
    assert int(copied.area_unit_id()) == int(unit_id)
    assert copied.to_square_meters(2.5) == original.to_square_meters(2.5)


ENUMERATIONS = (AreaUnitId, LinearUnitId, GeodeticCurveType)
MEMBERS = [member for enumeration in ENUMERATIONS for name, member in vars(enumeration).items()
           if isinstance(member, enumeration)]


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
def test_enumeration_members_come_back_as_themselves(how):
    assert len(MEMBERS) == 26
    assert all(how(member) is member for member in MEMBERS)
    # A member the runtime hands back is a new object; it comes back as the class attribute.
    assert how(AreaUnit(AreaUnitId.Hectares).area_unit_id()) is AreaUnitId.Hectares


Options = GeometryExtendOptions
EXTEND_OPTIONS = {
    "named": Options.KEEP_END_ATTRIBUTES,
    "default": Options.DEFAULT,
    "or of named": Options.RELOCATE_ENDS | Options.DO_NOT_EXTEND_FROM_END_POINT | Options.NO_END_ATTRIBUTES,
    "complement of default": ~Options.DEFAULT,
    "complement of an or": ~(Options.RELOCATE_ENDS | Options.KEEP_END_ATTRIBUTES),
    "and making a named value": ~Options.DEFAULT & Options.DO_NOT_EXTEND_FROM_START_POINT,
}


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
@pytest.mark.parametrize("value", EXTEND_OPTIONS.values(), ids=EXTEND_OPTIONS.keys())
def test_extend_options_copy_has_the_same_bits(value, how):
    copied = how(value)
    assert type(copied) is GeometryExtendOptions
    assert repr(copied) == repr(value)
    named = {v for k, v in vars(Options).items() if k.isupper()}
    if value in named:
        assert copied is value


@pytest.mark.parametrize("form", [GEOMETRIES["polygon all curve kinds xyzm"], GEOMETRIES["envelope z m ids"],
                                  GEOMETRIES["multipoint xyzm"], GEOMETRIES["point xyzm"]],
                         ids=["polygon", "envelope", "multipoint", "point"])
def test_every_truncation_and_flipped_byte_is_refused_or_read_safely(form):
    original = Geometry(form)
    state = state_of(original)
    target = type(original)
    for end in range(len(state)):
        with pytest.raises(ValueError, match="^Cannot restore a pickled "):
            target.__new__(target, EMPTY_FORMS[target]).__setstate__(state[:end])
    for index in range(len(state)):
        for flip in (0x01, 0x80, 0xFF):
            damaged = bytearray(state)
            damaged[index] ^= flip
            restored = target(EMPTY_FORMS[target])
            try:
                restored.__setstate__(bytes(damaged))
            except ValueError:
                continue
            str(restored)  # a state that reads is a whole geometry


EMPTY_FORMS = {Point: {"x": NAN, "y": NAN}, Envelope: {"xmin": NAN, "ymin": NAN, "xmax": NAN, "ymax": NAN},
               MultiPoint: {"points": []}, Polyline: {"paths": []}, Polygon: {"rings": []}}


CURVED_XYZM = Geometry({"paths": [[[0, 0, 1, NAN], [1, -0.0, 2, 3]]], "hasZ": True, "hasM": True,
                        "curvePaths": [[[0, 0, 5, 6], ARC, ELLIPTIC, BEZIER]]})
VIEWS = {
    "Part": (lambda: CURVED_XYZM.paths[0], lambda v: v.append([7, 7, 7, 7])),
    "Multipart": (lambda: CURVED_XYZM.paths, lambda v: v.append([[7, 7, 7, 7]])),
    "CurvePart": (lambda: CURVED_XYZM.curve_paths[0], lambda v: v.append([7, 7, 7, 7])),
    "CurveMultipart": (lambda: CURVED_XYZM.curve_paths, lambda v: v.append([[7, 7, 7, 7]])),
    "multipoint Part": (lambda: Geometry(GEOMETRIES["multipoint xyzm"]).points, lambda v: v.clear()),
}


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
@pytest.mark.parametrize("view, change_view", VIEWS.values(), ids=VIEWS.keys())
def test_view_copy_holds_an_equal_value_of_its_own(view, change_view, how):
    original = view()
    before, geometry_before = str(original), contents(CURVED_XYZM)
    copied = how(original)
    assert type(copied) is type(original)
    assert str(copied) == before
    if hasattr(copied, "__len__"):  # the parts: compare every vertex bit for bit
        assert [vertex_values(v) for v in _items(copied)] == [vertex_values(v) for v in _items(original)]
    change_view(copied)
    assert str(copied) != before
    assert str(original) == before
    assert contents(CURVED_XYZM) == geometry_before


def _items(part):
    return [part[i] for i in range(len(part))]


ITEMS = {
    "Coord": lambda: CURVED_XYZM.paths[0][1],
    "Linear start": lambda: CURVED_XYZM.curve_paths[0][0],
    "CircularArc": lambda: CURVED_XYZM.curve_paths[0][1],
    "EllipticArc": lambda: CURVED_XYZM.curve_paths[0][2],
    "BezierCurve": lambda: CURVED_XYZM.curve_paths[0][3],
    "popped Coord": lambda: Geometry(GEOMETRIES["multipoint xyzm"]).points.pop(),
}


@pytest.mark.parametrize("how", COPIES.values(), ids=COPIES.keys())
@pytest.mark.parametrize("item", ITEMS.values(), ids=ITEMS.keys())
def test_vertex_and_segment_copies_are_detached_equals(item, how):
    original = item()
    before, geometry_before = vertex_values(original), contents(CURVED_XYZM)
    copied = how(original)
    assert type(copied) is type(original) and copied is not original
    assert vertex_values(copied) == before
    copied.x = 99.0
    assert vertex_values(original) == before
    assert contents(CURVED_XYZM) == geometry_before
