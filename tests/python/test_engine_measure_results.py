"""The planar measures and proximity members from Python, against closed forms: areas of squares and of a
circle made of two arcs, perimeters, distances, points along a polyline and back."""

import math

import pytest

import velmor_geometry
from velmor_geometry import Envelope, Geometry, Point, Polygon, Polyline

SQUARE = {"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]]]}
HOLED = {"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]], [[2, 2], [6, 2], [6, 6], [2, 6], [2, 2]]]}
# A circle of radius 3 around (1, 2): two half arcs, clockwise.
CIRCLE = {"curveRings": [[[-2, 2], {"c": [[4, 2], [1, 5]]}, {"c": [[-2, 2], [1, -1]]}]]}
HALF_CIRCLE_LINE = {"curvePaths": [[[-2, 2], {"c": [[4, 2], [1, 5]]}]]}
ELL = {"paths": [[[0, 0], [4, 0], [4, 3]]]}


@pytest.mark.parametrize("value, area", [
    (SQUARE, 100.0),
    (HOLED, 84.0),
    (CIRCLE, math.pi * 9),
    ({"hasZ": True, "rings": [[[0, 0, 5], [0, 2, 9], [3, 2, 1], [3, 0, 0], [0, 0, 5]]]}, 6.0),
])
def test_area(value, area):
    polygon = Polygon(value)
    assert polygon.area == pytest.approx(area, rel=1e-12)
    assert polygon.calculate_area() == pytest.approx(area, rel=1e-12)


def mirrored(value):
    """The same polygon with every ring running the other way round (curves kept)."""
    def reverse(ring):
        start, segments = ring[0], ring[1:]
        points, reversed_ring = [start], []
        for segment in segments:
            points.append(segment["c"][0] if isinstance(segment, dict) else segment)
        reversed_ring.append(points[-1])
        for i in range(len(segments) - 1, -1, -1):
            segment = segments[i]
            reversed_ring.append({"c": [points[i], segment["c"][1]]} if isinstance(segment, dict) else points[i])
        return reversed_ring
    key = "curveRings" if "curveRings" in value else "rings"
    return {**value, key: [reverse(ring) for ring in value[key]]}


# The README's bay: a half disc of radius 1 whose ring runs counter-clockwise.
BAY = {"curveRings": [[[0, 0], [2, 0], {"c": [[0, 0], [1, 1]]}]]}


@pytest.mark.parametrize("value, area", [(SQUARE, 100.0), (HOLED, 84.0), (CIRCLE, math.pi * 9), (BAY, math.pi / 2)])
def test_area_is_that_of_the_region_whichever_way_the_rings_run(value, area):
    shapely = pytest.importorskip("shapely")
    straight = mirrored(value)
    for form in (value, straight):
        polygon = Polygon(form)
        assert polygon.area == pytest.approx(area, rel=1e-12)
        assert polygon.calculate_area() == pytest.approx(area, rel=1e-12)
        assert velmor_geometry.area_collection([form, form]) == pytest.approx(2 * area, rel=1e-12)
    if "rings" in value:
        # shapely measures the region whatever the orientation, as GeoJSON's counter-clockwise outer rings have it.
        peer = shapely.Polygon(straight["rings"][0], straight["rings"][1:])
        assert Polygon(straight).area == pytest.approx(peer.area, rel=1e-12)


def test_empty_polygon_measures_positive_zero():
    for area in (Polygon({"rings": []}).area, Polygon({"rings": []}).calculate_area(),
                 velmor_geometry.area_collection([{"rings": []}])):
        assert area == 0.0 and math.copysign(1.0, area) == 1.0


@pytest.mark.parametrize("value, length", [
    (SQUARE, 40.0),
    (HOLED, 56.0),
    (CIRCLE, 6 * math.pi),
    (ELL, 7.0),
    (HALF_CIRCLE_LINE, 3 * math.pi),
    ({"hasZ": True, "paths": [[[0, 0, 0], [3, 4, 100]]]}, 5.0),
    ({"x": 1, "y": 2}, 0.0),
])
def test_length(value, length):
    geometry = Geometry(value)
    assert geometry.length == pytest.approx(length, rel=1e-12)
    assert geometry.calculate_length() == pytest.approx(length, rel=1e-12)


@pytest.mark.parametrize("a, b, distance", [
    ({"x": 1, "y": 2}, {"x": 4, "y": 6}, 5.0),
    ({"x": 1, "y": 2, "z": 0}, {"x": 4, "y": 6, "z": 50}, 5.0),
    (SQUARE, {"x": 13, "y": 14}, 5.0),
    (SQUARE, {"x": 5, "y": 5}, 0.0),
    (ELL, {"paths": [[[6, 0], [6, 10]]]}, 2.0),
    (CIRCLE, {"x": 1, "y": 9}, 4.0),
])
def test_distance_to(a, b, distance):
    assert Geometry(a).distance_to(Geometry(b)) == pytest.approx(distance, rel=1e-12, abs=1e-12)
    assert Geometry(b).distance_to(Geometry(a)) == pytest.approx(distance, rel=1e-12, abs=1e-12)


def test_distance_to_an_empty_geometry_is_nan():
    assert math.isnan(Point({"x": 1, "y": 2}).distance_to(Polyline({"paths": []})))


@pytest.mark.parametrize("value", [SQUARE, HOLED, CIRCLE,
                                   {"rings": [[[0, 0], [0, 10], [10, 10], [10, 8], [2, 8], [2, 0], [0, 0]]]}])
def test_label_point_of_a_polygon_lies_inside_it(value):
    polygon = Polygon(value)
    point = polygon.label_point()
    assert type(point) is Point
    assert polygon.contains(point) is True


# GEOS halves sums of coordinates on the way to its point on the surface; these overflowed to infinity.
@pytest.mark.parametrize("low, high", [(1e308, 1.7e308), (-1.7e308, -1e308)])
@pytest.mark.parametrize("along_y", [False, True], ids=["wide", "tall"])
def test_label_point_of_a_long_polygon_near_the_largest_doubles_lies_inside_it(low, high, along_y):
    ring = [[low, 0], [low, 1], [high, 1], [high, 0], [low, 0]]
    if along_y:
        ring = [[y, x] for x, y in reversed(ring)]
    point = Polygon({"rings": [ring]}).label_point()
    x, y = (point.y, point.x) if along_y else (point.x, point.y)
    assert low < x < high and 0 < y < 1


@pytest.mark.parametrize("distance, xy", [(0.0, (0, 0)), (2.5, (4 - 1.5, 0)), (5.0, (4, 1)), (7.0, (4, 3))])
def test_with_point_along(distance, xy):
    point = Polyline(ELL).with_point_along(distance)
    assert type(point) is Point
    assert (point.x, point.y) == pytest.approx(xy, abs=1e-12)


def test_with_point_along_an_arc():
    point = Polyline(HALF_CIRCLE_LINE).with_point_along(1.5 * math.pi)
    assert (point.x, point.y) == pytest.approx((1, 5), abs=1e-9)


@pytest.mark.parametrize("xy, tolerance, fraction", [
    ((4, 1), 0.0, 5 / 7),
    ((2, 0.1), 0.2, 2 / 7),
    ((0, 0), 0.0, 0.0),
    ((4, 3), 0.0, 1.0),
])
def test_fraction_along(xy, tolerance, fraction):
    point = Point({"x": xy[0], "y": xy[1]})
    assert Polyline(ELL).fraction_along(point, tolerance) == pytest.approx(fraction, rel=1e-12, abs=1e-12)


def test_point_along_and_fraction_along_agree():
    line = Polyline({"paths": [[[0, 0], [3, 4], [9, 12]]]})
    for distance in (1.0, 5.0, 11.0):
        point = line.with_point_along(distance)
        assert line.fraction_along(point, 1e-9) == pytest.approx(distance / 15.0, rel=1e-12)


def test_measure_collections():
    assert velmor_geometry.area_collection([SQUARE, Polygon(HOLED), CIRCLE]) == pytest.approx(184.0 + 9 * math.pi)
    assert velmor_geometry.length_collection([ELL, SQUARE]) == pytest.approx(47.0)
    assert velmor_geometry.distances_from_collection(Point({"x": 1, "y": 2}), [{"x": 4, "y": 6}, SQUARE]) == \
        pytest.approx([5.0, 0.0])
    labels = velmor_geometry.label_point_collection([SQUARE, ELL])
    assert Polygon(SQUARE).contains(labels[0]) is True
    assert (labels[1].x, labels[1].y) == (2.0, 1.5)


def test_area_of_an_envelope_is_none_and_its_polygon_measures():
    envelope = Envelope({"xmin": 0, "ymin": 0, "xmax": 2, "ymax": 1})
    assert envelope.area is None
    assert envelope.buffer(0.0).area == pytest.approx(2.0, rel=1e-12)


# A Bezier from (0, 0) to (6, 0) with controls (c, c) and (-c, -c) reaches c / (2 sqrt(3)) either way, to
# within 6 of it. Its extent was (0, 0, 6, 0) beyond c = 1e150, and engine operations then took the
# curve for a small one: a buffer of it ran for seconds to a wrong answer.
@pytest.mark.parametrize("c", [1e100, 1e200, 1e300])
def test_a_bezier_with_huge_control_points_has_its_extent_and_is_refused_where_out_of_range(c):
    curve = Polyline({"curvePaths": [[[0, 0], {"b": [[6, 0], [c, c], [-c, -c]]}]]})
    reach = c / (2 * math.sqrt(3))
    assert curve.extent == pytest.approx((-reach, -reach, reach, reach), rel=1e-14)
    if c > 1e150:
        with pytest.raises(Exception, match="coordinate beyond 1e150 in size"):
            curve.buffer(0.5)
