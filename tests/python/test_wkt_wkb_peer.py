"""Cross-check against shapely: on a generated corpus of every geometry type in 2D, Z, M and ZM, the
GeoJSON dictionaries built from WKT, ISO WKB and EWKB (both byte orders) equal those the peer builds
from the same input."""

import random

import pytest

shapely = pytest.importorskip("shapely")
from shapely.geometry import mapping  # noqa: E402

from velmor_geometry import utils  # noqa: E402

DIMENSIONS = {"": (False, False), "Z": (True, False), "M": (False, True), "ZM": (True, True)}


def number(rng):
    kind = rng.random()
    if kind < 0.2:
        return float(rng.randint(-1000, 1000))
    if kind < 0.25:
        return rng.choice([1e-300, -2.5e300, 0.1, -0.0, 123456789.123456789])
    return rng.uniform(-1e6, 1e6)


def position(rng, size):
    return tuple(number(rng) for _ in range(size))


def ring(rng, size):
    points = [position(rng, size) for _ in range(rng.randint(3, 8))]
    return points + [points[0]]


def text(points):
    return "(" + ", ".join(" ".join(repr(v) for v in p) for p in points) + ")"


def keyword(rng, word):
    return rng.choice([word, word.lower(), word.capitalize()])


def geometry_wkt(rng, kind, dimension, depth=0):
    """WKT of one random geometry of the kind, with the dimension keyword spelt out."""
    size = 2 + len(dimension)
    head = keyword(rng, kind) + (" " + dimension if dimension else "")
    if kind == "POINT":
        return head + " " + text([position(rng, size)])
    if kind == "LINESTRING":
        return head + " " + text([position(rng, size) for _ in range(rng.randint(2, 6))])
    if kind == "POLYGON":
        return head + " (" + ", ".join(text(ring(rng, size)) for _ in range(rng.randint(1, 3))) + ")"
    if kind == "MULTIPOINT":
        points = [position(rng, size) for _ in range(rng.randint(1, 5))]
        if rng.random() < 0.5:
            return head + " " + text(points)
        return head + " (" + ", ".join(text([p]) for p in points) + ")"
    if kind == "MULTILINESTRING":
        lines = [[position(rng, size) for _ in range(rng.randint(2, 4))] for _ in range(rng.randint(1, 3))]
        return head + " (" + ", ".join(text(line) for line in lines) + ")"
    if kind == "MULTIPOLYGON":
        polygons = [[ring(rng, size) for _ in range(rng.randint(1, 2))] for _ in range(rng.randint(1, 3))]
        return head + " (" + ", ".join("(" + ", ".join(text(r) for r in p) + ")" for p in polygons) + ")"
    members = [rng.choice(KINDS[:-1] if depth else KINDS) for _ in range(rng.randint(1, 4))]
    return head + " (" + ", ".join(geometry_wkt(rng, m, dimension, depth + 1) for m in members) + ")"


KINDS = ["POINT", "LINESTRING", "POLYGON", "MULTIPOINT", "MULTILINESTRING", "MULTIPOLYGON", "GEOMETRYCOLLECTION"]
EMPTIES = ["POINT EMPTY", "LINESTRING EMPTY", "POLYGON EMPTY", "MULTIPOINT EMPTY", "MULTILINESTRING EMPTY",
           "MULTIPOLYGON EMPTY", "GEOMETRYCOLLECTION EMPTY", "POINT Z EMPTY"]


def corpus():
    rng = random.Random(20261210)
    cases = [(wkt, "") for wkt in EMPTIES]
    for kind in KINDS:
        for dimension in DIMENSIONS:
            cases += [(geometry_wkt(rng, kind, dimension), dimension) for _ in range(12)]
    return cases


CORPUS = corpus()


def as_tuples(value):
    if isinstance(value, (list, tuple)):
        return tuple(as_tuples(v) for v in value)
    if isinstance(value, dict):
        return {k: as_tuples(v) for k, v in value.items() if k not in ("meta", "crs")}
    return value


def peer_geojson(geometry, accessors_only=False):
    """shapely's mapping where it carries every measure (2D, Z); for M and ZM the same structure built
    from shapely's own coordinate accessors, which include m."""
    has_z, has_m = bool(shapely.has_z(geometry)), bool(shapely.has_m(geometry))
    if not has_m and not accessors_only:
        return as_tuples(mapping(geometry))

    def coords(g):
        return as_tuples(shapely.get_coordinates(g, include_z=has_z, include_m=has_m).tolist())

    def parts(g):
        kind = g.geom_type
        if g.is_empty:
            return ()
        if kind == "Point":
            return coords(g)[0]
        if kind == "LineString":
            return coords(g)
        if kind == "Polygon":
            return (coords(g.exterior),) + tuple(coords(r) for r in g.interiors)
        return tuple(parts(p) for p in g.geoms)

    if geometry.geom_type == "GeometryCollection":
        members = tuple(peer_geojson(g, accessors_only) for g in geometry.geoms)
        return {"type": "GeometryCollection", "geometries": members}
    return {"type": geometry.geom_type, "coordinates": parts(geometry)}


@pytest.mark.parametrize("wkt, dimension", CORPUS, ids=[c[0][:40] for c in CORPUS])
def test_same_geojson_as_the_peer(wkt, dimension):
    geometry = shapely.from_wkt(wkt)
    expected = peer_geojson(geometry)
    assert (bool(shapely.has_z(geometry)), bool(shapely.has_m(geometry))) == DIMENSIONS[dimension] or geometry.is_empty

    assert as_tuples(utils.wkt_to_geojson_dict(wkt)) == expected
    for byte_order in (0, 1):
        iso = shapely.to_wkb(geometry, flavor="iso", byte_order=byte_order)
        assert as_tuples(utils.wkb_to_geojson_dict(iso)) == expected
        ewkb = shapely.to_wkb(shapely.set_srid(geometry, 3857), flavor="extended", include_srid=True,
                              byte_order=byte_order)
        result = utils.wkb_to_geojson_dict(ewkb)
        assert as_tuples(result) == expected
        assert result["meta"] == {"srid": 3857}


def test_the_m_reference_agrees_with_mapping_where_both_apply():
    for wkt, dimension in CORPUS:
        if "M" not in dimension:
            geometry = shapely.from_wkt(wkt)
            assert peer_geojson(geometry, accessors_only=True) == as_tuples(mapping(geometry)), wkt
