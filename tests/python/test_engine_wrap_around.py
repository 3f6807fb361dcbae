"""Builders moved by whole periods of their system's wrap-around range, and meridian convergence,
through the runtime core directly. Convergence is checked against pyproj's projection factors."""

import math
from ctypes import c_double, c_void_p

import pytest

from geokern_engine import engine

HALF_EQUATOR = math.pi * 6378137.0


def with_builder(geometry, operation, *args, argtypes=()):
    """Runs GK_<operation>(builder, *args) on a builder of the geometry and gives the geometry built."""
    e = engine()
    g = e.geometry(geometry)
    builder = e.call("GeometryBuilder_createFromGeometry", g.handle)
    try:
        e.call(operation, builder, *args, restype=None, argtypes=[c_void_p, *argtypes])
        built = e.call("GeometryBuilder_toGeometry", builder)
        try:
            return e.to_json(built)
        finally:
            e.call("Geometry_destroy", built)
    finally:
        e.call("GeometryBuilder_destroy", builder)


def point(x, wkid=4326):
    return {"x": x, "y": 5, "spatialReference": {"wkid": wkid}}


def envelope(xmin, xmax, wkid=4326):
    return {"xmin": xmin, "ymin": 0, "xmax": xmax, "ymax": 10, "spatialReference": {"wkid": wkid}}


@pytest.mark.parametrize("x, wkid, expected", [
    (10, 4326, 10), (190, 4326, -170), (-540, 4326, -180), (1000, 4326, -80),
    (HALF_EQUATOR + 1000, 3857, -HALF_EQUATOR + 1000),
    (900000, 32633, 900000),
])
def test_point_builder_normalize_folds_into_the_range(x, wkid, expected):
    assert with_builder(point(x, wkid), "PointBuilder_normalize")["x"] == pytest.approx(expected)


@pytest.mark.parametrize("x, near, expected", [(10, 350, 370), (-170, 170, 190), (10, 0, 10), (725, 0, 5)])
def test_point_builder_goes_to_the_period_closest_to_an_x(x, near, expected):
    assert with_builder(point(x), "PointBuilder_normalizeToPointClosestTo", near,
                        argtypes=[c_double])["x"] == expected


@pytest.mark.parametrize("x, box, expected", [(-170, (170, 200), 190), (10, (-10, 20), 10), (400, (-10, 20), 40)])
def test_point_builder_goes_into_an_envelope_when_it_can(x, box, expected):
    e = engine()
    reference = e.geometry(envelope(*box))
    assert with_builder(point(x), "PointBuilder_normalizeToEnvelope", reference.handle,
                        argtypes=[c_void_p])["x"] == expected


@pytest.mark.parametrize("box, expected", [((370, 380), (10, 20)), ((-200, -190), (160, 170)),
                                           ((170, 190), (-180, 180)), ((0, 400), (-180, 180))])
def test_envelope_builder_normalize_moves_into_the_range_or_covers_it(box, expected):
    result = with_builder(envelope(*box), "EnvelopeBuilder_normalize")
    assert (result["xmin"], result["xmax"]) == expected


@pytest.mark.parametrize("operation", ["EnvelopeBuilder_normalizeToEnvelope", "EnvelopeBuilder_adjustForWrapAround"])
@pytest.mark.parametrize("box, reference, expected", [((-175, -165), (160, 200), (185, 195)),
                                                      ((10, 20), (0, 30), (10, 20))])
def test_envelope_builder_moves_next_to_a_reference(operation, box, reference, expected):
    e = engine()
    other = e.geometry(envelope(*reference))
    result = with_builder(envelope(*box), operation, other.handle, argtypes=[c_void_p])
    assert (result["xmin"], result["xmax"]) == expected


@pytest.mark.parametrize("wkid, lon, lat", [(32633, 17, 50), (32633, 12, 50), (32633, 17, -30), (2056, 8, 46.5),
                                            (27700, -3, 54), (3857, 40, 10), (4326, 40, 10)])
def test_convergence_angle_agrees_with_pyproj(wkid, lon, lat):
    pyproj = pytest.importorskip("pyproj")
    crs = pyproj.CRS.from_epsg(wkid)
    # Longitude and latitude on the system's own datum, as the projection factors take them.
    x, y = pyproj.Transformer.from_crs(crs.geodetic_crs, crs, always_xy=True).transform(lon, lat)
    e = engine()
    reference = e.spatial_reference(wkid)
    at = e.geometry({"x": x, "y": y, "spatialReference": {"wkid": wkid}})
    ours = e.call("SpatialReference_getConvergenceAngle", reference.handle, at.handle)
    expected = 0.0 if crs.is_geographic else pyproj.Proj(crs).get_factors(lon, lat).meridian_convergence
    assert ours == pytest.approx(expected, abs=1e-6)
