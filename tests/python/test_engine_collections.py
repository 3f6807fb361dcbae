"""The collection functions of the main module: registration and text signatures, the fixed arguments,
the loop over the iterable (conversion of each element when it is reached, stopping at the deciding
element or the first failure), checked through the relation predicates that the runtime core computes."""

import pytest

import velmor_geometry
from velmor_geometry import AreaUnitId, GeodeticCurveType, Geometry, LinearUnitId, Point, Polygon, Polyline

SQUARE = Polygon({"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]]]})
INSIDE = Point({"x": 5, "y": 5})
ALSO_INSIDE = {"x": 2, "y": 3}
OUTSIDE = Point({"x": 50, "y": 50})
ON_EDGE = Point({"x": 0, "y": 5})

SIGNATURES = [
    ("area_collection", "(geometries, curve_type=None, unit=None)"),
    ("boundary_collection", "(geometries)"),
    ("buffer_collection",
     "(geometries, distances, union_result=False, distance_unit=None, max_deviation=0.0, curve_type=...)"),
    ("clip_collection", "(geometries, envelope)"),
    ("contains_collection", "(container, geometries)"),
    ("crosses_collection", "(primary, collection)"),
    ("cut_collection", "(geometries, cutter)"),
    ("densify_collection", "(geometries, max_segment_length, unit, curve_type)"),
    ("difference_collection_minus_geom", "(collection, rhs)"),
    ("difference_geom_minus_collection", "(primary, collection)"),
    ("disjoint_from_collection", "(primary, collection)"),
    ("distances_from_collection", "(primary, collection)"),
    ("generalize_collection", "(geometries, max_deviation, remove_degenerate_parts)"),
    ("intersection_collection", "(primary, geometries)"),
    ("intersections_collection", "(primary, geometries)"),
    ("intersects_collection", "(primary, collection)"),
    ("is_simple_collection", "(geometries)"),
    ("label_point_collection", "(geometries)"),
    ("length_collection", "(geometries)"),
    ("move_relative_collection", "(geometries, delta_x, delta_y)"),
    ("normalize_central_meridian_collection", "(geometries)"),
    ("overlaps_collection", "(primary, collection)"),
    ("remove_m_collection", "(geometries)"),
    ("remove_z_and_m_collection", "(geometries)"),
    ("remove_z_collection", "(geometries)"),
    ("rotate_collection", "(geometries, angle, origin)"),
    ("scale_collection", "(geometries, scale_x, scale_y, origin)"),
    ("set_m_collection", "(m, geometries)"),
    ("set_z_and_m_collection", "(z, m, geometries)"),
    ("set_z_collection", "(z, geometries)"),
    ("simplify_collection", "(geometries)"),
    ("touches_collection", "(primary, collection)"),
    ("within_collection", "(container, geometries)"),
]


def test_registered_first_in_order_with_their_signatures():
    names = [name for name, _ in SIGNATURES]
    assert velmor_geometry.__all__[: len(names)] == names
    for name, signature in SIGNATURES:
        function = getattr(velmor_geometry, name)
        assert function.__text_signature__ == signature
        assert function.__module__ == "velmor_geometry"


# (function, fixed geometry, elements, expected)
DECISIONS = [
    ("contains_collection", SQUARE, [INSIDE, ALSO_INSIDE], True),
    ("contains_collection", SQUARE, [INSIDE, OUTSIDE], False),
    ("contains_collection", SQUARE, [], True),
    ("within_collection", INSIDE, [SQUARE], True),
    ("within_collection", OUTSIDE, [SQUARE], False),
    ("disjoint_from_collection", OUTSIDE, [SQUARE, INSIDE], True),
    ("disjoint_from_collection", INSIDE, [OUTSIDE, SQUARE], False),
    ("crosses_collection", SQUARE, [], False),
    ("crosses_collection", SQUARE, [INSIDE, Polyline({"paths": [[[-5, 5], [15, 5]]]})], True),
    ("touches_collection", SQUARE, [INSIDE, ON_EDGE], True),
    ("touches_collection", SQUARE, [INSIDE], False),
    ("overlaps_collection", SQUARE, [Polygon({"rings": [[[5, 5], [5, 15], [15, 15], [15, 5], [5, 5]]]})], True),
    ("intersects_collection", SQUARE, [OUTSIDE, ON_EDGE], True),
    ("intersects_collection", SQUARE, [OUTSIDE], False),
]


@pytest.mark.parametrize("name, fixed, elements, expected", DECISIONS)
def test_any_and_all(name, fixed, elements, expected):
    assert getattr(velmor_geometry, name)(fixed, elements) is expected


def reading(items, read):
    for item in items:
        read.append(item)
        yield item


@pytest.mark.parametrize(
    "name, items, read_count",
    [
        ("contains_collection", [INSIDE, OUTSIDE, "never read"], 2),
        ("intersects_collection", [OUTSIDE, INSIDE, "never read"], 2),
        ("touches_collection", [INSIDE, ON_EDGE, "never read"], 2),
    ],
)
def test_elements_after_the_deciding_one_are_not_read(name, items, read_count):
    read = []
    getattr(velmor_geometry, name)(SQUARE, reading(items, read))
    assert len(read) == read_count


def test_elements_may_be_dictionaries_and_text():
    assert velmor_geometry.contains_collection(SQUARE, [{"x": 1, "y": 1}, '{"x": 9, "y": 9}']) is True


def test_a_fixed_geometry_must_be_a_geometry_object():
    with pytest.raises(TypeError, match="'container'"):
        velmor_geometry.contains_collection({"x": 1, "y": 1}, [INSIDE])
    with pytest.raises(TypeError, match="'primary'"):
        velmor_geometry.crosses_collection(None, [INSIDE])


def test_failures_of_the_iterable():
    class Refusal(Exception):
        pass

    def refusing():
        yield INSIDE
        raise Refusal("stop")

    with pytest.raises(TypeError, match="^'int' object is not iterable$"):
        velmor_geometry.contains_collection(SQUARE, 5)
    with pytest.raises(Refusal, match="^stop$"):
        velmor_geometry.contains_collection(SQUARE, refusing())
    read = []
    with pytest.raises(TypeError, match="^Could not convert object 7 into Velmor geometry"):
        velmor_geometry.contains_collection(SQUARE, reading([INSIDE, 7, INSIDE], read))
    assert len(read) == 2


def test_a_runtime_error_of_an_element_is_the_library_error():
    other_system = Point({"x": 5, "y": 5, "spatialReference": {"wkid": 3857}})
    square_4326 = Polygon({"rings": [[[0, 0], [0, 10], [10, 10], [10, 0]]], "spatialReference": {"wkid": 4326}})
    with pytest.raises(Exception, match="^Geokern library error: '") as raised:
        velmor_geometry.contains_collection(square_4326, [other_system])
    assert type(raised.value) is Exception


EMPTY = [
    ("simplify_collection", ([],), []),
    ("length_collection", ([],), 0.0),
    ("area_collection", ([],), 0.0),
    ("is_simple_collection", ([],), []),
    ("label_point_collection", ([],), []),
    ("cut_collection", ([], Polyline({"paths": [[[0, 0], [1, 1]]]})), []),
    ("distances_from_collection", (INSIDE, []), []),
    ("rotate_collection", ([], 90.0, None), []),
    ("set_z_and_m_collection", (1.0, 2.0, []), []),
]


@pytest.mark.parametrize("name, arguments, expected", EMPTY)
def test_an_empty_iterable_makes_no_engine_call(name, arguments, expected):
    result = getattr(velmor_geometry, name)(*arguments)
    assert result == expected and type(result) is type(expected)


# (call, parameter the TypeError names)
WRONG_KINDS = [
    (lambda: velmor_geometry.area_collection([SQUARE], unit=AreaUnitId.Acres), "unit"),
    (lambda: velmor_geometry.area_collection([SQUARE], curve_type=1), "curve_type"),
    (lambda: velmor_geometry.buffer_collection([INSIDE], [1.0], max_deviation=None), "max_deviation"),
    (lambda: velmor_geometry.buffer_collection([INSIDE], [1.0], 1), "union_result"),
    (lambda: velmor_geometry.buffer_collection([INSIDE], [1.0], False, 9001), "distance_unit"),
    (lambda: velmor_geometry.buffer_collection([INSIDE, 5], [1.0, "x"]), "distances"),
    (lambda: velmor_geometry.clip_collection([INSIDE], SQUARE), "envelope"),
    (lambda: velmor_geometry.cut_collection([SQUARE], SQUARE), "cutter"),
    (lambda: velmor_geometry.rotate_collection([INSIDE], 90.0, SQUARE), "origin"),
    (lambda: velmor_geometry.generalize_collection([INSIDE], 1.0, None), "remove_degenerate_parts"),
    (lambda: velmor_geometry.set_z_collection("z", [INSIDE]), "z"),
    (lambda: velmor_geometry.densify_collection([INSIDE], 1.0, 1, None), "unit"),
]


@pytest.mark.parametrize("call, parameter", WRONG_KINDS)
def test_a_wrong_kind_is_a_type_error_naming_the_parameter(call, parameter):
    with pytest.raises(TypeError, match=f"'{parameter}'"):
        call()


def test_fixed_arguments_are_checked_before_the_iterable_is_read():
    read = []
    with pytest.raises(TypeError, match="'origin'"):
        velmor_geometry.rotate_collection(reading([INSIDE], read), 90.0, 5)
    assert read == []


@pytest.mark.parametrize(
    "unit, curve_type, text",
    [
        (LinearUnitId.Meters, None, "GeodeticCurveType must be provided for geodetic densify"),
        (None, GeodeticCurveType.Loxodrome, "LinearUnitId must be provided for geodetic densify"),
    ],
)
def test_densify_collection_selection(unit, curve_type, text):
    with pytest.raises(ValueError) as raised:
        velmor_geometry.densify_collection([INSIDE], 1.0, unit, curve_type)
    assert str(raised.value) == text


def test_label_point_collection_of_non_polygons_is_the_extent_centre():
    points = velmor_geometry.label_point_collection([Polyline({"paths": [[[0, 0], [4, 2]]]}), {"x": 7, "y": 8}])
    assert [(type(p), p.x, p.y) for p in points] == [(Point, 2.0, 1.0), (Point, 7.0, 8.0)]


def test_difference_geom_minus_nothing_is_a_new_equal_object():
    result = velmor_geometry.difference_geom_minus_collection(SQUARE, [])
    assert result is not SQUARE and type(result) is Polygon
    assert SQUARE.equals(result) is True


@pytest.mark.parametrize(
    "call",
    [
        lambda elements: velmor_geometry.densify_collection(elements, 1.0, LinearUnitId.Other, GeodeticCurveType.Geodesic),
        lambda elements: velmor_geometry.buffer_collection(elements, [1.0], False, LinearUnitId.Other),
    ],
)
def test_a_refused_unit_fails_before_any_element_is_read(call):
    read = []
    with pytest.raises(ValueError) as raised:
        call(reading([INSIDE], read))
    assert str(raised.value).startswith('Invalid LinearUnitId: Error { code: 1, msg: "invalid argument."')
    assert read == []
