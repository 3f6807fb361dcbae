"""SQL/MM curves (circular strings, compound curves, curve polygons, multicurves, multisurfaces) read
from WKT, WKB and EWKB into OvraJSON and GeoJSON dictionaries."""

import math
import struct

import pytest

import velmor_geometry as vg
from velmor_geometry import utils

SR = {"wkid": 4326}

CODES = {
    "POINT": 1,
    "LINESTRING": 2,
    "POLYGON": 3,
    "GEOMETRYCOLLECTION": 7,
    "CIRCULARSTRING": 8,
    "COMPOUNDCURVE": 9,
    "CURVEPOLYGON": 10,
    "MULTICURVE": 11,
    "MULTISURFACE": 12,
}
POINT_LISTS = ("LINESTRING", "CIRCULARSTRING")

# --- A small independent writer of the two formats, so every table case is read from WKT and from WKB
# in both byte orders, ISO and EWKB, with and without SRID.
#
# A geometry is (type, items): for LINESTRING and CIRCULARSTRING the items are points (tuples of 2 to 4
# numbers); for POLYGON its rings (point lists); for the containers their member geometries.

DIMENSIONS = {"": (False, False), "Z": (True, False), "M": (False, True), "ZM": (True, True)}


def z_of(x, y):
    return x + 10 * y + 0.5


def m_of(x, y):
    return 2 * x - y + 0.25


def lift(point, dimension):
    """The 2D point with the z and m values the dimension asks for, each a fixed function of x and y."""
    has_z, has_m = DIMENSIONS[dimension]
    x, y = point
    return (x, y) + ((z_of(x, y),) if has_z else ()) + ((m_of(x, y),) if has_m else ())


def lift_geometry(geometry, dimension):
    kind, items = geometry
    if kind in POINT_LISTS:
        return kind, [lift(p, dimension) for p in items]
    if kind == "POLYGON":
        return kind, [[lift(p, dimension) for p in ring] for ring in items]
    return kind, [lift_geometry(g, dimension) for g in items]


def points_text(points):
    if not points:
        return "EMPTY"
    return "(" + ", ".join(" ".join(repr(float(v)) for v in p) for p in points) + ")"


def wkt(geometry, dimension="", tagged=True):
    kind, items = geometry
    head = (kind + (" " + dimension if dimension else "") + " ") if tagged else ""
    if kind in POINT_LISTS:
        body = points_text(items)
    elif kind == "POLYGON":
        body = "(" + ", ".join(points_text(r) for r in items) + ")" if items else "EMPTY"
    else:
        body = "(" + ", ".join(wkt(g, "", g[0] not in ("LINESTRING", "POLYGON")) for g in items) + ")"
    return head + body


def wkb(geometry, dimension="", order="<", ewkb=False, srid=None):
    kind, items = geometry
    has_z, has_m = DIMENSIONS[dimension]
    code = CODES[kind]
    if ewkb or srid is not None:
        code |= (0x80000000 if has_z else 0) | (0x40000000 if has_m else 0) | (0x20000000 if srid is not None else 0)
    else:
        code += (1000 if has_z else 0) + (2000 if has_m else 0)
    out = struct.pack(order + "BI", 1 if order == "<" else 0, code)
    if srid is not None:
        out += struct.pack(order + "i", srid)

    def points(pts):
        return struct.pack(order + "I", len(pts)) + b"".join(struct.pack(order + "%dd" % len(p), *p) for p in pts)

    if kind in POINT_LISTS:
        return out + points(items)
    if kind == "POLYGON":
        return out + struct.pack(order + "I", len(items)) + b"".join(points(r) for r in items)
    return out + struct.pack(order + "I", len(items)) + b"".join(wkb(g, dimension, order, ewkb) for g in items)


def every_encoding(geometry, dimension):
    """(label, reader, input, srid) for WKT and for WKB in both byte orders, ISO and EWKB."""
    lifted = lift_geometry(geometry, dimension)
    yield "wkt", "wkt", wkt(lifted, dimension), 4326
    for order, name in (("<", "little"), (">", "big")):
        yield "iso-" + name, "wkb", wkb(lifted, dimension, order), 4326
        yield "ewkb-" + name, "wkb", wkb(lifted, dimension, order, ewkb=True), 4326
        yield "ewkb-srid-" + name, "wkb", wkb(lifted, dimension, order, srid=3857), 3857


def to_ovrajson(reader, data):
    return (utils.wkt_to_ovrajson_dict if reader == "wkt" else utils.wkb_to_ovrajson_dict)(data)


def to_geojson(reader, data):
    return (utils.wkt_to_geojson_dict if reader == "wkt" else utils.wkb_to_geojson_dict)(data)


def lift_expected(value, dimension):
    """The expected 2D dictionary value with z and m added to every position except arc interiors."""
    if isinstance(value, tuple):
        return lift(value, dimension)
    if isinstance(value, dict) and "c" in value:
        end, interior = value["c"]
        return {"c": [lift(end, dimension), interior]}
    if isinstance(value, list):
        return [lift_expected(v, dimension) for v in value]
    return value


def expected_ovrajson(key, parts, dimension, srid):
    has_z, has_m = DIMENSIONS[dimension]
    return {key: lift_expected(parts, dimension), "hasM": has_m, "hasZ": has_z, "spatialReference": {"wkid": srid}}


# --- OvraJSON: exact dictionaries ------------------------------------------------------------------

SEMICIRCLE = [(0.0, 0.0), (1.0, 1.0), (2.0, 0.0)]
CW_CIRCLE = [(0.0, 0.0), (1.0, 1.0), (2.0, 0.0), (1.0, -1.0), (0.0, 0.0)]  # over the top first: clockwise
CCW_CIRCLE = list(reversed(CW_CIRCLE))
CW_SQUARE = [(-2.0, -2.0), (-2.0, 3.0), (3.0, 3.0), (3.0, -2.0), (-2.0, -2.0)]
CW_CIRCLE_PARTS = [(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}, {"c": [(0.0, 0.0), (1.0, -1.0)]}]
CCW_CIRCLE_PARTS = [(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, -1.0)]}, {"c": [(0.0, 0.0), (1.0, 1.0)]}]

OVRAJSON_CASES = [
    # a circular string is one curve path, one "c" segment per arc
    (("CIRCULARSTRING", SEMICIRCLE), "curvePaths", [[(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}]]),
    (
        ("CIRCULARSTRING", SEMICIRCLE + [(3.0, -1.0), (4.0, 0.0)]),
        "curvePaths",
        [[(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}, {"c": [(4.0, 0.0), (3.0, -1.0)]}]],
    ),
    # straight pieces of a compound curve stay plain positions; the shared point appears once
    (
        ("COMPOUNDCURVE", [("CIRCULARSTRING", SEMICIRCLE), ("LINESTRING", [(2.0, 0.0), (3.0, 0.0), (3.0, 1.0)])]),
        "curvePaths",
        [[(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}, (3.0, 0.0), (3.0, 1.0)]],
    ),
    (
        ("COMPOUNDCURVE", [("LINESTRING", [(-1.0, 0.0), (0.0, 0.0)]), ("CIRCULARSTRING", SEMICIRCLE)]),
        "curvePaths",
        [[(-1.0, 0.0), (0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}]],
    ),
    # no arc anywhere: the linear form of today
    (
        ("COMPOUNDCURVE", [("LINESTRING", [(0.0, 0.0), (1.0, 0.0)]), ("LINESTRING", [(1.0, 0.0), (1.0, 1.0)])]),
        "paths",
        [[(0.0, 0.0), (1.0, 0.0), (1.0, 1.0)]],
    ),
    (
        ("MULTICURVE", [("LINESTRING", [(0.0, 0.0), (1.0, 1.0)]), ("LINESTRING", [(2.0, 2.0), (3.0, 3.0)])]),
        "paths",
        [[(0.0, 0.0), (1.0, 1.0)], [(2.0, 2.0), (3.0, 3.0)]],
    ),
    # one arc in a member puts every member, in order, into "curvePaths"
    (
        (
            "MULTICURVE",
            [
                ("LINESTRING", [(5.0, 5.0), (6.0, 6.0)]),
                ("CIRCULARSTRING", SEMICIRCLE),
                ("COMPOUNDCURVE", [("LINESTRING", [(7.0, 7.0), (8.0, 7.0)])]),
            ],
        ),
        "curvePaths",
        [[(5.0, 5.0), (6.0, 6.0)], [(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}], [(7.0, 7.0), (8.0, 7.0)]],
    ),
    # curved rings: a clockwise outer ring is kept, a counter-clockwise one reversed arc by arc
    (("CURVEPOLYGON", [("CIRCULARSTRING", CW_CIRCLE)]), "curveRings", [CW_CIRCLE_PARTS]),
    (("CURVEPOLYGON", [("CIRCULARSTRING", CCW_CIRCLE)]), "curveRings", [CW_CIRCLE_PARTS]),
    # a hole runs counter-clockwise; a straight outer ring stays a plain list of positions
    (
        ("CURVEPOLYGON", [("LINESTRING", CW_SQUARE), ("CIRCULARSTRING", CW_CIRCLE)]),
        "curveRings",
        [CW_SQUARE, CCW_CIRCLE_PARTS],
    ),
    # a half disc whose vertices alone enclose nothing: the arc decides the orientation
    (
        ("CURVEPOLYGON", [("COMPOUNDCURVE", [("CIRCULARSTRING", SEMICIRCLE), ("LINESTRING", [(2.0, 0.0), (0.0, 0.0)])])]),
        "curveRings",
        [[(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}, (0.0, 0.0)]],
    ),
    (
        (
            "CURVEPOLYGON",
            [("COMPOUNDCURVE", [("LINESTRING", [(0.0, 0.0), (2.0, 0.0)]), ("CIRCULARSTRING", SEMICIRCLE[::-1])])],
        ),
        "curveRings",
        [[(0.0, 0.0), {"c": [(2.0, 0.0), (1.0, 1.0)]}, (0.0, 0.0)]],
    ),
    # a curve polygon without arcs and a multisurface of polygons are plain "rings"
    (("CURVEPOLYGON", [("LINESTRING", CW_SQUARE[::-1])]), "rings", [CW_SQUARE]),
    (
        ("MULTISURFACE", [("POLYGON", [CW_SQUARE[::-1]]), ("CURVEPOLYGON", [("LINESTRING", CW_SQUARE)])]),
        "rings",
        [CW_SQUARE, CW_SQUARE],
    ),
    (
        ("MULTISURFACE", [("POLYGON", [CW_SQUARE]), ("CURVEPOLYGON", [("CIRCULARSTRING", CCW_CIRCLE)])]),
        "curveRings",
        [CW_SQUARE, CW_CIRCLE_PARTS],
    ),
]


@pytest.mark.parametrize("dimension", list(DIMENSIONS))
@pytest.mark.parametrize("geometry, key, parts", OVRAJSON_CASES, ids=[wkt(c[0])[:60] for c in OVRAJSON_CASES])
def test_ovrajson_of_every_type_dimension_and_encoding(geometry, key, parts, dimension):
    for label, reader, data, srid in every_encoding(geometry, dimension):
        result = to_ovrajson(reader, data)
        expected = expected_ovrajson(key, parts, dimension, srid)
        assert result == expected, label
        assert list(result) == list(expected), label


@pytest.mark.parametrize("dimension", list(DIMENSIONS))
@pytest.mark.parametrize("geometry", [c[0] for c in OVRAJSON_CASES], ids=[wkt(c[0])[:60] for c in OVRAJSON_CASES])
def test_geojson_is_the_same_from_every_encoding(geometry, dimension):
    results = {label: to_geojson(reader, data) for label, reader, data, _ in every_encoding(geometry, dimension)}
    reference = results.pop("wkt")
    assert reference["meta"] == {"srid": 4326}
    for label, result in results.items():
        srid = 3857 if label.startswith("ewkb-srid") else 4326
        assert result == dict(reference, meta={"srid": srid}, crs={"type": "name", "properties": {"name": "EPSG:%d" % srid}}), label
    positions = reference["coordinates"]
    while isinstance(positions[0], list):
        positions = positions[0]
    assert len(positions[0]) == 2 + len(dimension)


def test_ovrajson_exact_types_of_an_arc():
    result = utils.wkt_to_ovrajson_dict("CIRCULARSTRING Z (0 0 1, 1 1 2, 2 0 3)")
    start, arc = result["curvePaths"][0]
    assert type(start) is tuple and type(arc) is dict and list(arc) == ["c"]
    end, interior = arc["c"]
    assert type(arc["c"]) is list and type(end) is tuple and type(interior) is tuple
    # the interior point is planar, as the segment model keeps it
    assert (end, interior) == ((2.0, 0.0, 3.0), (1.0, 1.0))
    assert all(type(v) is float for v in start + end + interior)


@pytest.mark.parametrize(
    "text, expected",
    [
        # bare members are line strings, named members keep their own dimension keyword
        (
            "compoundcurve m (circularstring (0 0 1, 1 1 2, 2 0 3), (2 0 3, 3 0 4))",
            {"curvePaths": [[(0.0, 0.0, 1.0), {"c": [(2.0, 0.0, 3.0), (1.0, 1.0)]}, (3.0, 0.0, 4.0)]], "hasM": True},
        ),
        (
            "MULTICURVE (LINESTRING (0 0, 1 1), EMPTY, CIRCULARSTRING EMPTY, COMPOUNDCURVE EMPTY)",
            {"paths": [[(0.0, 0.0), (1.0, 1.0)], [], [], []], "hasM": False},
        ),
        (
            "MULTISURFACE (((0 0, 0 1, 1 1, 1 0, 0 0)), POLYGON ((0 0, 0 1, 1 1, 1 0, 0 0)))",
            {"rings": [[(0.0, 0.0), (0.0, 1.0), (1.0, 1.0), (1.0, 0.0), (0.0, 0.0)]] * 2, "hasM": False},
        ),
        # the dimension glued to the type word, as some writers put it
        ("CIRCULARSTRINGZ (0 0 5, 1 1 5, 2 0 5)", {"curvePaths": [[(0.0, 0.0, 5.0), {"c": [(2.0, 0.0, 5.0), (1.0, 1.0)]}]], "hasM": False}),
    ],
)
def test_wkt_spellings(text, expected):
    result = utils.wkt_to_ovrajson_dict(text)
    assert {k: result[k] for k in expected} == expected


def test_ovrajson_of_a_curve_builds_the_geometry_with_its_arcs():
    line = vg.Geometry(utils.wkt_to_ovrajson_dict("COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 3 0))"))
    assert isinstance(line, vg.Polyline)
    assert str(line.curve_paths[0]) == '[[0, 0], {"c": [[2, 0], [1, 1]]}, [3, 0]]'
    assert line.length == pytest.approx(math.pi + 1, rel=1e-12)

    disc = vg.Geometry(utils.wkb_to_ovrajson_dict(wkb(("CURVEPOLYGON", [("CIRCULARSTRING", CCW_CIRCLE)]))))
    assert isinstance(disc, vg.Polygon)
    assert str(disc.curve_rings[0]) == '[[0, 0], {"c": [[2, 0], [1, 1]]}, {"c": [[0, 0], [1, -1]]}]'
    assert disc.area == pytest.approx(math.pi, rel=1e-12)

    # a hole cut out of a square: the orientation the builder gives makes it a hole
    holed = vg.Geometry(utils.wkt_to_ovrajson_dict(wkt(("CURVEPOLYGON", [("LINESTRING", CW_SQUARE), ("CIRCULARSTRING", CW_CIRCLE)]))))
    assert holed.area == pytest.approx(25 - math.pi, rel=1e-12)


# --- GeoJSON: arcs densified, checked against the circle -------------------------------------------


def on_circle(positions, cx, cy, r):
    return max(abs(math.hypot(p[0] - cx, p[1] - cy) - r) for p in positions)


@pytest.mark.parametrize(
    "points, center, radius, start_angle, sweep",
    [
        # half circle clockwise over the top: 64 steps
        (SEMICIRCLE, (1.0, 0.0), 1.0, math.pi, -math.pi),
        # quarter circle counter-clockwise: exactly 32 steps
        ([(1.0, 0.0), (math.sqrt(0.5), math.sqrt(0.5)), (0.0, 1.0)], (0.0, 0.0), 1.0, 0.0, math.pi / 2),
        # three quarters, far from the origin and with a large radius
        ([(1e6 + 500.0, 2e6), (1e6, 2e6 + 500.0), (1e6, 2e6 - 500.0)], (1e6, 2e6), 500.0, 0.0, 1.5 * math.pi),
        # a short arc of 0.1 rad: ceil(32 * 0.1 / (pi / 2)) = 3 steps
        (
            [(1.0, 0.0), (math.cos(0.04), math.sin(0.04)), (math.cos(0.1), math.sin(0.1))],
            (0.0, 0.0),
            1.0,
            0.0,
            0.1,
        ),
        # a full circle (start equal to end, interior opposite): counter-clockwise, 128 steps
        ([(0.0, 0.0), (2.0, 0.0), (0.0, 0.0)], (1.0, 0.0), 1.0, math.pi, 2 * math.pi),
    ],
)
def test_geojson_densifies_an_arc_on_its_circle(points, center, radius, start_angle, sweep):
    steps = math.ceil(round(32 * abs(sweep) / (math.pi / 2), 9))
    result = utils.wkt_to_geojson_dict("CIRCULARSTRING " + points_text(points))
    assert result["type"] == "LineString"
    line = result["coordinates"]
    assert len(line) == steps + 1
    assert line[0] == points[0] and line[-1] == points[-1]  # the exact end points
    tolerance = 1e-12 * max(1.0, abs(center[0]) + abs(center[1]))
    assert on_circle(line, *center, radius) <= tolerance
    for k, p in enumerate(line):
        angle = start_angle + sweep * k / steps
        assert p == pytest.approx((center[0] + radius * math.cos(angle), center[1] + radius * math.sin(angle)), abs=tolerance)


def test_geojson_z_and_m_run_with_the_angle_through_the_interior_point():
    # the interior point is a quarter of the way round the half circle
    interior = (1 - math.sqrt(0.5), math.sqrt(0.5))
    text = "CIRCULARSTRING ZM (0 0 0 10, %r %r 1 20, 2 0 5 0)" % interior
    line = utils.wkt_to_geojson_dict(text)["coordinates"]
    assert len(line) == 65
    for k, (_, _, z, m) in enumerate(line):
        t = k / 64
        expected_z = t / 0.25 if t <= 0.25 else 1 + 4 * (t - 0.25) / 0.75
        expected_m = 10 + 10 * t / 0.25 if t <= 0.25 else 20 - 20 * (t - 0.25) / 0.75
        assert z == pytest.approx(expected_z, abs=1e-9)
        assert m == pytest.approx(expected_m, abs=1e-9)


@pytest.mark.parametrize(
    "text, expected",
    [
        # collinear points are straight segments through the middle point
        ("CIRCULARSTRING (0 0, 1 1, 2 2)", {"type": "LineString", "coordinates": [(0.0, 0.0), (1.0, 1.0), (2.0, 2.0)]}),
        ("CIRCULARSTRING (0 0, 3 0, 1 0)", {"type": "LineString", "coordinates": [(0.0, 0.0), (3.0, 0.0), (1.0, 0.0)]}),
        ("CIRCULARSTRING EMPTY", {"type": "LineString", "coordinates": []}),
        ("CURVEPOLYGON EMPTY", {"type": "Polygon", "coordinates": []}),
        ("MULTICURVE EMPTY", {"type": "MultiLineString", "coordinates": []}),
        ("MULTISURFACE EMPTY", {"type": "MultiPolygon", "coordinates": []}),
        (
            "COMPOUNDCURVE ((0 0, 1 0), (1 0, 1 1))",
            {"type": "LineString", "coordinates": [(0.0, 0.0), (1.0, 0.0), (1.0, 1.0)]},
        ),
        (
            "MULTICURVE ((0 0, 1 0), (2 0, 2 2, 4 4))",
            {"type": "MultiLineString", "coordinates": [[(0.0, 0.0), (1.0, 0.0)], [(2.0, 0.0), (2.0, 2.0), (4.0, 4.0)]]},
        ),
        (
            "MULTISURFACE (((0 0, 1 0, 1 1, 0 0)), CURVEPOLYGON ((0 0, 1 0, 1 1, 0 0)))",
            {"type": "MultiPolygon", "coordinates": [[[(0.0, 0.0), (1.0, 0.0), (1.0, 1.0), (0.0, 0.0)]]] * 2},
        ),
    ],
)
def test_geojson_shapes_without_arcs(text, expected):
    result = utils.wkt_to_geojson_dict(text)
    assert {k: v for k, v in result.items() if k not in ("meta", "crs")} == expected


def test_geojson_of_curved_types_and_collections():
    compound = utils.wkt_to_geojson_dict("COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 3 0))")["coordinates"]
    assert len(compound) == 66 and compound[64:] == [(2.0, 0.0), (3.0, 0.0)]

    disc = utils.wkb_to_geojson_dict(wkb(("CURVEPOLYGON", [("CIRCULARSTRING", CW_CIRCLE)]), order=">"))
    assert disc["type"] == "Polygon"
    ring = disc["coordinates"][0]
    # two half circles of 64 steps each; input orientation kept, as for linear rings
    assert len(ring) == 129 and ring[0] == ring[-1] == (0.0, 0.0) and ring[64] == (2.0, 0.0)
    assert on_circle(ring, 1.0, 0.0, 1.0) <= 1e-12
    # the area of the inscribed regular 128-gon
    shoelace = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:])) / 2
    assert shoelace == pytest.approx(-128 / 2 * math.sin(2 * math.pi / 128), rel=1e-12)

    collection = utils.wkt_to_geojson_dict(
        "GEOMETRYCOLLECTION (CIRCULARSTRING (0 0, 1 1, 2 0), MULTISURFACE (CURVEPOLYGON (CIRCULARSTRING (0 0, 2 0, 0 0))))"
    )
    line, surfaces = collection["geometries"]
    assert line["type"] == "LineString" and len(line["coordinates"]) == 65
    assert surfaces["type"] == "MultiPolygon" and len(surfaces["coordinates"][0][0]) == 129
    assert "crs" in line and "crs" in surfaces


def test_ewkb_srid_reaches_curved_results():
    data = wkb(lift_geometry(("MULTICURVE", [("CIRCULARSTRING", SEMICIRCLE)]), "Z"), "Z", srid=2056)
    assert utils.wkb_to_geojson_dict(data)["meta"] == {"srid": 2056}
    assert utils.wkb_to_ovrajson_dict(data)["spatialReference"] == {"wkid": 2056}


# --- Refusals ----------------------------------------------------------------------------------------


def frame(message):
    return "processing geometry `%s`" % message


@pytest.mark.parametrize(
    "text, message",
    [
        ("CIRCULARSTRING (0 0, 1 1)", "CIRCULARSTRING needs an odd number of at least 3 points, got 2"),
        ("CIRCULARSTRING (0 0, 1 1, 2 0, 3 3)", "CIRCULARSTRING needs an odd number of at least 3 points, got 4"),
        ("CIRCULARSTRING (0 0)", "CIRCULARSTRING needs an odd number of at least 3 points, got 1"),
        ("COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1))", "CIRCULARSTRING needs an odd number of at least 3 points, got 2"),
        ("COMPOUNDCURVE ((0 0, 1 1), (2 2, 3 3))", "COMPOUNDCURVE piece 2 does not start where piece 1 ends"),
        ("COMPOUNDCURVE ((0 0, 1 1), (1 1 5, 3 3 5))", "COMPOUNDCURVE piece 2 does not start where piece 1 ends"),
        ("COMPOUNDCURVE ((0 0))", "LINESTRING in a curve needs at least 2 points, got 1"),
        ("COMPOUNDCURVE (EMPTY)", "LINESTRING in a curve needs at least 2 points, got 0"),
        ("COMPOUNDCURVE (POINT (1 2))", "Unexpected 'POINT' in a COMPOUNDCURVE"),
        ("COMPOUNDCURVE (COMPOUNDCURVE ((0 0, 1 1)))", "Unexpected 'COMPOUNDCURVE' in a COMPOUNDCURVE"),
        ("CURVEPOLYGON ((0 0, 1 0, 1 1))", "CURVEPOLYGON ring 1 is not closed: it ends elsewhere than it starts"),
        ("CURVEPOLYGON (CIRCULARSTRING (0 0, 1 1, 2 0))", "CURVEPOLYGON ring 1 is not closed: it ends elsewhere than it starts"),
        (
            "CURVEPOLYGON ((0 0, 1 0, 1 1, 0 0), COMPOUNDCURVE (CIRCULARSTRING (0 0, 1 1, 2 0), (2 0, 3 0)))",
            "CURVEPOLYGON ring 2 is not closed: it ends elsewhere than it starts",
        ),
        ("CURVEPOLYGON (COMPOUNDCURVE EMPTY)", "CURVEPOLYGON ring 1 is not closed: it ends elsewhere than it starts"),
        ("CURVEPOLYGON (EMPTY)", "LINESTRING in a curve needs at least 2 points, got 0"),
        ("MULTICURVE (POLYGON ((0 0, 1 0, 1 1, 0 0)))", "Unexpected 'POLYGON' in a MULTICURVE"),
        ("MULTISURFACE (CIRCULARSTRING (0 0, 1 1, 2 0))", "Unexpected 'CIRCULARSTRING' in a MULTISURFACE"),
        ("CIRCULARSTRING (0 0, 1 1, 2 0", "Missing closing parenthesis for type"),
        ("CIRCULARSTRING Q (0 0, 1 1, 2 0)", "Missing open parenthesis for type"),
        ("MULTICURVE (5 5)", "Missing open parenthesis for type"),
        ("CIRCULARSTRING (0 0, 1 x, 2 0)", "Expected a number for the Y coordinate"),
        ("CIRCULARSTRING (0 0, 1 1, 2 0) x", "Unexpected text after the geometry"),
        ("CURVESTRING (0 0, 1 1, 2 0)", "Unknown geometry type 'CURVESTRING'"),
    ],
)
@pytest.mark.parametrize("convert", [utils.wkt_to_geojson_dict, utils.wkt_to_ovrajson_dict])
def test_malformed_curve_wkt(convert, text, message):
    with pytest.raises(RuntimeError) as raised:
        convert(text)
    assert str(raised.value) == frame(message)


@pytest.mark.parametrize(
    "text, message",
    [
        (
            "CIRCULARSTRING (0 0, 1 1 5, 2 0)",
            "Coordinate dimension mismatch: all coordinates in a geometry must either all have or all lack Z and M "
            "values. Previously coordinates: (has_z, has_m) = (false, false), current: (has_z, has_m) = (true, false)",
        ),
        ("CIRCULARSTRING EMPTY", "has_m not initialized"),
        ("MULTISURFACE EMPTY", "has_m not initialized"),
    ],
)
def test_ovrajson_refusals_of_curves(text, message):
    with pytest.raises(RuntimeError) as raised:
        utils.wkt_to_ovrajson_dict(text)
    assert str(raised.value) == frame(message)


def header(code, order="<"):
    return struct.pack(order + "BI", 1 if order == "<" else 0, code)


@pytest.mark.parametrize(
    "data, message",
    [
        # even and too small point counts
        (wkb(("CIRCULARSTRING", SEMICIRCLE + [(3.0, 3.0)])), "invalid WKB: CIRCULARSTRING needs an odd number of at least 3 points, got 4"),
        (wkb(("CIRCULARSTRING", SEMICIRCLE[:1]), order=">"), "invalid WKB: CIRCULARSTRING needs an odd number of at least 3 points, got 1"),
        # broken joins, unclosed rings, members of the wrong type
        (
            wkb(("COMPOUNDCURVE", [("LINESTRING", [(0.0, 0.0), (1.0, 1.0)]), ("LINESTRING", [(2.0, 2.0), (3.0, 3.0)])])),
            "invalid WKB: COMPOUNDCURVE piece 2 does not start where piece 1 ends",
        ),
        (wkb(("COMPOUNDCURVE", [("LINESTRING", [])])), "invalid WKB: LINESTRING in a curve needs at least 2 points, got 0"),
        (
            wkb(("CURVEPOLYGON", [("CIRCULARSTRING", SEMICIRCLE)])),
            "invalid WKB: CURVEPOLYGON ring 1 is not closed: it ends elsewhere than it starts",
        ),
        (
            header(9) + struct.pack("<I", 1) + wkb(("POLYGON", [])),
            "invalid WKB: member at byte 9 of a COMPOUNDCURVE is a POLYGON",
        ),
        (
            header(12) + struct.pack("<I", 1) + wkb(("CIRCULARSTRING", SEMICIRCLE)),
            "invalid WKB: member at byte 9 of a MULTISURFACE is a CIRCULARSTRING",
        ),
        (
            header(11) + struct.pack("<I", 1) + wkb(("CURVEPOLYGON", [])),
            "invalid WKB: member at byte 9 of a MULTICURVE is a CURVEPOLYGON",
        ),
        # bad type codes: past the curve types, an unknown dimension, an EWKB flag word with a bad code
        (header(13) + struct.pack("<I", 0), "invalid WKB: unsupported geometry type 13 at byte 1"),
        (header(1013, ">") + struct.pack(">I", 0), "invalid WKB: unsupported geometry type 1013 at byte 1"),
        (header(4008) + struct.pack("<I", 0), "invalid WKB: unsupported geometry type 4008 at byte 1"),
        (header(0x8000000D) + struct.pack("<I", 0), "invalid WKB: unsupported geometry type 2147483661 at byte 1"),
        # counts that the bytes left cannot hold, and inputs that end early
        (wkb(("CIRCULARSTRING", SEMICIRCLE))[:9], "invalid WKB: 3 points counted at byte 5 need at least 48 bytes, 0 left"),
        (wkb(("CURVEPOLYGON", [("CIRCULARSTRING", CW_CIRCLE)]))[:7], "I/O error: WKB ends early: the count at byte 5 needs 4 bytes, 2 left"),
        (wkb(("MULTICURVE", [("CIRCULARSTRING", SEMICIRCLE)]))[:12], "invalid WKB: 1 members counted at byte 5 need at least 9 bytes, 3 left"),
        (wkb(("CIRCULARSTRING", SEMICIRCLE))[:3], "I/O error: WKB ends early: the geometry type at byte 1 needs 4 bytes, 2 left"),
        (wkb(("CIRCULARSTRING", SEMICIRCLE)) + b"\x00", "invalid WKB: 1 bytes left after the geometry at byte 57"),
    ],
)
@pytest.mark.parametrize("convert", [utils.wkb_to_geojson_dict, utils.wkb_to_ovrajson_dict])
def test_malformed_curve_wkb(convert, data, message):
    with pytest.raises(RuntimeError) as raised:
        convert(data)
    assert str(raised.value) == message


@pytest.mark.parametrize("convert", [utils.wkb_to_geojson_dict, utils.wkb_to_ovrajson_dict])
def test_every_truncation_of_a_curve_is_refused(convert):
    half_disc = ("COMPOUNDCURVE", [("CIRCULARSTRING", SEMICIRCLE), ("LINESTRING", [(2.0, 0.0), (0.0, 0.0)])])
    data = wkb(lift_geometry(("MULTISURFACE", [("CURVEPOLYGON", [half_disc])]), "ZM"), "ZM")
    convert(data)
    for size in range(len(data)):
        with pytest.raises(RuntimeError) as raised:
            convert(data[:size])
        assert str(raised.value).startswith(("I/O error: WKB ends early: ", "invalid WKB: "))


@pytest.mark.parametrize(
    "text, start, opposite",
    [
        ("CURVEPOLYGON (CIRCULARSTRING (0 0, 2 0, 0 0))", (0.0, 0.0), (2.0, 0.0)),
        ("CURVEPOLYGON Z (CIRCULARSTRING (0 0 7, 2 0 9, 0 0 7))", (0.0, 0.0, 7.0), (2.0, 0.0, 7.0)),
    ],
)
def test_a_full_circle_as_outer_ring_turns_clockwise_as_two_half_circles(text, start, opposite):
    # three points cannot turn a full circle clockwise; it is read counter-clockwise, so an outer ring
    # becomes two half circles through the opposite point (which takes the start's z and m)
    ring = utils.wkt_to_ovrajson_dict(text)["curveRings"][0]
    assert ring[0] == start
    (there, first_middle), (back, second_middle) = ring[1]["c"], ring[2]["c"]
    assert there == opposite and back == start
    assert first_middle == pytest.approx((1.0, 1.0), abs=1e-15)
    assert second_middle == pytest.approx((1.0, -1.0), abs=1e-15)
    assert vg.Geometry(utils.wkt_to_ovrajson_dict(text)).area == pytest.approx(math.pi, rel=1e-12)


def test_a_full_circle_as_a_hole_stays_one_arc():
    holed = utils.wkt_to_ovrajson_dict("CURVEPOLYGON ((-2 -2, -2 3, 3 3, 3 -2, -2 -2), CIRCULARSTRING (0 0, 2 0, 0 0))")
    assert holed["curveRings"] == [CW_SQUARE, [(0.0, 0.0), {"c": [(0.0, 0.0), (2.0, 0.0)]}]]
    assert vg.Geometry(holed).area == pytest.approx(25 - math.pi, rel=1e-12)
