"""Geodesic buffers of the runtime core, checked against geographiclib: every outline vertex, and the
middle of every outline edge, lies at the requested distance from the input within the deviation."""

import ctypes
import math

import pytest
from geographiclib.geodesic import Geodesic
from pyproj import Transformer
from shapely.geometry import Point as ShapelyPoint
from shapely.geometry import Polygon as ShapelyPolygon

from geokern_engine import EngineError, Handle, Int32, engine

WGS84 = Geodesic.WGS84
GEODESIC, LOXODROME, GREAT_ELLIPTIC, SHAPE_PRESERVING = Int32(0), Int32(1), Int32(2), Int32(4)
GOLDEN = (math.sqrt(5) - 1) / 2


def point(x, y, wkid=4326):
    return {"x": x, "y": y, "spatialReference": {"wkid": wkid}}


def polyline(*paths, wkid=4326):
    return {"paths": [list(map(list, p)) for p in paths], "spatialReference": {"wkid": wkid}}


def polygon(*rings, wkid=4326):
    return {"rings": [list(map(list, r)) for r in rings], "spatialReference": {"wkid": wkid}}


def distance_to_geodesic(position, a, b, iterations=40):
    """The shortest distance from a (lon, lat) position to the geodesic from a to b, by golden-section
    search along the geodesic (the distance is unimodal along it at the distances tested here)."""
    lon, lat = position
    line = WGS84.InverseLine(a[1], a[0], b[1], b[0])

    def at(s):
        p = line.Position(s, Geodesic.LATITUDE | Geodesic.LONGITUDE)
        return WGS84.Inverse(lat, lon, p["lat2"], p["lon2"], Geodesic.DISTANCE)["s12"]

    low, high = 0.0, line.s13
    left, right = high - GOLDEN * (high - low), low + GOLDEN * (high - low)
    at_left, at_right = at(left), at(right)
    for _ in range(iterations):
        if at_left < at_right:
            high, right, at_right = right, left, at_left
            left = high - GOLDEN * (high - low)
            at_left = at(left)
        else:
            low, left, at_left = left, right, at_right
            right = low + GOLDEN * (high - low)
            at_right = at(right)
    return min(at(0.0), at(line.s13), at_left, at_right)


def distance_to_input(position, shape):
    """Distance from a (lon, lat) position to the input: its points, its paths, or its rings' edges. A
    coarse search picks the nearest edges, which are then searched finely."""
    if "x" in shape:
        return WGS84.Inverse(position[1], position[0], shape["y"], shape["x"], Geodesic.DISTANCE)["s12"]
    if "points" in shape:
        return min(distance_to_input(position, {"x": x, "y": y}) for x, y in shape["points"])
    if "xmin" in shape:  # an envelope is its rectangle, edges taken as geodesics
        x0, y0, x1, y1 = shape["xmin"], shape["ymin"], shape["xmax"], shape["ymax"]
        shape = {"rings": [[(x0, y0), (x0, y1), (x1, y1), (x1, y0), (x0, y0)]]}
    paths = shape.get("paths") or shape.get("rings")
    edges = [(p[i], p[i + 1]) for p in paths for i in range(len(p) - 1)]
    if len(edges) > 50:  # a finely sampled curve: the edges beside its nearest vertex
        near = min(range(len(edges)), key=lambda i: WGS84.Inverse(position[1], position[0], edges[i][0][1],
                                                                    edges[i][0][0], Geodesic.DISTANCE)["s12"])
        edges = edges[max(0, near - 1):near + 1]
    elif len(edges) > 2:
        edges = sorted(edges, key=lambda e: distance_to_geodesic(position, *e, iterations=6))[:2]
    return min(distance_to_geodesic(position, a, b) for a, b in edges)


def outline_positions(result, to_geographic=None):
    """Outline vertices and edge midpoints as (lon, lat), leaving out the closure along the meridians to
    a pole, which is not part of the outline."""
    vertices, midpoints = [], []
    for ring in result["rings"]:
        for a, b in zip(ring, ring[1:]):
            if abs(a[1]) == 90 or abs(b[1]) == 90:
                continue
            vertices.append(a)
            midpoints.append(((a[0] + b[0]) / 2, (a[1] + b[1]) / 2))
    if to_geographic:
        vertices = [to_geographic(*v) for v in vertices]
        midpoints = [to_geographic(*m) for m in midpoints]
    return vertices, midpoints


def linear_unit(code):
    e = engine()
    e.function("Unit_destroy", None, [ctypes.c_void_p])
    return Handle(e, e.call("LinearUnit_create", code, restype=ctypes.c_void_p, argtypes=[ctypes.c_int32]),
                  "Unit_destroy")


def buffer(shape, distance, deviation, curve=GEODESIC, unit=None):
    return engine().engine("bufferGeodetic", shape, distance, unit, deviation, curve)


def assert_outline_at_distance(result, shape, distance, deviation, to_geographic=None):
    vertices, midpoints = outline_positions(result, to_geographic)
    assert vertices
    stride = max(1, len(vertices) // 60)  # a spread sample keeps the search in Python quick
    for position in vertices[::stride] + midpoints[::stride]:
        assert distance_to_input(position, shape) == pytest.approx(distance, abs=deviation)


def ring_is_clockwise(ring):
    return ShapelyPolygon(ring).exterior.is_ccw is False


# (name, input, distance in metres, deviation in metres)
CASES = [
    ("point at mid-latitude", point(8.5, 47.4), 25_000, 5.0),
    ("point across the antimeridian", point(179.8, -35.0), 60_000, 10.0),
    ("multipoint", {"points": [[5.0, 45.0], [5.3, 45.1], [9.0, 44.0]], "spatialReference": {"wkid": 4326}},
     20_000, 5.0),
    ("envelope", {"xmin": -1.0, "ymin": 51.0, "xmax": 0.5, "ymax": 52.0, "spatialReference": {"wkid": 4326}},
     10_000, 5.0),
    ("line with a sharp turn", polyline([(10, 50), (11.5, 50.4), (10.2, 50.6)]), 15_000, 5.0),
    ("line across the antimeridian", polyline([(178.5, 61.0), (-178.0, 62.5)]), 40_000, 10.0),
    ("long line far north", polyline([(-40, 70), (20, 75)]), 80_000, 50.0),
    ("polygon", polygon([(0, 0), (0, 2), (2, 2), (2, 0), (0, 0)]), 30_000, 10.0),
    ("polygon with a hole", polygon([(0, 0), (0, 3), (3, 3), (3, 0), (0, 0)], [(1, 1), (2, 1), (2, 2), (1, 2), (1, 1)]),
     20_000, 10.0),
]


@pytest.mark.parametrize("name, shape, distance, deviation", CASES, ids=[c[0] for c in CASES])
def test_outline_lies_at_the_distance_within_the_deviation(name, shape, distance, deviation):
    result = buffer(shape, distance, deviation)
    assert_outline_at_distance(result, shape, distance, deviation)
    outer = ShapelyPolygon(result["rings"][0])
    assert ring_is_clockwise(result["rings"][0])
    for ring in result["rings"][1:]:
        # a ring inside the outer ring is a hole: counter-clockwise
        assert ring_is_clockwise(ring) != outer.contains(ShapelyPoint(ring[0]))
    if "polygon with a hole" in name:
        assert len(result["rings"]) == 2


def test_shrinking_a_polygon_keeps_the_distance_inside_it():
    square = polygon([(20, 40), (20, 42), (23, 42), (23, 40), (20, 40)])
    result = buffer(square, -50_000, 10.0)
    assert_outline_at_distance(result, square, 50_000, 10.0)
    inside = ShapelyPolygon(square["rings"][0])
    assert all(inside.contains(ShapelyPoint(v)) for v in result["rings"][0])


def test_a_hole_narrower_than_the_distance_fills():
    ring = [(0, 0), (0, 3), (3, 3), (3, 0), (0, 0)]
    hole = [(1.4, 1.4), (1.6, 1.4), (1.6, 1.6), (1.4, 1.6), (1.4, 1.4)]
    assert len(buffer(polygon(ring, hole), 20_000, 10.0)["rings"]) == 1


def test_across_the_antimeridian_longitudes_stay_continuous():
    result = buffer(point(179.8, -35.0), 60_000, 10.0)
    longitudes = [v[0] for v in result["rings"][0]]
    assert max(longitudes) > 180 and min(longitudes) > 178 and max(longitudes) < 181


@pytest.mark.parametrize("latitude, pole", [(88.0, 90.0), (-87.5, -90.0)])
def test_a_buffer_around_a_pole_covers_it(latitude, pole):
    shape = point(30.0, latitude)
    result = buffer(shape, 400_000, 50.0)
    assert_outline_at_distance(result, shape, 400_000, 50.0)
    covered = ShapelyPolygon(result["rings"][0])
    longitudes = [v[0] for v in result["rings"][0]]
    assert max(longitudes) - min(longitudes) == pytest.approx(360)
    for lon in (min(longitudes) + 1, 30.0, max(longitudes) - 1):
        assert covered.contains(ShapelyPoint(lon, math.copysign(89.99, pole)))
    assert ring_is_clockwise(result["rings"][0])


def test_projected_geometry_is_buffered_on_its_ellipsoid_and_returned_in_its_system():
    to_mercator = Transformer.from_crs(4326, 3857, always_xy=True)
    back = Transformer.from_crs(3857, 4326, always_xy=True)
    x, y = to_mercator.transform(-3.7, 40.4)
    result = buffer(point(x, y, wkid=3857), 10_000, 2.0)
    assert result["spatialReference"]["wkid"] == 3857
    assert_outline_at_distance(result, point(-3.7, 40.4), 10_000, 2.0, to_geographic=back.transform)


def great_elliptic_samples(a, b, count):
    """Positions on the section of the ellipsoid by the plane through its centre and both ends: directions
    turned evenly in that plane, scaled onto the ellipsoid (closed form for points on its surface)."""
    e2 = WGS84.f * (2 - WGS84.f)

    def centred(lon, lat):
        phi, lam = math.radians(lat), math.radians(lon)
        n = WGS84.a / math.sqrt(1 - e2 * math.sin(phi) ** 2)
        v = (n * math.cos(phi) * math.cos(lam), n * math.cos(phi) * math.sin(lam), n * (1 - e2) * math.sin(phi))
        norm = math.sqrt(sum(c * c for c in v))
        return [c / norm for c in v]

    ua, ub = centred(*a), centred(*b)
    angle = math.acos(sum(p * q for p, q in zip(ua, ub)))
    samples = []
    for i in range(count + 1):
        t = i / count
        x, y, z = [(math.sin((1 - t) * angle) * p + math.sin(t * angle) * q) / math.sin(angle) for p, q in zip(ua, ub)]
        lat = math.degrees(math.atan2(z, (1 - e2) * math.hypot(x, y)))
        samples.append((math.degrees(math.atan2(y, x)), lat))
    return samples


# Over 500 km at 60 degrees a loxodrome or a line straight in longitude and latitude strays kilometres
# from the geodesic, a great ellipse metres: each buffer is measured from its own curve, sampled finely.
EDGE_CURVES = [
    ("loxodrome", LOXODROME, (0.0, 60.0), (9.0, 60.0),
     lambda a, b: [(a[0] + (b[0] - a[0]) * i / 400, 60.0) for i in range(401)]),
    ("great elliptic", GREAT_ELLIPTIC, (0.0, 60.0), (9.0, 60.0), lambda a, b: great_elliptic_samples(a, b, 400)),
    ("shape preserving", SHAPE_PRESERVING, (0.0, 60.0), (9.0, 62.0),
     lambda a, b: [(a[0] + (b[0] - a[0]) * i / 400, a[1] + (b[1] - a[1]) * i / 400) for i in range(401)]),
]


@pytest.mark.parametrize("name, curve, a, b, samples", EDGE_CURVES, ids=[c[0] for c in EDGE_CURVES])
def test_other_edge_curves_are_buffered_along_their_own_curve(name, curve, a, b, samples):
    result = buffer(polyline([a, b]), 20_000, 5.0, curve)
    assert_outline_at_distance(result, polyline(samples(a, b)), 20_000, 5.0 + 0.1)


# A loxodrome or great ellipse into a pole is the meridian through its other end, as the geodesic is;
# a line straight in longitude and latitude runs into the pole turning a tenth of a right angle. Each
# costs about what the geodesic's buffer costs: a curvature bound taken at the pole itself would ask
# for hundreds of thousands of chords.
POLE_CURVES = [
    ("loxodrome", LOXODROME, lambda: polyline([(0.0, 0.0), (0.0, 90.0)])),
    ("great elliptic", GREAT_ELLIPTIC, lambda: polyline([(0.0, 0.0), (0.0, 90.0)])),
    ("shape preserving", SHAPE_PRESERVING, lambda: polyline([(10.0 * i / 2000, 90.0 * i / 2000) for i in range(2001)])),
]


@pytest.mark.parametrize("name, curve, course", POLE_CURVES, ids=[c[0] for c in POLE_CURVES])
def test_a_line_into_a_pole_is_buffered_along_its_course_at_the_cost_of_a_geodesic(name, curve, course):
    line = polyline([(0.0, 0.0), (10.0, 90.0)])
    result = buffer(line, 1000, 1.0, curve)
    # Within a few kilometres of the pole the outline strays from the distance for the geodesic too;
    # the course is checked along the rest.
    vertices, midpoints = outline_positions(result)
    far = [p for p in vertices + midpoints if abs(p[1]) < 89.9]
    for position in far[::max(1, len(far) // 120)]:
        assert distance_to_input(position, course()) == pytest.approx(1000, abs=1.0 + 0.01)
    vertices = sum(len(ring) for ring in result["rings"])
    assert vertices < 2 * sum(len(ring) for ring in buffer(line, 1000, 1.0)["rings"])


# The outline of a buffer beyond the frame's reach runs round the ellipsoid, and coming back near the
# middle it passed for a small polygon (4e7 m) or was refused naming where it came back (3e7 m).
@pytest.mark.parametrize("distance, text", [(9_500_001.0, "9500001"), (3e7, "3e+07"), (4e7, "4e+07"),
                                            (5e7, "5e+07"), (1e9, "1e+09"), (-4e7, "-4e+07"), (1e308, "1e+308")])
@pytest.mark.parametrize("curve", [GEODESIC, LOXODROME, GREAT_ELLIPTIC, SHAPE_PRESERVING],
                         ids=["geodesic", "loxodrome", "great elliptic", "shape preserving"])
@pytest.mark.parametrize("shape", [point(0, 0), polyline([(0, 0), (1, 1)]), polygon([(0, 0), (0, 1), (1, 1), (0, 0)])],
                         ids=["point", "polyline", "polygon"])
def test_a_distance_beyond_the_reach_is_refused_naming_it(shape, curve, distance, text):
    with pytest.raises(EngineError) as raised:
        buffer(shape, distance, 0.0, curve)
    assert f"the buffer distance {text} m is beyond 9.5e+06 m" in raised.value.detail.lower()
    e = engine()
    with pytest.raises(EngineError) as raised:
        e.engine("bufferGeodeticCollection", e.vector([shape], "geometry"), e.vector([distance], "float"), None, 0.0,
                 curve, False, result="array")
    assert f"the buffer distance {text} m is beyond" in raised.value.detail.lower()


def test_a_distance_beyond_the_reach_is_named_in_its_own_unit():
    with pytest.raises(EngineError) as raised:
        buffer(point(0, 0), 40_000, 0.0, unit=linear_unit(9036))
    assert "buffer distance 4e+04 (4e+07 m) is beyond" in raised.value.detail


def test_distance_unit_scales_the_distance_and_the_deviation():
    in_metres = buffer(point(8.5, 47.4), 25_000, 5.0)
    in_kilometres = buffer(point(8.5, 47.4), 25, 0.005, unit=linear_unit(9036))
    assert in_kilometres == in_metres


def test_zero_deviation_means_a_thousandth_of_the_distance():
    shape = point(8.5, 47.4)
    assert_outline_at_distance(buffer(shape, 25_000, 0.0), shape, 25_000, 25.0)
    assert buffer(shape, 25_000, 0.0) == buffer(shape, 25_000, 25.0)


@pytest.mark.parametrize("shape", [point(1, 2), polyline([(0, 0), (1, 1)])], ids=["point", "polyline"])
@pytest.mark.parametrize("distance", [0.0, -10.0])
def test_no_positive_distance_on_points_and_lines_gives_an_empty_polygon(shape, distance):
    assert buffer(shape, distance, 1.0)["rings"] == []


@pytest.mark.parametrize("shape, distance, deviation, curve, detail", [
    (point(1, 2), math.nan, 1.0, GEODESIC, "distance must be a finite number"),
    (point(1, 2), math.inf, 1.0, GEODESIC, "distance must be a finite number"),
    (point(1, 2), 10.0, -1.0, GEODESIC, "max deviation must be a finite number of 0 or more"),
    (point(1, 2), 10.0, math.nan, GEODESIC, "max deviation must be a finite number of 0 or more"),
    (point(1, 2), 10.0, 1.0, Int32(9), "curve type must be 0 (geodesic)"),
    ({"x": 1, "y": 2}, 10.0, 1.0, GEODESIC, "spatial reference"),
    (point(1, 2), 12_000_000, 1000.0, GEODESIC, "less than a hemisphere"),
    (point(1, 95), 10.0, 1.0, GEODESIC, "latitude must lie between -90 and 90"),
    (point(1, 2), 1000.0, 1e-20, GEODESIC, "more than 1000000 outline points"),
], ids=["NaN distance", "infinite distance", "negative deviation", "NaN deviation", "unknown curve",
        "no spatial reference", "beyond a hemisphere", "beyond a pole", "deviation out of reach"])
def test_bad_arguments_are_runtime_errors(shape, distance, deviation, curve, detail):
    with pytest.raises(EngineError) as raised:
        buffer(shape, distance, deviation, curve)
    assert detail in raised.value.detail


def test_collection_broadcasts_the_last_distance_and_unions():
    e = engine()
    points = [point(10, 50), point(10.3, 50), point(12, 50)]
    distances = e.vector([15_000, 30_000], "float")
    each = e.engine("bufferGeodeticCollection", e.vector(points, "geometry"), distances, None, 5.0, GEODESIC, False,
                    result="array")
    assert [buffer(p, d, 5.0) for p, d in zip(points, [15_000, 30_000, 30_000])] == each
    merged = e.engine("bufferGeodeticCollection", e.vector(points, "geometry"), distances, None, 5.0, GEODESIC, True,
                      result="array")
    assert len(merged) == 1 and len(merged[0]["rings"]) == 2  # the first two overlap, the third stands apart
    vertices, _ = outline_positions(merged[0])
    for v in vertices[::5]:
        nearest = min(distance_to_input(v, p) - d for p, d in zip(points, [15_000, 30_000, 30_000]))
        assert -5.0 - 1e-6 <= nearest <= 1e-6


def test_collection_without_distances_is_refused():
    e = engine()
    with pytest.raises(EngineError, match="at least one distance"):
        e.engine("bufferGeodeticCollection", e.vector([point(1, 2)], "geometry"), e.vector([], "float"), None, 1.0,
                 GEODESIC, False, result="array")
