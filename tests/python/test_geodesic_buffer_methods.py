"""The geodetic paths of Geometry.buffer, _buffer_geodetic and buffer_collection return real polygons:
their outline lies at the requested distance on the ellipsoid (checked with geographiclib)."""

import json

import pytest
from geographiclib.geodesic import Geodesic

import velmor_geometry
from velmor_geometry import GeodeticCurveType, LinearUnitId, Point, Polygon, Polyline

WGS84 = Geodesic.WGS84
HERE = Point({"x": 8.5, "y": 47.4, "spatialReference": {"wkid": 4326}})
THERE = Point({"x": 8.9, "y": 47.4, "spatialReference": {"wkid": 4326}})


def outline(polygon):
    return [v for ring in json.loads(polygon.JSON)["rings"] for v in ring]


def distances_from(point, polygon):
    return [WGS84.Inverse(point.y, point.x, v[1], v[0])["s12"] for v in outline(polygon)]


@pytest.mark.parametrize("call", [
    lambda: HERE.buffer(12.0, LinearUnitId.Kilometers, 0.01, GeodeticCurveType.Geodesic),
    lambda: HERE._buffer_geodetic(12_000.0, LinearUnitId.Meters, 10.0, GeodeticCurveType.Geodesic),
], ids=["buffer", "_buffer_geodetic"])
def test_geodetic_buffer_of_a_point_is_its_geodesic_circle(call):
    result = call()
    assert isinstance(result, Polygon)
    assert all(d == pytest.approx(12_000, abs=10) for d in distances_from(HERE, result))


def test_geodetic_buffer_of_a_line_holds_the_line_and_not_beyond():
    line = Polyline({"paths": [[[8.5, 47.4], [8.9, 47.4]]], "spatialReference": {"wkid": 4326}})
    result = line.buffer(5.0, LinearUnitId.Kilometers, 0.001, GeodeticCurveType.Geodesic)
    assert result.contains(line)
    assert not result.contains(Point({"x": 8.7, "y": 47.47, "spatialReference": {"wkid": 4326}}))  # ~7.8 km north


def test_buffer_collection_broadcasts_and_unions_geodetic_buffers():
    # max_deviation is in the distance unit too: 0.005 km
    apart = velmor_geometry.buffer_collection([HERE, THERE], [10.0], False, LinearUnitId.Kilometers, 0.005,
                                              GeodeticCurveType.Geodesic)
    assert len(apart) == 2
    for centre, polygon in zip([HERE, THERE], apart):
        assert all(d == pytest.approx(10_000, abs=5) for d in distances_from(centre, polygon))
    # 30 km apart: circles of 20 km overlap and merge into one ring
    merged = velmor_geometry.buffer_collection([HERE, THERE], [20.0], True, LinearUnitId.Kilometers, 0.005,
                                               GeodeticCurveType.Geodesic)
    assert len(merged) == 1 and len(json.loads(merged[0].JSON)["rings"]) == 1
    for v in outline(merged[0]):
        nearest = min(WGS84.Inverse(c.y, c.x, v[1], v[0])["s12"] for c in (HERE, THERE))
        assert nearest == pytest.approx(20_000, abs=5)


def test_buffer_collection_default_curve_type_buffers_along_great_ellipses():
    line = Polyline({"paths": [[[8.5, 47.4], [8.9, 47.6]]], "spatialReference": {"wkid": 4326}})
    by_default = velmor_geometry.buffer_collection([line], [2.0], False, LinearUnitId.Kilometers, 0.001)
    great_elliptic = velmor_geometry.buffer_collection([line], [2.0], False, LinearUnitId.Kilometers, 0.001,
                                                       GeodeticCurveType.GreatElliptic)
    assert by_default[0].equals(great_elliptic[0])
