"""A real database: our EWKB stored in PostGIS, which measures the geometries (type, points, area,
length) and gives them back as ISO WKB and EWKB for our readers. The test starts its own PostgreSQL
cluster in a temporary directory, once per session, as an unprivileged user (initdb refuses root), and
stops it afterwards; when no server can be started it is skipped with the reason."""

import glob
import os
import re
import shutil
import socket
import subprocess
import tempfile

import pytest

from velmor_geometry import Geometry

H = 0.5 ** 0.5
# The sanitizer run preloads its runtime for our module; the database's own programs must not inherit it
# (initdb under a preloaded address sanitizer does not finish).
SANITIZER_VARIABLES = ("LD_PRELOAD", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS")


def run(command, user=None, **kwargs):
    if user is not None:
        command = ["runuser", "-u", user, "--"] + command
    environment = {name: value for name, value in os.environ.items() if name not in SANITIZER_VARIABLES}
    return subprocess.run(command, capture_output=True, text=True, timeout=120, env=environment, **kwargs)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Database:
    def __init__(self, bindir, socket_dir, port, user):
        self.bindir, self.socket_dir, self.port, self.user = bindir, socket_dir, port, user

    def query(self, sql):
        done = run([os.path.join(self.bindir, "psql"), "-h", self.socket_dir, "-p", str(self.port), "-U", "postgres",
                    "-d", "postgres", "-X", "-A", "-t", "-F", "|", "-v", "ON_ERROR_STOP=1", "-c", sql], user=self.user)
        if done.returncode != 0:
            raise AssertionError(f"psql failed: {done.stderr}")
        return [line.split("|") for line in done.stdout.splitlines() if line]


def start_cluster(base):
    binaries = sorted(glob.glob("/usr/lib/postgresql/*/bin/initdb"))
    if not binaries:
        return None, "no PostgreSQL server binaries under /usr/lib/postgresql"
    if not glob.glob("/usr/share/postgresql/*/extension/postgis.control"):
        return None, "the PostGIS extension is not installed"
    bindir = os.path.dirname(binaries[-1])
    user = None
    if os.geteuid() == 0:
        user = "postgres"
        shutil.chown(base, user)
    data, sockets = os.path.join(base, "data"), os.path.join(base, "sockets")
    for directory in (data, sockets):
        os.mkdir(directory)
        if user:
            shutil.chown(directory, user)
    done = run([os.path.join(bindir, "initdb"), "-D", data, "-U", "postgres", "--auth=trust", "-E", "UTF8"], user=user)
    if done.returncode != 0:
        return None, f"initdb failed: {done.stderr.strip()}"
    port = free_port()
    options = f"-k {sockets} -p {port} -c listen_addresses='' -c fsync=off"
    done = run([os.path.join(bindir, "pg_ctl"), "-D", data, "-o", options, "-l", os.path.join(base, "log"), "-w",
                "start"], user=user)
    if done.returncode != 0:
        return None, f"the server did not start: {done.stderr.strip()} {done.stdout.strip()}"
    return (Database(bindir, sockets, port, user), data), None


@pytest.fixture(scope="session")
def postgis():
    # Not under pytest's own temporary root, which only its owner may enter.
    base = tempfile.mkdtemp(prefix="velmor-postgis-")
    try:
        started, reason = start_cluster(base)
        if started is None:
            pytest.skip(reason)
        database, data = started
        try:
            database.query("CREATE EXTENSION postgis")
            yield database
        finally:
            run([os.path.join(database.bindir, "pg_ctl"), "-D", data, "-m", "fast", "-w", "stop"], user=database.user)
    finally:
        shutil.rmtree(base, ignore_errors=True)


CASES = [
    # (dictionary, PostGIS type, relative tolerance of the area: PostGIS measures curved polygons along
    # 32 chords per quarter circle, which lose about a thousandth of a half disc)
    ({"x": 1.5, "y": -2, "z": 3}, "ST_Point", 0),
    ({"points": [[1, 2, 5], [3, 4, 6]], "hasM": True}, "ST_MultiPoint", 0),
    ({"paths": [[[0.1, 0.2], [3, 4], [3, 8]]]}, "ST_LineString", 0),
    ({"paths": [[[0, 0, 1, 2], [3, 4, 5, 6]], [[1, 1, 1, 1], [2, 2, 2, 2]]], "hasZ": True, "hasM": True},
     "ST_MultiLineString", 0),
    ({"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]], [[2, 2], [4, 2], [4, 4], [2, 2]]]}, "ST_Polygon", 0),
    ({"rings": [[[0, 0], [0, 1], [1, 1], [1, 0], [0, 0]], [[5, 5], [5, 7], [7, 7], [5, 5]]]}, "ST_MultiPolygon", 0),
    ({"curvePaths": [[[0, 0], {"c": [[2, 0], [1 - H, H]]}, {"c": [[4, 0], [3, -1]]}]]}, "ST_CircularString", 0),
    ({"curvePaths": [[[-1, 0, 9], [0, 0, 9], {"c": [[2, 0, 9], [1, 1]]}]], "hasZ": True}, "ST_CompoundCurve", 0),
    ({"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}]], "paths": [[[5, 5], [6, 6]]]}, "ST_MultiCurve", 0),
    ({"curveRings": [[[0, 0], {"c": [[2, 0], [1, 1]]}, [0, 0]]]}, "ST_CurvePolygon", 1e-3),
    ({"curveRings": [[[-5, -5], [-5, 5], [5, 5], [5, -5], [-5, -5]], [[0, 0], {"c": [[2, 0], [1, -1]]}, [0, 0]]]},
     "ST_CurvePolygon", 1e-3),
    ({"curveRings": [[[0, 0], {"c": [[4, 0], [2, 2]]}, [0, 0]]], "rings": [[[10, 10], [10, 11], [11, 11], [10, 10]]]},
     "ST_MultiSurface", 1e-3),
]


def point_count(wkt):
    """Vertices as PostGIS counts them: every coordinate of every piece."""
    numbers = len(re.findall(r"-?\d+(?:\.\d+)?|NaN", wkt))
    keyword = re.match(r"\w+ (ZM|Z|M)? ?\(", wkt)
    dims = {"ZM": 4, "Z": 3, "M": 3}.get(keyword.group(1) if keyword else None, 2)
    return numbers // dims


def test_postgis_measures_and_returns_what_we_store(postgis):
    geometries = [Geometry({**data, "spatialReference": {"wkid": 3857}}) for data, _, _ in CASES]
    rows = " UNION ALL ".join(
        f"SELECT {i} AS i, ST_GeomFromEWKB(decode('{g.ewkb.hex()}', 'hex')) AS g" for i, g in enumerate(geometries))
    results = postgis.query(
        "SELECT i, ST_GeometryType(g), ST_NPoints(g), ST_Area(g), ST_Length(g), ST_SRID(g), "
        f"encode(ST_AsBinary(g), 'hex'), encode(ST_AsEWKB(g, 'NDR'), 'hex') FROM ({rows}) s ORDER BY i")
    assert len(results) == len(CASES)
    for (data, kind, area_tolerance), g, row in zip(CASES, geometries, results):
        _, geometry_type, npoints, area, length, srid, wkb, ewkb = row
        assert (geometry_type, int(npoints), int(srid)) == (kind, point_count(g.wkt), 3857), data
        # Polygons are measured by area (their ST_Length is 0), everything else by length; arcs exactly.
        is_polygon = kind in ("ST_Polygon", "ST_MultiPolygon", "ST_CurvePolygon", "ST_MultiSurface")
        assert float(area) == pytest.approx(g.area if is_polygon else 0.0, rel=area_tolerance, abs=1e-12), data
        if not is_polygon and kind not in ("ST_Point", "ST_MultiPoint"):
            assert float(length) == pytest.approx(g.length, rel=1e-12), data
        # What PostGIS gives back is what we wrote, byte for byte.
        assert bytes.fromhex(wkb) == g.wkb, data
        assert bytes.fromhex(ewkb) == g.ewkb, data


@pytest.mark.parametrize("data", [case[0] for case in CASES[:6]])
def test_our_readers_read_what_postgis_writes(postgis, data):
    g = Geometry({**data, "spatialReference": {"wkid": 3857}})
    [(wkb, ewkb, wkt)] = postgis.query(
        f"SELECT encode(ST_AsBinary(g, 'XDR'), 'hex'), encode(ST_AsEWKB(g, 'XDR'), 'hex'), ST_AsText(g, 17) "
        f"FROM (SELECT ST_GeomFromEWKB(decode('{g.ewkb.hex()}', 'hex')) AS g) s")
    plain = Geometry({**data})
    assert str(Geometry.from_wkb(bytes.fromhex(wkb))) == str(plain)
    assert str(Geometry.from_wkb(bytes.fromhex(ewkb))) == str(g)
    assert str(Geometry.from_wkt(wkt)) == str(plain)


@pytest.mark.parametrize("data", [case[0] for case in CASES[6:]])
def test_our_readers_read_the_curves_postgis_writes(postgis, data):
    g = Geometry({**data, "spatialReference": {"wkid": 3857}})
    [(ewkb,)] = postgis.query(
        f"SELECT encode(ST_AsEWKB(g, 'XDR'), 'hex') FROM (SELECT ST_GeomFromEWKB(decode('{g.ewkb.hex()}', 'hex')) AS g) s")
    assert Geometry.from_wkb(bytes.fromhex(ewkb)).ewkb == g.ewkb
