"""__geo_interface__ read by shapely gives the same geometry built in shapely: straight geometries
exactly (vertex for vertex, with GeoJSON's ring orientation), curved ones within the documented chord
deviation of 1e-4 of each curve's size, measured against the true curve sampled densely."""

import math

import numpy as np
import pytest
import shapely
from shapely.geometry import LineString, MultiLineString, MultiPoint as ShapelyMultiPoint, MultiPolygon
from shapely.geometry import Point as ShapelyPoint, Polygon as ShapelyPolygon, shape
from shapely.geometry.polygon import orient

from velmor_geometry import Geometry

DEVIATION = 1e-4
SQUARE = [[0, 0], [0, 4], [4, 4], [4, 0], [0, 0]]  # clockwise: an outer ring here
HOLE = [[1, 1], [3, 1], [3, 3], [1, 3], [1, 1]]  # counter-clockwise: a hole
ISLAND = [[10, 10], [10, 12], [12, 12], [12, 10]]  # clockwise, not closed

STRAIGHT = {
    "point": ({"x": 1.5, "y": -2}, ShapelyPoint(1.5, -2)),
    "point with z, m dropped": ({"x": 1, "y": 2, "z": 3, "m": 4}, ShapelyPoint(1, 2, 3)),
    "empty point": ({"x": math.nan, "y": math.nan}, ShapelyPoint()),
    "multipoint with z": ({"points": [[1, 2, 3], [4, 5, 6]], "hasZ": True}, ShapelyMultiPoint([(1, 2, 3), (4, 5, 6)])),
    "empty multipoint": ({"points": []}, ShapelyMultiPoint()),
    "one path": ({"paths": [[[0, 0], [1, 1], [2, 0]]]}, LineString([(0, 0), (1, 1), (2, 0)])),
    "two paths with m": ({"paths": [[[0, 0, 7], [1, 1, 7]], [[5, 5, 7], [6, 6, 7]]], "hasM": True},
                         MultiLineString([[(0, 0), (1, 1)], [(5, 5), (6, 6)]])),
    "empty polyline": ({"paths": []}, MultiLineString()),
    "polygon with a hole": ({"rings": [SQUARE, HOLE]}, ShapelyPolygon(SQUARE, [HOLE])),
    "two outer rings, one open": ({"rings": [SQUARE, HOLE, ISLAND]},
                                  MultiPolygon([ShapelyPolygon(SQUARE, [HOLE]), ShapelyPolygon(ISLAND)])),
    "polygon with z": ({"rings": [[[0, 0, 1], [0, 1, 2], [1, 1, 3], [0, 0, 1]]], "hasZ": True},
                       ShapelyPolygon([(0, 0, 1), (0, 1, 2), (1, 1, 3), (0, 0, 1)])),
    "empty polygon": ({"rings": []}, ShapelyPolygon()),
    "envelope": ({"xmin": -1, "ymin": 2, "xmax": 3, "ymax": 5, "zmin": 0, "zmax": 1},
                 ShapelyPolygon([(-1, 2), (3, 2), (3, 5), (-1, 5)])),
    "empty envelope": ({"xmin": math.nan, "ymin": math.nan, "xmax": math.nan, "ymax": math.nan}, ShapelyPolygon()),
}


def geojson_oriented(geometry):
    """shapely's geometry with GeoJSON's ring orientation: outer rings counter-clockwise."""
    if isinstance(geometry, ShapelyPolygon) and not geometry.is_empty:
        return orient(geometry, 1.0)
    if isinstance(geometry, MultiPolygon):
        return MultiPolygon([orient(part, 1.0) for part in geometry.geoms])
    return geometry


@pytest.mark.parametrize("form, expected", STRAIGHT.values(), ids=STRAIGHT.keys())
def test_straight_geometries_read_back_exactly(form, expected):
    read = shape(Geometry(form).__geo_interface__)
    assert read.geom_type == expected.geom_type
    assert read.has_z == expected.has_z
    assert read.is_empty == expected.is_empty
    assert read.equals_exact(geojson_oriented(expected), 0.0)
    assert shapely.get_coordinates(read, include_z=read.has_z).tolist() == \
        shapely.get_coordinates(geojson_oriented(expected), include_z=expected.has_z).tolist()


def ellipse(cx, cy, a, b, start, stop):
    t = np.linspace(start, stop, 20001)
    return np.column_stack([cx + a * np.cos(t), cy + b * np.sin(t)])


def cubic(p0, p1, p2, p3):
    t = np.linspace(0, 1, 20001)[:, None]
    p0, p1, p2, p3 = map(np.asarray, (p0, p1, p2, p3))
    return (1 - t) ** 3 * p0 + 3 * (1 - t) ** 2 * t * p1 + 3 * (1 - t) * t ** 2 * p2 + t ** 3 * p3


def deviation(read, true_curve):
    """The larger distance from a point of either outline to the other outline (points taken every
    1e-3 along the chords, and at every sample of the true curve)."""
    def outline(geometry):
        return geometry.boundary if geometry.geom_type.endswith("Polygon") else geometry

    along_chords = shapely.points(shapely.get_coordinates(shapely.segmentize(outline(read), 1e-3)))
    on_curve = shapely.points(shapely.get_coordinates(outline(true_curve)))
    return max(shapely.distance(along_chords, outline(true_curve)).max(),
               shapely.distance(on_curve, outline(read)).max())


# (form, the true curve densely sampled, the curve's size, how the result is read)
CURVED = {
    "circle closed by one arc": (
        {"curveRings": [[[0, 0], {"c": [[0, 0], [2, 0]]}]]}, ShapelyPolygon(ellipse(1, 0, 1, 1, 0, 2 * math.pi)), 1.0,
        "Polygon"),
    "half circle path": (
        {"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}]]}, LineString(ellipse(1, 0, 1, 1, math.pi, 0)), 1.0,
        "LineString"),
    "quarter ellipse path": (
        {"curvePaths": [[[2, 0], {"a": [[0, 1], [0, 0], True, False, 0.0, 2.0, 0.5]}]]},
        LineString(ellipse(0, 0, 2, 1, 0, math.pi / 2)), 2.0, "LineString"),
    "bezier path": (
        {"curvePaths": [[[0, 0], {"b": [[4, 0], [1, 2], [3, 2]]}]]},
        LineString(cubic((0, 0), (1, 2), (3, 2), (4, 0))), math.hypot(1, 2) * 2 + 2, "LineString"),
    "straight part beside a curved ring": (
        {"rings": [[[10, 10], [10, 11], [11, 11], [11, 10], [10, 10]]],
         "curveRings": [[[0, 0], {"c": [[0, 0], [2, 0]]}]]},
        MultiPolygon([ShapelyPolygon([(10, 10), (10, 11), (11, 11), (11, 10)]),
                      ShapelyPolygon(ellipse(1, 0, 1, 1, 0, 2 * math.pi))]), 1.0, "MultiPolygon"),
}


@pytest.mark.parametrize("form, true_curve, size, geom_type", CURVED.values(), ids=CURVED.keys())
def test_curves_read_back_within_the_chord_deviation(form, true_curve, size, geom_type):
    geometry = Geometry(form)
    read = shape(geometry.__geo_interface__)
    assert read.geom_type == geom_type
    # Chords cut inside the curve by at most the deviation; the dense sampling adds its own tiny error.
    assert deviation(read, true_curve) <= DEVIATION * size * 1.01 + 1e-6
    if geom_type == "LineString":
        assert read.coords[0] == pytest.approx(true_curve.coords[0], abs=1e-12)
        assert read.coords[-1] == pytest.approx(true_curve.coords[-1], abs=1e-12)
    else:
        # The chords lose at most deviation x outline of the area.
        assert read.is_valid
        assert abs(read.area - true_curve.area) <= DEVIATION * size * read.length
    assert len(shapely.get_coordinates(read)) < 1000


def test_curve_chords_carry_z_interpolated_along_the_curve():
    geometry = Geometry({"curvePaths": [[[0, 0, 0], {"c": [[2, 0, 10], [1, 1]]}]], "hasZ": True})
    coordinates = shapely.get_coordinates(shape(geometry.__geo_interface__), include_z=True)
    assert coordinates[0].tolist() == [0, 0, 0] and coordinates[-1].tolist() == [2, 0, 10]
    assert np.all(np.diff(coordinates[:, 2]) > 0)
