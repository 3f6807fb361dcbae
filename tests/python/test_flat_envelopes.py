"""An envelope without width or height (the extent of a vertical or horizontal line, or of a point) is
the segment or point it covers in relations, distance and clip, as GEOS makes it: checked against
shapely on a seeded table of envelopes on a small grid, where flat ones, -0.0 bounds and touching are
common."""

import math
import random

import pytest

shapely = pytest.importorskip("shapely")

from velmor_geometry import Envelope, Geometry  # noqa: E402

RELATIONS = ["contains", "crosses", "disjoint", "equals", "intersects", "overlaps", "touches", "within"]
GRID = [0.0, 0.5, 1.0, 2.0]


def signed(rng, value):
    """0.0 is sometimes written -0.0, which is the same bound."""
    return -0.0 if value == 0.0 and rng.random() < 0.5 else value


def random_envelope(rng):
    """Bounds on the grid; about two in three are flat in x, in y or in both."""
    x0, x1 = sorted(rng.choice(GRID) for _ in range(2))
    y0, y1 = sorted(rng.choice(GRID) for _ in range(2))
    if rng.random() < 0.4:
        x1 = x0
    if rng.random() < 0.4:
        y1 = y0
    return {"xmin": signed(rng, x0), "ymin": signed(rng, y0), "xmax": signed(rng, x1), "ymax": signed(rng, y1)}


def envelope_peer(bounds):
    """The envelope as GEOS makes it: a point, a segment or a rectangle."""
    x0, y0, x1, y1 = (bounds[k] for k in ("xmin", "ymin", "xmax", "ymax"))
    if x0 == x1 and y0 == y1:
        return shapely.Point(x0, y0)
    if x0 == x1 or y0 == y1:
        return shapely.LineString([(x0, y0), (x1, y1)])
    return shapely.box(x0, y0, x1, y1)


def random_other(rng):
    """A point, a polyline or a polygon (clockwise) on the grid, with its shapely peer."""
    kind = rng.randrange(3)
    xy = lambda: (rng.choice(GRID + [1.5]), rng.choice(GRID + [1.5]))  # noqa: E731
    if kind == 0:
        x, y = xy()
        return {"x": x, "y": y}, shapely.Point(x, y)
    if kind == 1:
        path = [xy() for _ in range(rng.randint(2, 3))]
        while len(set(path)) < 2:
            path = [xy() for _ in range(2)]
        return {"paths": [path]}, shapely.LineString(path)
    while True:
        ring = [xy() for _ in range(rng.randint(3, 4))]
        peer = shapely.Polygon(ring)
        if peer.is_valid and peer.area > 0:
            peer = shapely.geometry.polygon.orient(peer, sign=-1.0)
            return {"rings": [list(peer.exterior.coords)]}, peer


def table(seed, count=120):
    rng = random.Random(seed)
    for _ in range(count):
        bounds = random_envelope(rng)
        yield bounds, envelope_peer(bounds), *random_other(rng)


def flat(bounds):
    return bounds["xmin"] == bounds["xmax"] or bounds["ymin"] == bounds["ymax"]


@pytest.mark.parametrize("seed", range(3))
def test_relations_and_distance_match_shapely(seed):
    flats = 0
    for bounds, envelope_peer_, value, peer in table(seed):
        envelope, other = Envelope(bounds), Geometry(value)
        flats += flat(bounds)
        for name in RELATIONS:
            assert getattr(envelope, name)(other) is bool(getattr(shapely, name)(envelope_peer_, peer)), (name, bounds, value)
            assert getattr(other, name)(envelope) is bool(getattr(shapely, name)(peer, envelope_peer_)), (name, value, bounds)
        assert envelope.distance_to(other) == pytest.approx(shapely.distance(envelope_peer_, peer), abs=1e-12)
        assert other.distance_to(envelope) == pytest.approx(shapely.distance(envelope_peer_, peer), abs=1e-12)
    assert flats > 60


def pieces_of_dimension(geometry, dimension):
    parts = getattr(geometry, "geoms", [geometry])
    return shapely.union_all([p for p in parts if shapely.get_dimensions(p) == dimension and not p.is_empty])


@pytest.mark.parametrize("seed", range(3))
def test_clip_by_a_flat_envelope_is_the_intersection_with_its_segment(seed):
    for bounds, envelope_peer_, value, peer in table(seed):
        if not flat(bounds):
            continue
        clipped = Geometry(value).clip(Envelope(bounds))
        assert type(clipped) is type(Geometry(value))
        expected = pieces_of_dimension(shapely.intersection(peer, envelope_peer_), shapely.get_dimensions(peer))
        assert shapely.equals(shapely.from_wkt(clipped.wkt), expected) or (clipped.is_empty and expected.is_empty), \
            (value, bounds, clipped)


def test_the_extent_of_a_vertical_line_meets_the_line():
    line = Geometry({"paths": [[[0.5, -1.0], [0.5, 2.0]]]})
    extent = Envelope({"xmin": 0.5, "ymin": 0.0, "xmax": 0.5, "ymax": 1.0})
    assert (line.intersects(extent), line.disjoint(extent), line.distance_to(extent)) == (True, False, 0.0)
    assert line.clip(extent).to_dict() == {"paths": [[[0.5, 0.0], [0.5, 1.0]]]}
    square = Geometry({"rings": [[[2, 0], [2, 1], [3, 1], [3, 0], [2, 0]]]})
    minus_zero = Envelope({"xmin": 0.0, "ymin": 0.0, "xmax": -0.0, "ymax": 1.0})
    assert minus_zero.distance_to(square) == 2.0
    assert math.isnan(Envelope({"xmin": math.nan, "ymin": 0, "xmax": 1, "ymax": 1}).distance_to(square))
