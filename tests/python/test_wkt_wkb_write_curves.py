"""Curves written as SQL/MM types: the type structure for every shape of curved path and ring, arc
midpoints in closed form, elliptic arcs and Bezier curves as chords within the chord deviation (points on
the curve, chord counts from the deviation bound), and round trips through the curve readers."""

import math
import re
import struct

import pytest
import shapely

from velmor_geometry import Geometry

H = math.sqrt(0.5)
NUMBER = re.compile(r"-?\d+(?:\.\d+)?|NaN")


def split(wkt):
    """The words and brackets of a WKT text, and its numbers."""
    return NUMBER.sub("#", wkt), [float(n) for n in NUMBER.findall(wkt)]


def assert_wkt_close(written, expected, tolerance=1e-12):
    (shape, numbers), (expected_shape, expected_numbers) = split(written), split(expected)
    assert shape == expected_shape
    assert numbers == pytest.approx(expected_numbers, abs=tolerance, nan_ok=True)


ARC = {"c": [[2, 0], [1 - H, H]]}  # over the top of the unit circle about (1, 0), its midpoint (1, 1)


@pytest.mark.parametrize(
    "data, wkt",
    [
        # A path of arcs only: a bare circular string; consecutive arcs share their end points.
        ({"curvePaths": [[[0, 0], ARC, {"c": [[4, 0], [3, -1]]}]]},
         "CIRCULARSTRING (0 0, 1 1, 2 0, 3 -1, 4 0)"),
        # Arc and straight pieces: a compound curve, straight pieces untagged.
        ({"curvePaths": [[[-1, 0], [0, 0], ARC, [3, 0]]]},
         "COMPOUNDCURVE ((-1 0, 0 0), CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 3 0))"),
        # Several paths: a multicurve; a straight path is an untagged line string.
        ({"curvePaths": [[[0, 0], ARC]], "paths": [[[5, 5], [6, 6]]]},
         "MULTICURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (5 5, 6 6))"),
        # Midpoint z and m halfway between the ends.
        ({"curvePaths": [[[0, 0, 1, 10], {"c": [[2, 0, 3, 20], [1 - H, H]]}]], "hasZ": True, "hasM": True},
         "CIRCULARSTRING ZM (0 0 1 10, 1 1 2 15, 2 0 3 20)"),
        # A curved ring: a curve polygon of a compound curve.
        ({"curveRings": [[[0, 0], ARC, [0, 0]]]},
         "CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 0 0)))"),
        # A full circle of two vertices: its interior point is the diametrically opposite one.
        ({"curveRings": [[[0, 0], {"c": [[0, 0], [2, 0]]}]]},
         "CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (0 0, 2 0, 0 0)))"),
        # A curved polygon and a straight outer ring: a multisurface, the straight polygon untagged.
        ({"curveRings": [[[0, 0], ARC, [0, 0]]], "rings": [[[10, 10], [10, 11], [11, 11], [10, 10]]]},
         "MULTISURFACE (CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 0 0))), "
         "((10 10, 10 11, 11 11, 10 10)))"),
        # A hole (counter-clockwise) stays in the curve polygon.
        ({"curveRings": [[[-5, -5], [-5, 5], [5, 5], [5, -5], [-5, -5]], [[0, 0], {"c": [[2, 0], [1, -1]]}, [0, 0]]]},
         "CURVEPOLYGON ((-5 -5, -5 5, 5 5, 5 -5, -5 -5), COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 -1, 2 0), (2 0, 0 0)))"),
        # Three-quarter arcs: the midpoint is on the far side of the centre from the chord.
        ({"curvePaths": [[[1, 0], {"c": [[0, 1], [0, -1]]}]]}, f"CIRCULARSTRING (1 0, {-H} {-H}, 0 1)"),
        ({"curvePaths": [[[1, 0], {"c": [[0, -1], [-1, 0]]}]]}, f"CIRCULARSTRING (1 0, {-H} {H}, 0 -1)"),
        # A ring whose chords enclose nothing is oriented by its arc: this one runs clockwise (an outer
        # ring), so the clockwise ring after it starts a second polygon.
        ({"curveRings": [[[1, 0], {"c": [[0, 1], [0, -1]]}, [1, 0]], [[5, 5], {"c": [[7, 5], [6, 6]]}, [5, 5]]]},
         f"MULTISURFACE (CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (1 0, {-H} {-H}, 0 1), (0 1, 1 0))), "
         "CURVEPOLYGON (COMPOUNDCURVE (CIRCULARSTRING (5 5, 6 6, 7 5), (7 5, 5 5))))"),
        # An elliptic arc of ratio 1 is a circular arc.
        ({"curvePaths": [[[2, 0], {"a": [[0, 2], [0, 0], True, False]}]]},
         f"CIRCULARSTRING (2 0, {2 * H} {2 * H}, 0 2)"),
        # An arc whose three points lie on one line is its chord.
        ({"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 0]]}]]}, "LINESTRING (0 0, 2 0)"),
    ],
)
def test_curve_types_and_midpoints(data, wkt):
    assert_wkt_close(Geometry(data).wkt, wkt)


def test_curve_bytes_worked_out_by_hand():
    g = Geometry({"curvePaths": [[[-1, 0, 7], [0, 0, 7], {"c": [[2, 0, 9], [1 - H, H]]}]], "hasZ": True,
                  "spatialReference": {"wkid": 3857}})
    points = lambda *rows: struct.pack("<I", len(rows)) + b"".join(struct.pack("<3d", *r) for r in rows)
    iso = (struct.pack("<BII", 1, 1009, 2) + struct.pack("<BI", 1, 1002) + points((-1, 0, 7), (0, 0, 7))
           + struct.pack("<BI", 1, 1008) + points((0, 0, 7), (1, 1, 8), (2, 0, 9)))
    assert len(g.wkb) == len(iso)
    assert struct.unpack(f"<{len(iso)}B", g.wkb)[:60] == struct.unpack(f"<{len(iso)}B", iso)[:60]
    mid = struct.unpack_from("<3d", g.wkb, len(iso) - 48)
    assert mid == pytest.approx((1, 1, 8), abs=1e-12)
    assert g.ewkb[:13] == struct.pack("<BIII", 1, 9 | 0x80000000 | 0x20000000, 3857, 2)
    assert g.ewkb[13:18] == struct.pack("<BI", 1, 2 | 0x80000000)


def chord_vertices(g):
    _, numbers = split(g.wkt)
    return list(zip(numbers[0::2], numbers[1::2]))


HALF_ELLIPSE = {"a": [[-2, 0], [0, 0], False, False, 0, 2, 0.5]}  # x^2 / 4 + y^2 = 1, upper half


@pytest.mark.parametrize(
    "reference, deviation",
    [
        ({"spatialReference": {"wkid": 3857}}, 0.001),  # the tolerance of the spatial reference
        ({}, 2e-4),  # without one, 1e-4 of the arc's own semi-major axis, 2
    ],
)
def test_elliptic_arcs_become_chords_within_the_deviation(reference, deviation):
    g = Geometry({"curvePaths": [[[2, 0], HALF_ELLIPSE]], **reference})
    assert g.wkt.startswith("LINESTRING (2 0, ")
    vertices = chord_vertices(g)
    assert vertices[0] == (2, 0) and vertices[-1] == (-2, 0)
    for x, y in vertices:
        assert x * x / 4 + y * y == pytest.approx(1, abs=1e-12) and y >= 0
    # Equal parameter steps, each the largest whose chord strays at most `deviation` from a circle of
    # the semi-major axis.
    assert len(vertices) - 1 == math.ceil(math.pi / (2 * math.acos(1 - deviation / 2)))


@pytest.mark.parametrize("offset", [0.0, 1e6])
@pytest.mark.parametrize("a, b", [(2.0, 1.0), (2e-3, 1e-3), (5e4, 1e2)])
def test_without_a_spatial_reference_a_whole_ellipse_stays_small_and_close(a, b, offset):
    # The ellipse x^2 / a^2 + y^2 / b^2 = 1 as one closed elliptic arc, anywhere.
    start = [offset + a, offset]
    g = Geometry({"curveRings": [[start, {"a": [start, [offset, offset], False, False, 0.0, a, b / a]}]]})
    for read in (shapely.from_wkt(g.wkt), shapely.from_wkb(g.wkb)):
        assert len(shapely.get_coordinates(read)) <= 230
        # Chords cut inside the curve by at most 1e-4 a, so the area lost is at most that along the outline.
        true_area = math.pi * a * b
        assert 0 < true_area - read.area <= 1e-4 * a * read.length


def test_without_a_spatial_reference_a_bezier_stays_small_and_close():
    start, c1, c2, end = (0, 0), (1, 2), (3, 2), (4, 0)
    g = Geometry({"curvePaths": [[list(start), {"b": [list(end), list(c1), list(c2)]}]]})
    line = shapely.from_wkb(g.wkb)
    assert 10 < len(line.coords) <= 90
    polygon_length = 2 * math.hypot(1, 2) + 2
    for t in [i / 997 for i in range(998)]:
        u = 1 - t
        x = u ** 3 * start[0] + 3 * u * u * t * c1[0] + 3 * u * t * t * c2[0] + t ** 3 * end[0]
        y = u ** 3 * start[1] + 3 * u * u * t * c1[1] + 3 * u * t * t * c2[1] + t ** 3 * end[1]
        assert line.distance(shapely.Point(x, y)) <= 1e-4 * polygon_length


def test_bezier_curves_become_chords_within_the_deviation():
    start, c1, c2, end = (0, 0), (1, 2), (3, 2), (4, 0)
    g = Geometry({"curvePaths": [[list(start), {"b": [list(end), list(c1), list(c2)]}]],
                  "spatialReference": {"wkid": 3857}})
    vertices = chord_vertices(g)
    bend = 6 * max(math.hypot(start[0] - 2 * c1[0] + c2[0], start[1] - 2 * c1[1] + c2[1]),
                   math.hypot(c1[0] - 2 * c2[0] + end[0], c1[1] - 2 * c2[1] + end[1]))
    chords = math.ceil(math.sqrt(bend / (8 * 0.001)))
    assert len(vertices) - 1 == chords
    for i, (x, y) in enumerate(vertices):
        t = i / chords
        u = 1 - t
        bx = u ** 3 * start[0] + 3 * u * u * t * c1[0] + 3 * u * t * t * c2[0] + t ** 3 * end[0]
        by = u ** 3 * start[1] + 3 * u * u * t * c1[1] + 3 * u * t * t * c2[1] + t ** 3 * end[1]
        assert (x, y) == pytest.approx((bx, by), abs=1e-12)


CURVED = [
    {"curvePaths": [[[0, 0], ARC, {"c": [[4, 0], [3, -1]]}]]},
    {"curvePaths": [[[-1, 0, 5, 6], [0, 0, 5, 6], {"c": [[2, 0, 7, 8], [1, 1]]}]], "hasZ": True, "hasM": True},
    {"curvePaths": [[[0, 0], ARC]], "paths": [[[5, 5], [6, 6]]]},
    {"curveRings": [[[0, 0], {"c": [[2, 0], [1, 1]]}, [0, 0]]]},
    {"curveRings": [[[0, 0, 1], {"c": [[2, 0, 2], [1, 1]]}, [0, 0, 3]]], "hasZ": True},
    {"curveRings": [[[0, 0, 4], {"c": [[2, 0, 5], [1, 1]]}, [0, 0, 6]]], "hasM": True},
    {"curveRings": [[[-5, -5, 1, 2], [-5, 5, 1, 2], [5, 5, 1, 2], [5, -5, 1, 2], [-5, -5, 1, 2]],
                    [[0, 0, 3, 4], {"c": [[2, 0, 3, 4], [1, -1]]}, [0, 0, 3, 4]]], "hasZ": True, "hasM": True},
    {"curveRings": [[[0, 0], {"c": [[4, 0], [2, 2]]}, [0, 0]]], "rings": [[[10, 10], [10, 11], [11, 11], [10, 10]]]},
]


@pytest.mark.parametrize("data", CURVED)
def test_curves_read_back_within_rounding(data):
    g = Geometry(data)
    for back in (Geometry.from_wkt(g.wkt), Geometry.from_wkb(g.wkb)):
        assert_wkt_close(back.wkt, g.wkt)
        assert back.length == pytest.approx(g.length, rel=1e-12)
