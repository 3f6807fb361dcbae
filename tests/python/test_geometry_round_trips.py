"""Random geometries of every class go through the runtime core and come back: as a dictionary
(`Geometry(obj.to_dict())`) and as text (`Geometry(str(obj))`).

What may change on the way, and nothing else:
- parts are regrouped: those with curves come back as curve parts, those without as straight parts,
  and the runtime keeps curve parts before straight ones;
- a straight ring may lose (or gain) its repeated closing vertex;
- a NaN z or m travels as null in the runtime's JSON and is read back as NaN;
- curve parameters the runtime derives (circle and ellipse centres, radii, the interior point of a
  circular arc) may differ in the last bits, so curves are compared by their shape with a tolerance;
  vertices and Bezier control points are compared exactly.
"""

import json
import math

import pytest
from hypothesis import HealthCheck, given, settings, strategies as st

from velmor_geometry import Envelope, Geometry, MultiPoint, Point, Polygon, Polyline

TURN = 2 * math.pi
DERIVED_TOLERANCE = 1e-6

# ---------------------------------------------------------------------------------------------------
# Generators. Curves are built from their shape so that the end vertex lies on it and the flags agree
# with the sweep; sweeps near none, a half turn or a full turn are avoided because there the runtime
# may fairly pick the other of two nearly equal arcs.

coordinate = st.floats(min_value=-1000, max_value=1000, allow_nan=False, width=64)
wide_coordinate = st.floats(min_value=-1e12, max_value=1e12, allow_nan=False, width=64)
measure = st.one_of(st.just(math.nan), st.floats(min_value=-1e6, max_value=1e6, allow_nan=False))
sweep = st.one_of(st.floats(min_value=0.3, max_value=2.8), st.floats(min_value=3.5, max_value=6.0))
length = st.floats(min_value=1.0, max_value=100.0)
angle = st.floats(min_value=0.0, max_value=TURN, exclude_max=True)
spatial_reference = st.sampled_from([None, {"wkid": 4326}, {"wkid": 3857}])
dims = st.sampled_from([(False, False), (True, False), (False, True), (True, True)])


@st.composite
def vertex(draw, has_z, has_m, xy=coordinate):
    return [draw(xy), draw(xy)] + [draw(measure) for flag in (has_z, has_m) if flag]


def extra_values(draw, has_z, has_m):
    return [draw(measure) for flag in (has_z, has_m) if flag]


def point_on(center, rotation, axis, ratio, t):
    cx, cy = center
    u, v = axis * math.cos(t), axis * ratio * math.sin(t)
    return [cx + u * math.cos(rotation) - v * math.sin(rotation), cy + u * math.sin(rotation) + v * math.cos(rotation)]


def swept(draw):
    start = draw(angle)
    turn = draw(sweep)
    clockwise = draw(st.booleans())
    return start, start - turn if clockwise else start + turn, turn < math.pi, clockwise


@st.composite
def circular_arc(draw, start, has_z, has_m, end=None):
    """{"c": [end, interior]}: the interior point sits off the chord's midpoint on either side."""
    if end is None:
        chord, direction = draw(length), draw(angle)
        end = [start[0] + chord * math.cos(direction), start[1] + chord * math.sin(direction)]
        end += extra_values(draw, has_z, has_m)
    dx, dy = end[0] - start[0], end[1] - start[1]
    # A bulge of half the chord is a half turn, where either arc flag is fair.
    bulge = draw(st.one_of(st.floats(min_value=0.1, max_value=0.45), st.floats(min_value=0.55, max_value=2.0)))
    bulge *= draw(st.sampled_from([-1, 1]))
    interior = [(start[0] + end[0]) / 2 - dy * bulge, (start[1] + end[1]) / 2 + dx * bulge]
    return {"c": [end, interior]}


@st.composite
def circular_arc_by_center(draw, start, has_z, has_m):
    """The four-item {"a": [end, center, minor, clockwise]}."""
    radius = draw(length)
    t0, t1, minor, clockwise = swept(draw)
    center = [start[0] - radius * math.cos(t0), start[1] - radius * math.sin(t0)]
    end = point_on(center, 0.0, radius, 1.0, t1) + extra_values(draw, has_z, has_m)
    return {"a": [end, center, minor, clockwise]}


@st.composite
def elliptic_arc(draw, start, has_z, has_m):
    """The seven-item {"a": [end, center, minor, clockwise, rotation, axis, ratio]}."""
    axis = draw(length)
    ratio = draw(st.one_of(st.just(1.0), st.floats(min_value=0.2, max_value=0.95)))
    rotation = draw(st.floats(min_value=-math.pi, max_value=math.pi))
    t0, t1, minor, clockwise = swept(draw)
    offset = point_on([0.0, 0.0], rotation, axis, ratio, t0)
    center = [start[0] - offset[0], start[1] - offset[1]]
    end = point_on(center, rotation, axis, ratio, t1) + extra_values(draw, has_z, has_m)
    return {"a": [end, center, minor, clockwise, rotation, axis, ratio]}


@st.composite
def bezier(draw, start, has_z, has_m, end=None):
    if end is None:
        end = draw(vertex(has_z, has_m))
    return {"b": [end, draw(vertex(False, False)), draw(vertex(False, False))]}


def end_of(item):
    return item if isinstance(item, list) else next(iter(item.values()))[0]


@st.composite
def curve_part(draw, has_z, has_m, ring=False):
    first = draw(vertex(has_z, has_m))
    items = [first]
    for _ in range(draw(st.integers(min_value=1 if not ring else 2, max_value=5))):
        start = end_of(items[-1])
        kind = draw(st.sampled_from(["line", "c", "a4", "a7", "b"]))
        if kind == "line":
            items.append(draw(vertex(has_z, has_m)))
        else:
            maker = {"c": circular_arc, "a4": circular_arc_by_center, "a7": elliptic_arc, "b": bezier}[kind]
            items.append(draw(maker(start, has_z, has_m)))
    if ring and draw(st.booleans()):
        # Close the ring with a curve that ends exactly on the first vertex.
        start = end_of(items[-1])
        if math.dist(start[:2], first[:2]) > 0.5:
            maker = draw(st.sampled_from([circular_arc, bezier]))
            items.append(draw(maker(start, has_z, has_m, end=list(first))))
    return items


@st.composite
def straight_part(draw, has_z, has_m, ring=False):
    vertices = draw(st.lists(vertex(has_z, has_m, wide_coordinate), min_size=3 if ring else 2, max_size=6))
    if ring and draw(st.booleans()):
        vertices.append(list(vertices[0]))
    return vertices


@st.composite
def multipart_dict(draw, ring):
    has_z, has_m = draw(dims)
    straight_key, curve_key = ("rings", "curveRings") if ring else ("paths", "curvePaths")
    d = {straight_key: draw(st.lists(straight_part(has_z, has_m, ring), max_size=3))}
    if draw(st.booleans()):
        d[curve_key] = draw(st.lists(curve_part(has_z, has_m, ring), max_size=3))
    if has_z:
        d["hasZ"] = True
    if has_m:
        d["hasM"] = True
    reference = draw(spatial_reference)
    if reference is not None:
        d["spatialReference"] = reference
    return d


@st.composite
def multipoint_dict(draw):
    has_z, has_m = draw(dims)
    d = {"points": draw(st.lists(vertex(has_z, has_m, wide_coordinate), min_size=1, max_size=6)),
         "hasZ": has_z, "hasM": has_m}
    reference = draw(spatial_reference)
    if reference is not None:
        d["spatialReference"] = reference
    return d


@st.composite
def point_dict(draw):
    d = {"x": draw(wide_coordinate), "y": draw(wide_coordinate)}
    for key in ("z", "m"):
        if draw(st.booleans()):
            d[key] = draw(measure)
    reference = draw(spatial_reference)
    if reference is not None:
        d["spatialReference"] = reference
    return d


@st.composite
def envelope_dict(draw):
    xs = sorted([draw(wide_coordinate), draw(wide_coordinate)])
    ys = sorted([draw(wide_coordinate), draw(wide_coordinate)])
    d = {"xmin": xs[0], "ymin": ys[0], "xmax": xs[1], "ymax": ys[1]}
    for low, high in (("zmin", "zmax"), ("mmin", "mmax")):
        if draw(st.booleans()):
            d[low], d[high] = sorted([draw(coordinate), draw(coordinate)])
    reference = draw(spatial_reference)
    if reference is not None:
        d["spatialReference"] = reference
    return d


# ---------------------------------------------------------------------------------------------------
# Canonical forms of written text, equal exactly when two geometries hold the same data up to the
# changes listed at the top.


class Near:
    """A derived curve parameter, equal to another within the tolerance."""

    def __init__(self, value, period=None):
        self.value, self.period = value, period

    def __eq__(self, other):
        difference = abs(self.value - other.value)
        if self.period is not None:
            difference %= self.period
            difference = min(difference, self.period - difference)
        return difference <= DERIVED_TOLERANCE * max(1.0, abs(self.value))

    def __repr__(self):
        return f"~{self.value!r}"


def number(value):
    """Exact comparison that treats NaN and null (a NaN written by the runtime) as equal."""
    return "NaN" if value is None or math.isnan(value) else float(value)


def canonical_vertex(values):
    return tuple(number(value) for value in values)


def circle_through(a, b, c):
    d = 2 * (a[0] * (b[1] - c[1]) + b[0] * (c[1] - a[1]) + c[0] * (a[1] - b[1]))
    ux = ((a[0] ** 2 + a[1] ** 2) * (b[1] - c[1]) + (b[0] ** 2 + b[1] ** 2) * (c[1] - a[1])
          + (c[0] ** 2 + c[1] ** 2) * (a[1] - b[1])) / d
    uy = ((a[0] ** 2 + a[1] ** 2) * (c[0] - b[0]) + (b[0] ** 2 + b[1] ** 2) * (a[0] - c[0])
          + (c[0] ** 2 + c[1] ** 2) * (b[0] - a[0])) / d
    return ux, uy


def circle(center, radius, start, end, minor, clockwise):
    return ("circle", Near(center[0]), Near(center[1]), Near(radius), bool(minor), bool(clockwise))


def canonical_curve(start, curve):
    (key, values), = curve.items()
    end = values[0]
    if key == "b":
        return ("bezier", canonical_vertex(values[1][:2]), canonical_vertex(values[2][:2]))
    if key == "c":
        interior = values[1]
        center = circle_through(start, interior, end)
        turn = (start[0] - interior[0]) * (end[1] - interior[1]) - (start[1] - interior[1]) * (end[0] - interior[0])
        clockwise = turn > 0
        # The arc is minor when the interior point and the centre lie on opposite sides of the chord.
        side = lambda p: (end[0] - start[0]) * (p[1] - start[1]) - (end[1] - start[1]) * (p[0] - start[0])
        minor = side(interior) * side(center) < 0
        return circle(center, math.dist(center, start[:2]), start, end, minor, clockwise)
    center, minor, clockwise = values[1], values[2], values[3]
    if len(values) == 4 or values[6] == 1:
        radius = values[5] if len(values) == 7 else math.dist(center, start[:2])
        return circle(center, radius, start, end, minor, clockwise)
    rotation, axis, ratio = values[4], values[5], values[6]
    return ("ellipse", Near(center[0]), Near(center[1]), Near(rotation, math.pi), Near(axis), Near(ratio),
            bool(minor), bool(clockwise))


def canonical_part(items, ring):
    """[(vertex, curve or None), ...] with a ring's straight closing vertices left out."""
    out = []
    for item in items:
        if isinstance(item, list):
            out.append((canonical_vertex(item), None))
        else:
            start = list(out[-1][0])
            end = next(iter(item.values()))[0]
            out.append((canonical_vertex(end), canonical_curve(start, item)))
    # The runtime drops one repeated closing vertex; in a degenerate ring ([a, a, a]) the vertex then
    # last may be the start again, so every straight ending on the start is left out.
    while ring and len(out) > 1 and out[-1][1] is None and out[-1][0][:2] == out[0][0][:2]:
        out.pop()
    return out


def canonical(d):
    d = dict(d)
    reference = d.pop("spatialReference", None)
    if "xmin" in d:
        return ("envelope", reference, {key: number(value) for key, value in d.items()})
    if "x" in d:
        return ("point", reference, {key: number(value) for key, value in d.items()})
    flags = (d.get("hasZ") is True, d.get("hasM") is True)
    if "points" in d:
        return ("multipoint", reference, flags, [canonical_vertex(v) for v in d["points"]])
    ring = "rings" in d or "curveRings" in d
    straight_key, curve_key = ("rings", "curveRings") if ring else ("paths", "curvePaths")
    # The runtime order: curve parts first, then straight parts.
    parts = [canonical_part(p, ring) for p in d.get(curve_key, []) + d.get(straight_key, [])]
    curved = [p for p in parts if any(curve is not None for _, curve in p)]
    straight = [p for p in parts if all(curve is None for _, curve in p)]
    return ("polygon" if ring else "polyline", reference, flags, curved, straight)


def canonical_text(text):
    return canonical(json.loads(text))


def same_json_value(a, b):
    """Equality of parsed JSON that counts NaN equal to NaN."""
    if isinstance(a, float) and isinstance(b, float) and math.isnan(a) and math.isnan(b):
        return True
    if isinstance(a, dict) and isinstance(b, dict):
        return a.keys() == b.keys() and all(same_json_value(a[k], b[k]) for k in a)
    if isinstance(a, list) and isinstance(b, list):
        return len(a) == len(b) and all(same_json_value(x, y) for x, y in zip(a, b))
    return a == b


# ---------------------------------------------------------------------------------------------------




ROUND_TRIP = settings(max_examples=150, deadline=None, suppress_health_check=[HealthCheck.too_slow])


def as_read_from_runtime_dict(expected, obj):
    """What survives the trip through a runtime geometry and its dictionary, where one thing is known
    to be lost: the runtime builders take z and m from the vertices, so an empty geometry loses them."""
    kind = expected[0]
    if kind in ("polyline", "polygon", "multipoint") and obj.is_empty:
        return (*expected[:2], (False, False), *expected[3:])
    return expected


def check_round_trips(obj, through_dict=True):
    expected = canonical_text(str(obj))
    by_text = Geometry(str(obj))
    assert type(by_text) is type(obj)
    assert canonical_text(str(by_text)) == expected
    if through_dict:
        as_dict = obj.to_dict()
        assert same_json_value(as_dict, json.loads(obj.JSON))
        by_dict = Geometry(as_dict)
        assert type(by_dict) is type(obj)
        assert canonical_text(str(by_dict)) == as_read_from_runtime_dict(expected, obj)


@ROUND_TRIP
@given(multipart_dict(ring=False))
def test_polyline_round_trips(d):
    check_round_trips(Polyline(d))


@ROUND_TRIP
@given(multipart_dict(ring=True))
def test_polygon_round_trips(d):
    check_round_trips(Polygon(d))


@ROUND_TRIP
@given(multipoint_dict())
def test_multipoint_round_trips(d):
    check_round_trips(MultiPoint(d))


@ROUND_TRIP
@given(point_dict())
def test_point_round_trips(d):
    check_round_trips(Point(d))


@ROUND_TRIP
@given(envelope_dict())
def test_envelope_round_trips_as_text(d):
    # An envelope has no runtime JSON, so no dictionary of its own.
    check_round_trips(Envelope(d), through_dict=False)


@pytest.mark.parametrize(
    "ring",
    [
        [[0, 0], [0, 0], [0, 0]],
        [[0, 0, 1], [4, 0, 2], [0, 4, 3], [0, 0, 4], [0, 0, 5]],
    ],
    ids=["all on one point", "closed twice"],
)
def test_ring_ending_on_its_start_keeps_every_vertex(ring):
    has_z = len(ring[0]) == 3
    polygon = Polygon({"rings": [ring], "hasZ": has_z})
    written = polygon.to_dict()["rings"][0]
    # The runtime keeps the last vertex (its z may differ), so only the repeated start is new.
    assert written[:len(ring) - 1] == ring[:-1] and written[-1][:2] == ring[0][:2]
    for again in (Geometry(polygon.to_dict()), Geometry(polygon.JSON), Geometry(str(polygon))):
        assert json.loads(str(again))["rings"][0][:len(ring) - 1] == ring[:-1]
