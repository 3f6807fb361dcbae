"""Geodetic measures of the runtime core: areas, lengths, densify, distances and moves along the five curve
types, against geographiclib (geodesics), closed forms (loxodromes, parallels, longitude/latitude
rectangles) and an independent integration of plane sections of the ellipsoid written here."""

import math
import random

import pytest

geographiclib = pytest.importorskip("geographiclib")
from geographiclib.geodesic import Geodesic  # noqa: E402

from geokern_engine import EngineError, Handle, Int32, engine  # noqa: E402
from ctypes import c_double, c_int32, c_void_p  # noqa: E402

WGS84 = Geodesic.WGS84
A, F = WGS84.a, WGS84.f
B = A * (1 - F)
E2 = F * (2 - F)
GEODESIC, LOXODROME, GREAT_ELLIPTIC, NORMAL_SECTION, SHAPE_PRESERVING = (Int32(code) for code in range(5))
METERS, KILOMETERS, FEET = 9001, 9036, 9002
SQUARE_KILOMETERS, RADIANS, DEGREES = 109414, 9101, 9102


def close(a, b, rel=1e-9, floor=1e-6):
    return abs(a - b) <= rel * max(abs(a), abs(b)) + floor


def unit(kind, code):
    return Handle(engine(), engine().call(f"{kind}_create", code, restype=c_void_p, argtypes=[c_int32]), "Unit_destroy")


def raw(handle):
    return handle.handle if isinstance(handle, Handle) else handle


def polygon(rings, wkid=4326):
    return {"rings": [list(map(list, ring)) for ring in rings], "spatialReference": {"wkid": wkid}}


def polyline(paths, wkid=4326):
    return {"paths": [list(map(list, path)) for path in paths], "spatialReference": {"wkid": wkid}}


def area(geometry, curve=GEODESIC, area_unit=None):
    return engine().engine("areaGeodetic", geometry, area_unit, curve, result="double")


def length(geometry, curve=GEODESIC, length_unit=None):
    return engine().engine("lengthGeodetic", geometry, length_unit, curve, result="double")


# ---- generated rings: clockwise stars around centres anywhere, their longitudes continuous ----

def star_ring(rng, latitude, longitude, radius, count):
    azimuths = sorted(rng.uniform(0, 360) for _ in range(count))
    ring = []
    for azimuth in azimuths:
        r = WGS84.Direct(latitude, longitude, azimuth, rng.uniform(0.5, 1.0) * radius)
        ring.append((r["lon2"], r["lat2"]))
    return ring + [ring[0]]


CENTRES = [
    ("mid-latitudes", 47.5, 8.5, 200e3),
    ("antimeridian", -16.0, 179.9, 600e3),
    ("north pole", 90.0, 0.0, 900e3),
    ("south pole", -90.0, 45.0, 2500e3),
    ("equator", 0.0, -60.0, 3000e3),
    ("small", 35.0, 139.0, 50.0),
]


def peer_polygon(ring, polyline_only=False):
    p = WGS84.Polygon(polyline_only)
    for lon, lat in ring[:-1] if not polyline_only else ring:
        p.AddPoint(lat, lon)
    return p.Compute(False, True)


@pytest.mark.parametrize("name,latitude,longitude,radius", CENTRES, ids=[c[0] for c in CENTRES])
def test_geodesic_area_and_length_match_geographiclib(name, latitude, longitude, radius):
    rng = random.Random(name)
    ring = star_ring(rng, latitude, longitude, radius, rng.randint(5, 40))
    _, perimeter, peer_area = peer_polygon(ring)
    # geographiclib counts counter-clockwise rings positive; the engine clockwise outer rings, and a ring
    # that runs the other way round measures what its mirror measures.
    assert close(area(polygon([ring])), -peer_area, floor=1e-9)
    assert close(area(polygon([list(reversed(ring))])), -peer_area, floor=1e-9)
    assert close(length(polygon([ring])), perimeter)
    _, path_length, _ = peer_polygon(ring[:-1], polyline_only=True)
    assert close(length(polyline([ring[:-1]])), path_length)


def test_holes_subtract_and_units_convert():
    rng = random.Random(7)
    shell = star_ring(rng, 10.0, 20.0, 500e3, 12)
    hole = list(reversed(star_ring(rng, 10.0, 20.0, 100e3, 8)))
    expected = -peer_polygon(shell)[2] - (-peer_polygon(list(reversed(hole)))[2])
    g = polygon([shell, hole])
    assert close(area(g), expected)
    assert close(area(g, area_unit=unit("AreaUnit", SQUARE_KILOMETERS)), expected / 1e6)
    total = peer_polygon(shell)[1] + peer_polygon(hole)[1]
    assert close(length(g, length_unit=unit("LinearUnit", FEET)), total / 0.3048)
    assert close(length(g, length_unit=unit("LinearUnit", KILOMETERS)), total / 1e3)


def test_projected_geometries_are_measured_through_their_geographic_system():
    pyproj = pytest.importorskip("pyproj")
    rng = random.Random(3)
    ring = star_ring(rng, 45.0, 15.0, 150e3, 10)
    to_utm = pyproj.Transformer.from_crs(4326, 32633, always_xy=True)
    projected = [to_utm.transform(lon, lat) for lon, lat in ring]
    # The peer measures the vertices the engine sees: the projected ones taken back.
    back = pyproj.Transformer.from_crs(32633, 4326, always_xy=True)
    seen = [back.transform(x, y) for x, y in projected]
    _, perimeter, peer_area = peer_polygon(seen)
    assert close(area(polygon([projected], 32633)), -peer_area, rel=1e-9)
    assert close(length(polygon([projected], 32633)), perimeter, rel=1e-9)


def test_true_curves_are_measured_along_the_curve():
    pyproj = pytest.importorskip("pyproj")
    # Clockwise: a half circle of 100 km radius in UTM over the top, then straight back along its diameter.
    ring = {"curveRings": [[[400e3, 5000e3], {"c": [[600e3, 5000e3], [500e3, 5100e3]]}, [400e3, 5000e3]]],
            "spatialReference": {"wkid": 32633}}
    back = pyproj.Transformer.from_crs(32633, 4326, always_xy=True)

    def chorded(pieces):
        angles = [math.pi - math.pi * k / pieces for k in range(pieces + 1)]
        xs = [500e3 + 100e3 * math.cos(a) for a in angles]
        ys = [5000e3 + 100e3 * math.sin(a) for a in angles]
        lons, lats = back.transform(xs, ys)
        return peer_polygon(list(zip(lons, lats)) + [(lons[0], lats[0])])

    coarse, fine = chorded(8192), chorded(16384)
    expected_area = -(4 * fine[2] - coarse[2]) / 3
    expected_length = (4 * fine[1] - coarse[1]) / 3
    assert close(area(ring), expected_area, rel=3e-9)
    assert close(length(ring), expected_length, rel=1e-9)


def test_measures_from_many_threads_agree_with_one():
    from concurrent.futures import ThreadPoolExecutor
    rng = random.Random(11)
    # Several systems, so that frames are made while other threads measure (projected ones through PROJ).
    cases = [(polygon([star_ring(rng, 10.0 * k, 15.0, 100e3, 50)]), curve)
             for k in range(4) for curve in (GEODESIC, SHAPE_PRESERVING)]
    pyproj = pytest.importorskip("pyproj")
    for wkid in (32633, 3857):
        to_system = pyproj.Transformer.from_crs(4326, wkid, always_xy=True)
        ring = [to_system.transform(*p) for p in star_ring(rng, 40.0, 15.0, 100e3, 50)]
        cases.append((polygon([ring], wkid), GREAT_ELLIPTIC))
    expected = [(area(g, c), length(g, c)) for g, c in cases]
    with ThreadPoolExecutor(max_workers=4) as pool:
        got = list(pool.map(lambda case: (area(*case), length(*case)), cases * 4))
    assert got == expected * 4


# ---- closed forms on the WGS 84 ellipsoid ----

def meridian_arc(lat1, lat2):
    return WGS84.Inverse(lat1, 0.0, lat2, 0.0)["s12"]


def parallel_length(latitude, delta_longitude):
    phi = math.radians(latitude)
    return A * math.cos(phi) / math.sqrt(1 - E2 * math.sin(phi) ** 2) * math.radians(abs(delta_longitude))


def isometric_latitude(latitude):
    phi = math.radians(latitude)
    e = math.sqrt(E2)
    return math.asinh(math.tan(phi)) - e * math.atanh(e * math.sin(phi))


def rhumb_length(lon1, lat1, lon2, lat2):
    if lat1 == lat2:
        return parallel_length(lat1, lon2 - lon1)
    azimuth = math.atan2(math.radians(lon2 - lon1), isometric_latitude(lat2) - isometric_latitude(lat1))
    return abs(meridian_arc(lat1, lat2) / math.cos(azimuth))


def authalic_q(latitude):
    s = math.sin(math.radians(latitude))
    e = math.sqrt(E2)
    return (1 - E2) * (s / (1 - E2 * s * s) + math.atanh(e * s) / e)


RHUMBS = [
    (0.0, 10.0, 30.0, 50.0),
    (-170.0, -60.0, 170.0, -20.0),   # crosses the antimeridian going west
    (20.0, 45.0, 80.0, 45.0),        # along a parallel
    (5.0, -80.0, 5.0, 89.0),         # along a meridian, close to the pole
    (100.0, 1.0, -100.0, 2.0),
]


@pytest.mark.parametrize("lon1,lat1,lon2,lat2", RHUMBS)
def test_loxodrome_length_matches_the_closed_form(lon1, lat1, lon2, lat2):
    # The loxodrome takes the shorter way round, as the closed form does with the wrapped difference.
    delta = (lon2 - lon1 + 180.0) % 360.0 - 180.0
    expected = rhumb_length(lon1, lat1, lon1 + delta, lat2)
    assert close(length(polyline([[(lon1, lat1), (lon2, lat2)]]), LOXODROME), expected)


def test_loxodrome_area_of_a_longitude_latitude_rectangle_is_the_zone_between_its_parallels():
    # Loxodromes along parallels and meridians bound exactly the zone's slice.
    lon1, lon2, lat1, lat2 = -30.0, 40.0, 10.0, 60.0
    ring = [(lon1, lat1), (lon1, lat2), (lon2, lat2), (lon2, lat1), (lon1, lat1)]
    expected = A * A / 2 * math.radians(lon2 - lon1) * (authalic_q(lat2) - authalic_q(lat1))
    assert close(area(polygon([ring]), LOXODROME), expected)
    # The geodesic rectangle differs: its top edge bulges towards the pole.
    assert not close(area(polygon([ring]), GEODESIC), expected, rel=1e-4)


SHAPE_PRESERVING_LINES = [
    ("parallel", [(10.0, 52.0), (50.0, 52.0)], parallel_length(52.0, 40.0)),
    ("parallel across the antimeridian", [(170.0, -70.0), (190.0, -70.0)], parallel_length(-70.0, 20.0)),
    ("meridian", [(3.0, -40.0), (3.0, 75.0)], meridian_arc(-40.0, 75.0)),
    ("parallel in steps of 70 m", [(10.0 + i * 0.001, 52.0) for i in range(501)], parallel_length(52.0, 0.5)),
]


@pytest.mark.parametrize("name,path,expected", SHAPE_PRESERVING_LINES, ids=[s[0] for s in SHAPE_PRESERVING_LINES])
def test_shape_preserving_lines_in_longitude_latitude_follow_parallels_and_meridians(name, path, expected):
    assert close(length(polyline([path]), SHAPE_PRESERVING), expected)


def test_shape_preserving_lines_in_an_ellipsoidal_mercator_are_loxodromes():
    pyproj = pytest.importorskip("pyproj")
    to_mercator = pyproj.Transformer.from_crs(4326, 3395, always_xy=True)
    # Lines within one turn of longitude: the system's x does not wrap between their ends.
    for lon1, lat1, lon2, lat2 in (RHUMBS[0], RHUMBS[2], (5.0, -60.0, 40.0, 70.0), (-170.0, 10.0, 170.0, 11.0)):
        start, end = to_mercator.transform(lon1, lat1), to_mercator.transform(lon2, lat2)
        expected = rhumb_length(lon1, lat1, lon2, lat2)
        assert close(length(polyline([[start, end]], 3395), SHAPE_PRESERVING), expected, rel=1e-8)


def test_shape_preserving_rectangle_encloses_the_zone_between_its_parallels():
    lon1, lon2, lat1, lat2 = 100.0, 160.0, -50.0, 20.0
    ring = [(lon1, lat1), (lon1, lat2), (lon2, lat2), (lon2, lat1), (lon1, lat1)]
    expected = A * A / 2 * math.radians(lon2 - lon1) * (authalic_q(lat2) - authalic_q(lat1))
    assert close(area(polygon([ring]), SHAPE_PRESERVING), expected)


# ---- plane sections, integrated here independently ----

def ecef(lon, lat):
    phi, lam = math.radians(lat), math.radians(lon)
    n = A / math.sqrt(1 - E2 * math.sin(phi) ** 2)
    return (n * math.cos(phi) * math.cos(lam), n * math.cos(phi) * math.sin(lam), n * (1 - E2) * math.sin(phi))


def geodetic(p):
    x, y, z = p
    lon = math.degrees(math.atan2(y, x))
    r = math.hypot(x, y)
    phi = math.atan2(z, r * (1 - E2))
    for _ in range(10):
        n = A / math.sqrt(1 - E2 * math.sin(phi) ** 2)
        phi = math.atan2(z + E2 * n * math.sin(phi), r)
    return lon, math.degrees(phi)


def on_ellipsoid_along(base, direction):
    """The point base + h direction on the ellipsoid, for the root h nearest zero."""
    wa = (1 / A ** 2, 1 / A ** 2, 1 / B ** 2)
    qa = sum(w * d * d for w, d in zip(wa, direction))
    qb = 2 * sum(w * b * d for w, b, d in zip(wa, base, direction))
    qc = sum(w * b * b for w, b in zip(wa, base)) - 1
    root = math.sqrt(qb * qb - 4 * qa * qc)
    h = min(((-qb + root) / (2 * qa), (-qb - root) / (2 * qa)), key=abs)
    return tuple(b + h * d for b, d in zip(base, direction))


def section_point(kind, a, b, t):
    """A point of the section through a and b: a chord point pushed to the surface along the radius (great
    elliptic, plane through the centre) or along a's normal (normal section)."""
    chord = tuple(p + t * (q - p) for p, q in zip(a, b))
    if kind == GREAT_ELLIPTIC:
        return on_ellipsoid_along(chord, chord)
    normal = (a[0] / A ** 2, a[1] / A ** 2, a[2] / B ** 2)
    return on_ellipsoid_along(chord, normal)


def section_points(kind, start, end, pieces):
    a, b = ecef(*start), ecef(*end)
    return [section_point(kind, a, b, k / pieces) for k in range(pieces + 1)]


def section_length(kind, start, end):
    def chords(pieces):
        points = section_points(kind, start, end, pieces)
        return sum(math.dist(p, q) for p, q in zip(points, points[1:]))
    coarse, fine = chords(4096), chords(8192)
    return (4 * fine - coarse) / 3


SECTIONS = [
    ((0.0, 0.0), (60.0, 50.0)),
    ((-120.0, 70.0), (100.0, 75.0)),   # over the pole region, across the antimeridian
    ((10.0, -35.0), (12.0, -34.0)),
    ((150.0, 10.0), (-170.0, -40.0)),
]


@pytest.mark.parametrize("kind", [GREAT_ELLIPTIC, NORMAL_SECTION], ids=["great elliptic", "normal section"])
@pytest.mark.parametrize("start,end", SECTIONS)
def test_plane_section_lengths_match_an_independent_integration(kind, start, end):
    expected = section_length(kind, start, end)
    assert close(length(polyline([[start, end]]), kind), expected)
    # The two sections and the geodesic are different curves on the ellipsoid.
    geodesic = WGS84.Inverse(start[1], start[0], end[1], end[0])["s12"]
    assert expected > geodesic


def test_plane_sections_along_meridians_and_the_equator_are_geodesics():
    expected_length = length(polyline([[(-20.0, 0.0), (-20.0, 80.0)]]), GEODESIC)
    for kind in (GREAT_ELLIPTIC, NORMAL_SECTION):
        assert close(length(polyline([[(-20.0, 0.0), (-20.0, 80.0)]]), kind), expected_length)
        assert close(length(polyline([[(-20.0, 0.0), (50.0, 0.0)]]), kind), A * math.radians(70.0))


@pytest.mark.parametrize("kind", [GREAT_ELLIPTIC, NORMAL_SECTION], ids=["great elliptic", "normal section"])
def test_plane_section_area_matches_a_fine_geodesic_polygon_along_the_sections(kind):
    ring = [(0.0, 10.0), (30.0, 60.0), (80.0, 20.0), (0.0, 10.0)]

    def chorded(pieces):
        p = WGS84.Polygon(False)
        for start, end in zip(ring, ring[1:]):
            for point in section_points(kind, start, end, pieces)[:-1]:
                lon, lat = geodetic(point)
                p.AddPoint(lat, lon)
        return p.Compute(False, True)[2]

    coarse, fine = chorded(256), chorded(512)
    expected = -(4 * fine - coarse) / 3
    assert close(area(polygon([ring]), kind), expected, rel=1e-8)


# ---- densify ----

def vertices(geometry):
    return [tuple(v) for part in geometry.get("paths", geometry.get("rings", [])) for v in part]


DENSIFY_LINES = [
    ("antimeridian", [(170.0, 10.0, 0.0), (-170.0, 20.0, 100.0), (-150.0, -5.0, 50.0)]),
    ("past the pole", [(0.0, 80.0, 1.0), (180.0, 80.0, 2.0)]),
    ("short", [(2.35, 48.85, 0.0), (2.36, 48.86, 10.0)]),
]


@pytest.mark.parametrize("name,path", DENSIFY_LINES, ids=[d[0] for d in DENSIFY_LINES])
def test_geodesic_densify_keeps_vertices_and_spaces_new_ones_evenly_on_the_geodesic(name, path):
    limit_km = 75.0 if name != "short" else 0.1
    line = {"hasZ": True, "paths": [[list(p) for p in path]], "spatialReference": {"wkid": 4326}}
    result = engine().engine("densifyGeodetic", line, limit_km, unit("LinearUnit", KILOMETERS), GEODESIC)
    out = vertices(result)
    positions = [out.index(tuple(p)) for p in path]
    assert positions == sorted(positions) and positions[0] == 0 and positions[-1] == len(out) - 1
    for (i, j), start, end in zip(zip(positions, positions[1:]), path, path[1:]):
        whole = WGS84.Inverse(start[1], start[0], end[1], end[0])["s12"]
        pieces = j - i
        assert pieces == max(1, math.ceil(whole / (limit_km * 1e3)))
        for k in range(i + 1, j + 1):
            p, q = out[k - 1], out[k]
            step = WGS84.Inverse(p[1], p[0], q[1], q[0])["s12"]
            assert close(step, whole / pieces, rel=1e-9)
            assert -180.0 <= q[0] <= 180.0
            # On the geodesic: the way through the vertex is no longer than the whole.
            before = WGS84.Inverse(start[1], start[0], q[1], q[0])["s12"]
            assert close(before, whole * (k - i) / pieces, rel=1e-9)
            assert close(q[2], start[2] + (end[2] - start[2]) * (k - i) / pieces, rel=1e-12)


@pytest.mark.parametrize("kind", [LOXODROME, GREAT_ELLIPTIC, NORMAL_SECTION, SHAPE_PRESERVING],
                         ids=["loxodrome", "great elliptic", "normal section", "shape preserving"])
def test_densified_curves_keep_their_length(kind):
    path = [(-40.0, 30.0), (20.0, 65.0), (60.0, 40.0)]
    line = polyline([path])
    result = engine().engine("densifyGeodetic", line, 100e3, None, kind)
    assert len(vertices(result)) > 2 * len(path)
    # Chords of a curve are shorter than it by their squared length, never longer.
    whole = length(line, kind)
    chords = length(result, GEODESIC)
    assert chords <= whole * (1 + 1e-12)
    assert close(chords, whole, rel=1e-4)
    assert close(length(result, kind), whole, rel=1e-9)


def test_shape_preserving_densify_stays_on_the_parallel():
    result = engine().engine("densifyGeodetic", polyline([[(10.0, 52.0), (50.0, 52.0)]]), 50e3, None,
                             SHAPE_PRESERVING)
    out = vertices(result)
    assert all(v[1] == 52.0 for v in out)
    assert len(out) - 1 == math.ceil(parallel_length(52.0, 40.0) / 50e3)


def test_densified_meridians_keep_their_longitude_exactly():
    result = engine().engine("densifyGeodetic", polyline([[(7.25, -60.0), (7.25, 75.0)], [(-3.0, 10.0), (-3.0, 0.0)]]),
                             100e3, None, GEODESIC)
    out = [v for path in result["paths"] for v in path]
    assert len(out) > 150 and {v[0] for v in out} == {7.25, -3.0}


def test_densify_keeps_rings_closed_and_leaves_points_alone():
    ring = [(0.0, 0.0), (0.0, 10.0), (10.0, 10.0), (10.0, 0.0), (0.0, 0.0)]
    result = engine().engine("densifyGeodetic", polygon([ring]), 200e3, None, GEODESIC)
    out = result["rings"][0]
    assert out[0] == out[-1] and len(out) > 12
    assert close(area(result), area(polygon([ring])), rel=1e-12)
    point = {"x": 1.0, "y": 2.0, "spatialReference": {"wkid": 4326}}
    assert engine().engine("densifyGeodetic", point, 10.0, None, GEODESIC) == point


# ---- distance and move ----

def distance_result(p1, p2, distance_unit=None, azimuth_unit=None, curve=GEODESIC):
    e = engine()
    g1, g2 = e.geometry(p1), e.geometry(p2)
    result = e.call("GeometryEngine_distanceGeodetic", g1.handle, g2.handle, raw(distance_unit), raw(azimuth_unit), curve,
                 restype=c_void_p, argtypes=[c_void_p, c_void_p, c_void_p, c_void_p, c_int32])
    try:
        values = {}
        for name in ("Distance", "Azimuth1", "Azimuth2"):
            values[name] = e.call(f"GeodeticDistanceResult_get{name}", result, restype=c_double, argtypes=[c_void_p])
        for name in ("DistanceUnit", "AzimuthUnit"):
            handle = e.call(f"GeodeticDistanceResult_get{name}", result, restype=c_void_p, argtypes=[c_void_p])
            values[name] = e.call("Unit_getWKID", handle, restype=c_int32, argtypes=[c_void_p])
            e.call("Unit_destroy", handle, restype=None, argtypes=[c_void_p])
        return values
    finally:
        e.call("GeodeticDistanceResult_destroy", result, restype=None, argtypes=[c_void_p])


def point(lon, lat, wkid=4326):
    return {"x": lon, "y": lat, "spatialReference": {"wkid": wkid}}


PAIRS = [((0.0, 0.0), (1.0, 1.0)), ((179.5, -10.0), (-179.0, 5.0)), ((0.0, 89.9), (180.0, 89.9)),
         ((-75.0, 40.0), (139.0, 35.0)), ((0.0, 0.0), (179.7, 0.3))]


@pytest.mark.parametrize("p1,p2", PAIRS)
def test_geodesic_distance_and_azimuths_match_geographiclib(p1, p2):
    peer = WGS84.Inverse(p1[1], p1[0], p2[1], p2[0])
    result = distance_result(point(*p1), point(*p2))
    assert close(result["Distance"], peer["s12"])
    assert close(result["Azimuth1"], peer["azi1"], rel=0, floor=1e-9)
    back = (peer["azi2"] + 360.0) % 360.0 - 180.0
    assert close(math.cos(math.radians(result["Azimuth2"] - back)), 1.0, rel=0, floor=1e-15)
    assert (result["DistanceUnit"], result["AzimuthUnit"]) == (METERS, DEGREES)
    in_units = distance_result(point(*p1), point(*p2), unit("LinearUnit", KILOMETERS), unit("AngularUnit", RADIANS))
    assert close(in_units["Distance"], peer["s12"] / 1e3)
    assert close(in_units["Azimuth1"], math.radians(peer["azi1"]), rel=0, floor=1e-11)
    assert (in_units["DistanceUnit"], in_units["AzimuthUnit"]) == (KILOMETERS, RADIANS)


def test_loxodrome_distance_has_one_azimuth_both_ways():
    result = distance_result(point(0.0, 10.0), point(30.0, 50.0), curve=LOXODROME)
    assert close(result["Distance"], rhumb_length(0.0, 10.0, 30.0, 50.0))
    assert close(result["Azimuth2"], result["Azimuth1"] - 180.0, rel=0, floor=1e-9)


def move(points, distance, azimuth, curve, distance_unit=None, azimuth_unit=None):
    e = engine()
    vector = e.vector(points, "geometry")
    moved = e.call("GeometryEngine_moveGeodetic", vector.handle, distance, raw(distance_unit), azimuth, raw(azimuth_unit), curve,
                 restype=c_void_p, argtypes=[c_void_p, c_double, c_void_p, c_double, c_void_p, c_int32])
    return e.geometries(moved)


def test_geodesic_move_matches_the_direct_problem():
    starts = [(0.0, 0.0), (179.0, -30.0), (10.0, 89.0)]
    moved = move([point(*s) for s in starts], 1234.5, 35.0, GEODESIC, unit("LinearUnit", KILOMETERS))
    for start, result in zip(starts, moved):
        peer = WGS84.Direct(start[1], start[0], 35.0, 1234.5e3)
        assert close(result["y"], peer["lat2"], rel=0, floor=1e-9)
        assert close(math.cos(math.radians(result["x"] - peer["lon2"])), 1.0, rel=0, floor=1e-15)


@pytest.mark.parametrize("kind", [LOXODROME, GREAT_ELLIPTIC, NORMAL_SECTION, SHAPE_PRESERVING],
                         ids=["loxodrome", "great elliptic", "normal section", "shape preserving"])
def test_a_move_goes_the_distance_along_its_curve_at_its_azimuth(kind):
    start = (20.0, 30.0)
    (moved,) = move([point(*start)], 2000e3, 50.0, kind)
    result = distance_result(point(*start), point(moved["x"], moved["y"]), curve=kind)
    assert close(result["Distance"], 2000e3, rel=1e-8)
    assert close(result["Azimuth1"], 50.0, rel=0, floor=1e-6)


# ---- nearest coordinate ----

def nearest(geometry, query, max_deviation=0.0, deviation_unit=None):
    e = engine()
    g, q = e.geometry(geometry), e.geometry(query)
    found = e.call("GeometryEngine_nearestCoordinateGeodetic", g.handle, q.handle, max_deviation, raw(deviation_unit),
                   restype=c_void_p, argtypes=[c_void_p, c_void_p, c_double, c_void_p])
    return e.proximity(found)


NEAR_QUERIES = [
    ("beside a long segment", [(-60.0, 10.0), (40.0, 50.0)], (0.0, 20.0)),
    ("across the antimeridian", [(170.0, -30.0), (-160.0, -20.0)], (178.0, -40.0)),
    ("past the end", [(0.0, 0.0), (10.0, 0.0)], (12.0, 1.0)),
]


@pytest.mark.parametrize("name,path,query", NEAR_QUERIES, ids=[q[0] for q in NEAR_QUERIES])
def test_nearest_coordinate_is_the_closest_point_of_the_geodesic(name, path, query):
    found = nearest(polyline([path]), point(*query))
    (lon1, lat1), (lon2, lat2) = path
    line = WGS84.InverseLine(lat1, lon1, lat2, lon2)
    # A fine search of the same geodesic, here.
    samples = [line.Position(line.s13 * k / 20000) for k in range(20001)]
    best = min(WGS84.Inverse(query[1], query[0], s["lat2"], s["lon2"])["s12"] for s in samples)
    assert found["distance"] <= best + 1e-9
    c = found["coordinate"]
    # No point a metre either way along the geodesic is nearer.
    along = WGS84.Inverse(lat1, lon1, c["y"], c["x"])["s12"]
    for s in (along - 1.0, along + 1.0):
        if 0.0 <= s <= line.s13:
            p = line.Position(s)
            assert WGS84.Inverse(query[1], query[0], p["lat2"], p["lon2"])["s12"] >= found["distance"] - 1e-9
    assert close(WGS84.Inverse(query[1], query[0], c["y"], c["x"])["s12"], found["distance"])
    # On the geodesic: the way through it is the whole.
    through = WGS84.Inverse(lat1, lon1, c["y"], c["x"])["s12"] + WGS84.Inverse(c["y"], c["x"], lat2, lon2)["s12"]
    assert close(through, line.s13, rel=1e-12, floor=1e-6)
    assert (found["part"], found["point"]) == (0, 0)


def test_nearest_coordinate_inside_a_polygon_and_among_points():
    ring = [(0.0, 0.0), (0.0, 10.0), (10.0, 10.0), (10.0, 0.0), (0.0, 0.0)]
    inside = nearest(polygon([ring]), point(5.0, 5.0))
    assert (inside["distance"], inside["part"], inside["point"]) == (0.0, -1, -1)
    assert (inside["coordinate"]["x"], inside["coordinate"]["y"]) == (5.0, 5.0)
    points = {"points": [[0.0, 0.0], [100.0, 10.0], [-50.0, 60.0]], "spatialReference": {"wkid": 4326}}
    found = nearest(points, point(95.0, 12.0), 1.0, unit("LinearUnit", KILOMETERS))
    assert found["point"] == 1 and (found["coordinate"]["x"], found["coordinate"]["y"]) == (100.0, 10.0)
    assert close(found["distance"], WGS84.Inverse(12.0, 95.0, 10.0, 100.0)["s12"] / 1e3)


# ---- refusals ----

def refusal(call):
    with pytest.raises(EngineError) as caught:
        call()
    return caught.value.detail


LOCAL_GRID = 'LOCAL_CS["site grid",LOCAL_DATUM["site",0],UNIT["metre",1],AXIS["x",EAST],AXIS["y",NORTH]]'


@pytest.mark.parametrize("geometry,needle", [
    ({"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]]}, "no spatial reference"),
    ({"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]], "spatialReference": {"wkt": LOCAL_GRID}}, "ellipsoid"),
    ({"rings": [[[0, 0], [0, 91], [1, 1], [0, 0]]], "spatialReference": {"wkid": 4326}}, "latitude"),
])
def test_geometries_that_cannot_be_measured_are_refused(geometry, needle):
    for operation in (lambda: length(geometry), lambda: area(geometry),
                      lambda: engine().engine("densifyGeodetic", geometry, 10.0, None, GEODESIC)):
        assert needle in refusal(operation)


def test_bad_curve_types_and_units_are_refused():
    line = polyline([[(0, 0), (1, 1)]])
    assert "curve type" in refusal(lambda: length(line, Int32(5)))
    assert "curve type" in refusal(lambda: area(polygon([[(0, 0), (0, 1), (1, 1), (0, 0)]]), Int32(-1)))
    assert refusal(lambda: length(line, GEODESIC, unit("AreaUnit", SQUARE_KILOMETERS)))
    assert refusal(lambda: area(line, GEODESIC, unit("LinearUnit", METERS)))
    assert "positive" in refusal(lambda: engine().engine("densifyGeodetic", line, 0.0, None, GEODESIC))
    assert "curve type" in refusal(lambda: distance_result(point(0, 0), point(1, 1), curve=Int32(9)))
