"""The geodetic forms of the Geometry members (calculate_area, calculate_length, densify and their private
and collection forms) give real measures on the ellipsoid, checked against geographiclib."""

import json
import math

import pytest

geographiclib = pytest.importorskip("geographiclib")
from geographiclib.geodesic import Geodesic  # noqa: E402

import velmor_geometry as vg  # noqa: E402
from velmor_geometry import AreaUnit, AreaUnitId, GeodeticCurveType, LinearUnitId, Polygon, Polyline  # noqa: E402

WGS84 = Geodesic.WGS84
RING = [[-70.0, -33.0], [-70.5, -20.0], [-50.0, -15.0], [-45.0, -30.0], [-70.0, -33.0]]  # clockwise
PATH = [[170.0, 60.0], [-170.0, 62.0], [-150.0, 70.0]]


def peer(points, polyline):
    p = WGS84.Polygon(polyline)
    for lon, lat in points:
        p.AddPoint(lat, lon)
    return p.Compute(False, True)


def polygon():
    return Polygon({"rings": [RING], "spatialReference": {"wkid": 4326}})


def polyline():
    return Polyline({"paths": [PATH], "spatialReference": {"wkid": 4326}})


def close(a, b, rel=1e-9):
    return abs(a - b) <= rel * max(abs(a), abs(b))


SQUARE_METRES = -peer(RING[:-1], False)[2]


@pytest.mark.parametrize("unit,per_square_metre", [
    (None, 1.0), (AreaUnitId.SquareKilometers, 1e-6), (AreaUnitId.Hectares, 1e-4),
    (AreaUnitId.Acres, 1 / 4046.8564224),
])
def test_calculate_area_in_the_unit_asked(unit, per_square_metre):
    assert close(polygon().calculate_area(GeodeticCurveType.Geodesic, unit), SQUARE_METRES * per_square_metre)


def test_private_and_collection_forms_of_the_area_agree():
    g = polygon()
    assert close(g._area_geodetic(GeodeticCurveType.Geodesic, None), SQUARE_METRES)
    assert close(g._area_geodetic(GeodeticCurveType.Geodesic, AreaUnit(AreaUnitId.SquareKilometers)), SQUARE_METRES / 1e6)
    assert close(vg.area_collection([g, g], GeodeticCurveType.Geodesic), 2 * SQUARE_METRES)
    # Without a curve type the planar area in square degrees stays.
    assert g.calculate_area() != pytest.approx(SQUARE_METRES)


# A strip across the antimeridian, counter-clockwise as GeoJSON writes outer rings; reversed, clockwise.
STRIP = [[179.0, -10.0], [-179.0, -10.0], [-179.0, 10.0], [179.0, 10.0], [179.0, -10.0]]


@pytest.mark.parametrize("ring", [STRIP, STRIP[::-1], RING, RING[::-1]])
def test_geodesic_area_is_that_of_the_region_whichever_way_the_ring_runs(ring):
    expected = abs(peer(ring[:-1], False)[2])
    g = Polygon({"rings": [ring], "spatialReference": {"wkid": 4326}})
    assert close(g.calculate_area(GeodeticCurveType.Geodesic), expected)
    assert close(vg.area_collection([g], GeodeticCurveType.Geodesic), expected)


@pytest.mark.parametrize("unit,per_metre", [(None, 1.0), (LinearUnitId.Kilometers, 1e-3),
                                            (LinearUnitId.NauticalMiles, 1 / 1852.0)])
def test_calculate_length_across_the_antimeridian(unit, per_metre):
    expected = peer(PATH, True)[1]
    assert close(polyline().calculate_length(GeodeticCurveType.Geodesic, unit), expected * per_metre)


def test_geodetic_densify_puts_vertices_on_the_geodesic_no_further_apart_than_asked():
    limit_km = 150.0
    result = polyline().densify(limit_km, LinearUnitId.Kilometers, GeodeticCurveType.Geodesic)
    out = json.loads(result.JSON)["paths"][0]
    assert [v for v in out if v in PATH] == PATH
    steps = [WGS84.Inverse(p[1], p[0], q[1], q[0])["s12"] for p, q in zip(out, out[1:])]
    assert max(steps) <= limit_km * 1e3 * (1 + 1e-9)
    total = peer(PATH, True)[1]
    assert close(sum(steps), total)
    assert len(out) - 1 == sum(math.ceil(WGS84.Inverse(p[1], p[0], q[1], q[0])["s12"] / (limit_km * 1e3))
                               for p, q in zip(PATH, PATH[1:]))
    same = polyline()._densify_geodetic(limit_km, LinearUnitId.Kilometers, GeodeticCurveType.Geodesic)
    assert json.loads(same.JSON) == json.loads(result.JSON)


def test_geodetic_measures_without_a_spatial_reference_fail_with_the_reason():
    bare = Polygon({"rings": [RING]})
    with pytest.raises(Exception, match="spatial reference"):
        bare.calculate_area(GeodeticCurveType.Geodesic)
    with pytest.raises(Exception, match="spatial reference"):
        bare.calculate_length(GeodeticCurveType.Loxodrome)
