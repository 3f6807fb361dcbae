"""Geodesic ellipses and sectors of the runtime core and their parameter objects: outline points on the
ellipse laid along the geodesics from the centre (closed form checked with geographiclib), point counts
and segment lengths honoured, bad parameters refused without changing the object."""

import ctypes
import math

import pytest
from geographiclib.geodesic import Geodesic

from geokern_engine import EngineError, Handle, engine

WGS84 = Geodesic.WGS84
P, D, I32, I64 = ctypes.c_void_p, ctypes.c_double, ctypes.c_int32, ctypes.c_int64
POLYLINE, POLYGON, MULTIPOINT = 3, 4, 5
METERS, KILOMETERS, DEGREES, RADIANS = 9001, 9036, 9102, 9101


def call(name, *args, restype=None, argtypes=()):
    return engine().call(name, *args, restype=restype, argtypes=list(argtypes))


def owned(raw, destroy):
    engine().function(destroy, None, [P])
    return Handle(engine(), raw, destroy)


def unit(kind, code):
    return owned(call(f"{kind}Unit_create", code, restype=P, argtypes=[I32]), "Unit_destroy")


def center(lon, lat):
    return engine().geometry({"x": lon, "y": lat, "spatialReference": {"wkid": 4326}})


def ellipse_parameters(lon, lat, axis1, axis2, direction=0.0, kind=POLYGON, count=100, segment=0.0,
                       angular=DEGREES, linear=METERS):
    keep = unit("Angular", angular), center(lon, lat), unit("Linear", linear)
    raw = call("GeodesicEllipseParameters_createWith", keep[0].handle, direction, keep[1].handle, kind,
               keep[2].handle, count, segment, axis1, axis2, restype=P, argtypes=[P, D, P, I32, P, I64, D, D, D])
    return owned(raw, "GeodesicEllipseParameters_destroy")


def sector_parameters(lon, lat, axis1, axis2, angle, start, direction=0.0, kind=POLYGON, count=100, segment=0.0):
    keep = unit("Angular", DEGREES), center(lon, lat), unit("Linear", METERS)
    raw = call("GeodesicSectorParameters_createWith", keep[0].handle, direction, keep[1].handle, kind,
               keep[2].handle, count, segment, angle, axis1, axis2, start, restype=P,
               argtypes=[P, D, P, I32, P, I64, D, D, D, D, D])
    return owned(raw, "GeodesicSectorParameters_destroy")


def outline(function, parameters):
    return engine().engine(function, parameters, None)


def points_of(result):
    if "rings" in result:
        ring = result["rings"][0]
        return ring[:-1]
    if "paths" in result:
        return result["paths"][0]
    return result["points"]


def radius(azimuth, axis1, axis2, direction):
    phi = math.radians(azimuth - direction)
    return axis1 * axis2 / math.hypot(axis2 * math.cos(phi), axis1 * math.sin(phi))


def assert_on_ellipse(position, lon, lat, axis1, axis2, direction):
    line = WGS84.Inverse(lat, lon, position[1], position[0])
    assert line["s12"] == pytest.approx(radius(line["azi1"], axis1, axis2, direction), abs=1e-6)


ELLIPSES = [
    # lon, lat, semi-axis 1, semi-axis 2, axis direction
    (8.5, 47.4, 30_000, 10_000, 0.0),
    (-70.0, -33.0, 5_000, 20_000, 35.0),
    (179.9, 64.0, 200_000, 80_000, 100.0),
]


@pytest.mark.parametrize("lon, lat, axis1, axis2, direction", ELLIPSES)
def test_ellipse_points_lie_on_the_geodesic_ellipse(lon, lat, axis1, axis2, direction):
    result = outline("ellipseGeodesic", ellipse_parameters(lon, lat, axis1, axis2, direction, count=60))
    ring = points_of(result)
    assert len(ring) == 60
    for position in ring:
        assert_on_ellipse(position, lon, lat, axis1, axis2, direction)
    assert max(p[0] for p in ring) - min(p[0] for p in ring) < 180  # continuous across the antimeridian


def test_ellipse_in_other_units_is_the_same_ellipse():
    in_degrees = outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30_000, 10_000, 45.0, count=40))
    in_other = outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30, 10, math.pi / 4, count=40,
                                                             angular=RADIANS, linear=KILOMETERS))
    for a, b in zip(points_of(in_degrees), points_of(in_other)):
        assert a == pytest.approx(b, abs=1e-9)


@pytest.mark.parametrize("kind, count, distinct", [(POLYGON, 50, 50), (POLYLINE, 50, 49), (MULTIPOINT, 50, 50)])
def test_point_count_is_that_of_the_returned_geometry(kind, count, distinct):
    result = outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30_000, 10_000, kind=kind, count=count))
    if kind == POLYGON:
        assert len(result["rings"]) == 1 and len(result["rings"][0]) == count + 1
    elif kind == POLYLINE:
        path = result["paths"][0]
        assert len(path) == count and path[0] == path[-1]
    else:
        assert len(result["points"]) == count
    assert len({tuple(p) for p in points_of(result)}) == distinct


@pytest.mark.parametrize("segment", [1_000.0, 7_500.0])
def test_max_segment_length_is_honoured_with_few_points(segment):
    result = outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30_000, 10_000, count=10_000,
                                                           segment=segment))
    ring = result["rings"][0]
    lengths = [WGS84.Inverse(a[1], a[0], b[1], b[0])["s12"] for a, b in zip(ring, ring[1:])]
    assert max(lengths) <= segment
    assert min(lengths) > 0.9 * segment  # spread evenly: not more points than needed


def test_too_few_points_for_the_segment_length_is_refused():
    with pytest.raises(EngineError, match="max point count is 10"):
        outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30_000, 10_000, count=10, segment=1_000.0))


def test_polygon_ring_is_clockwise():
    from shapely.geometry import Polygon as ShapelyPolygon
    ring = outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30_000, 10_000))["rings"][0]
    assert not ShapelyPolygon(ring).exterior.is_ccw


SECTORS = [
    # lon, lat, axis1, axis2, sector angle, start direction, axis direction
    (8.5, 47.4, 30_000, 10_000, 90.0, 10.0, 0.0),
    (8.5, 47.4, 30_000, 10_000, -120.0, 200.0, 30.0),
    (-150.0, 21.0, 50_000, 50_000, 359.0, 0.0, 0.0),
]


@pytest.mark.parametrize("lon, lat, axis1, axis2, angle, start, direction", SECTORS)
def test_sector_runs_from_the_centre_along_the_arc_and_back(lon, lat, axis1, axis2, angle, start, direction):
    result = outline("sectorGeodesic", sector_parameters(lon, lat, axis1, axis2, angle, start, direction,
                                                         kind=POLYLINE, count=200, segment=4_000.0))
    path = result["paths"][0]
    assert len(path) <= 200 and path[0] == path[-1] == [lon, lat]
    lengths = [WGS84.Inverse(a[1], a[0], b[1], b[0])["s12"] for a, b in zip(path, path[1:])]
    assert max(lengths) <= 4_000.0
    on_arc = 0
    for p in path[1:-1]:
        line = WGS84.Inverse(lat, lon, p[1], p[0])
        reach = radius(line["azi1"], axis1, axis2, direction)
        if abs(line["s12"] - reach) <= 1e-6:
            on_arc += 1
            turned = ((line["azi1"] - start) * math.copysign(1, angle)) % 360
            assert turned <= abs(angle) + 1e-7 or turned >= 360 - 1e-7
        else:  # on a straight side: along the start or end direction, inside the ellipse
            side = min(abs(math.remainder(line["azi1"] - edge, 360)) for edge in (start, start + angle))
            assert side < 1e-7 and line["s12"] < reach
    assert on_arc >= 2


def test_degenerate_ellipse_is_empty():
    assert outline("ellipseGeodesic", ellipse_parameters(8.5, 47.4, 30_000, 0.0))["rings"] == []
    assert outline("sectorGeodesic", sector_parameters(8.5, 47.4, 30_000, 10_000, 0.0, 0.0))["rings"] == []


# setter, argument type, a good value, a bad value, what the message says
SETTERS = [
    ("SemiAxis1Length", D, 5.0, -1.0, "semi-axis 1 length must be a finite length of 0 or more"),
    ("SemiAxis2Length", D, 5.0, math.nan, "semi-axis 2 length must be a finite length of 0 or more"),
    ("MaxSegmentLength", D, 5.0, -0.5, "max segment length must be a finite length of 0 or more"),
    ("AxisDirection", D, 5.0, math.inf, "axis direction must be a finite angle"),
    ("MaxPointCount", I64, 5, 0, "max point count must be 1 or more"),
    ("GeometryType", I32, POLYLINE, 2, "must be a polygon (4), a polyline (3) or a multipoint (5)"),
]
GETTER_TYPES = {D: D, I64: I64, I32: I32}


@pytest.mark.parametrize("family", ["GeodesicEllipseParameters", "GeodesicSectorParameters"])
@pytest.mark.parametrize("name, kind, good, bad, message", SETTERS, ids=[s[0] for s in SETTERS])
def test_setters_keep_good_values_and_refuse_bad_ones(family, name, kind, good, bad, message):
    parameters = owned(call(f"{family}_create", restype=P), f"{family}_destroy")
    call(f"{family}_set{name}", parameters.handle, good, argtypes=[P, kind])
    with pytest.raises(EngineError) as raised:
        call(f"{family}_set{name}", parameters.handle, bad, argtypes=[P, kind])
    assert message in raised.value.detail
    assert call(f"{family}_get{name}", parameters.handle, restype=GETTER_TYPES[kind], argtypes=[P]) == good


@pytest.mark.parametrize("family", ["GeodesicEllipseParameters", "GeodesicSectorParameters"])
def test_defaults_and_object_arguments(family):
    parameters = owned(call(f"{family}_create", restype=P), f"{family}_destroy")
    get = lambda name, restype: call(f"{family}_get{name}", parameters.handle, restype=restype, argtypes=[P])
    assert (get("GeometryType", I32), get("MaxPointCount", I64), get("MaxSegmentLength", D)) == (POLYGON, 100, 0.0)
    angular = owned(get("AngularUnit", P), "Unit_destroy")
    linear = owned(get("LinearUnit", P), "Unit_destroy")
    assert call("Unit_getWKID", angular.handle, restype=I32, argtypes=[P]) == DEGREES
    assert call("Unit_getWKID", linear.handle, restype=I32, argtypes=[P]) == METERS
    with pytest.raises(EngineError, match="expected a angular unit|angular"):
        call(f"{family}_setAngularUnit", parameters.handle, linear.handle, argtypes=[P, P])
    with pytest.raises(EngineError, match="expected a point"):
        line = engine().geometry({"paths": [[[0, 0], [1, 1]]]})
        call(f"{family}_setCenter", parameters.handle, line.handle, argtypes=[P, P])
    middle = center(3, 4)
    call(f"{family}_setCenter", parameters.handle, middle.handle, argtypes=[P, P])
    got = owned(get("Center", P), "Geometry_destroy")
    assert engine().to_json(got.handle)["x"] == 3
    with pytest.raises(EngineError, match="has no centre"):
        outline("ellipseGeodesic" if "Ellipse" in family else "sectorGeodesic",
                owned(call(f"{family}_create", restype=P), f"{family}_destroy"))


def test_sector_angle_beyond_a_turn_is_refused():
    parameters = sector_parameters(8.5, 47.4, 30_000, 10_000, 90.0, 0.0)
    with pytest.raises(EngineError, match="at most one full turn"):
        call("GeodesicSectorParameters_setSectorAngle", parameters.handle, 361.0, argtypes=[P, D])
    assert call("GeodesicSectorParameters_getSectorAngle", parameters.handle, restype=D, argtypes=[P]) == 90.0
