"""The type stubs written from the module under test type-check real use, and catch misuse."""
import os
import pathlib
import shutil
import subprocess
import sys
import textwrap

import pytest

pytest.importorskip("mypy")

ROOT = pathlib.Path(__file__).resolve().parents[2]

USE = """\
import velmor_geometry as vg
from velmor_geometry import GeodeticCurveType, Geometry, LinearUnitId, Polygon
from velmor_geometry.utils import is_clockwise

square = Polygon({"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]]})
area: float = square.calculate_area()
inside: bool = square.contains(square)
ring: Polygon = square.buffer(1.0, LinearUnitId.Meters, 0.1, GeodeticCurveType.Geodesic)
pieces: list[Geometry] = square.cut(vg.Polyline({"paths": [[[0, 0], [1, 1]]]}))
x: float = square.rings[0][0].x
z: float | None = square.rings[0][0].z
picture: str = square._repr_svg_()
factory: Geometry = Geometry({"x": 1, "y": 2})
total: float = vg.area_collection([square])
clockwise: bool = is_clockwise([(0, 0), (0, 1), (1, 1)])
square.spatial_reference = {"wkid": 4326}
roads = [vg.Polyline({"paths": [[[0, 0], [1, 1]]]})]
zone: Geometry = Geometry.union_collection(Geometry.buffer_collection(roads, [250.0], False))
merged: Polygon = Geometry.buffer_collection(roads, [250.0], True)
text: str = Geometry.from_wkt("POINT (1 2)").wkt
data: bytes = Geometry.from_wkb(b"").wkb
shape: dict[str, object] = Geometry.from_geojson({"type": "Point", "coordinates": [1, 2]}).__geo_interface__
polygon: Polygon = Polygon.from_wkt("POLYGON ((0 0, 0 1, 1 1, 0 0))")
hectares: float = square.calculate_area(unit=vg.AreaUnit(vg.AreaUnitId.SquareMeters))
x, y = square.rings[0][0]
"""

# Each line is one misuse; mypy must report an error on exactly these lines.
MISUSE = """\
import velmor_geometry as vg
square = vg.Polygon({"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]]})
text: str = square.calculate_area()
square.buffer("far")
square.contains(1.0)
square.has_z = True
vg.Part.append(square.rings[0], 1, 2)
square.spatial_reference = vg.SpatialReference({"wkid": 4326})
many: list[vg.Polygon] = vg.Geometry.buffer_collection([square], [1.0], True)
"""


@pytest.fixture(scope="module")
def stub_path(tmp_path_factory):
    """The stubs of the module under test, laid out as a package mypy finds on MYPYPATH."""
    out = tmp_path_factory.mktemp("stubs")
    subprocess.run([sys.executable, str(ROOT / "tools" / "gen_stubs.py"), str(out)], check=True,
                   capture_output=True, env=os.environ)
    shutil.move(out / "velmor_geometry-stubs", out / "velmor_geometry")
    return out


def mypy_errors(stub_path, tmp_path, source):
    program = tmp_path / "program.py"
    program.write_text(textwrap.dedent(source))
    run = subprocess.run([sys.executable, "-m", "mypy", "--no-incremental", "--cache-dir", os.devnull,
                          "--no-error-summary", "--hide-error-context", str(program)],
                         capture_output=True, text=True, cwd=tmp_path, env={**os.environ, "MYPYPATH": str(stub_path)})
    return [line for line in run.stdout.splitlines() if ": error:" in line]


def test_stubs_accept_real_use(stub_path, tmp_path):
    assert mypy_errors(stub_path, tmp_path, USE) == []


def test_stubs_catch_misuse(stub_path, tmp_path):
    lines = {int(error.split(":")[1]) for error in mypy_errors(stub_path, tmp_path, MISUSE)}
    assert lines == {3, 4, 5, 6, 7, 8, 9}
