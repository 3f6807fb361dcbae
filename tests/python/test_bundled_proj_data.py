"""PROJ data carried beside the runtime core, as a self-contained wheel installs it under sys.prefix: the
runtime core starts with it as the projection engine directory unless the user chose PROJ's data directory
through PROJ's own variables, and PROJ reads its database there first. Each case runs in a fresh
interpreter whose sys.prefix is a throw-away virtual environment holding a copy of the built library."""
import json
import pathlib
import shutil
import subprocess

import pytest

from test_runtime_library import LIBRARY_NAME, built_library, prefix, run_python  # noqa: F401

BUNDLED = pathlib.Path("share", "geokern", "proj")

REPORT = """
import json
import velmor_geometry as vg
from velmor_geometry import projection
def sr_works():
    try:
        vg.Point({"x": 1, "y": 2, "spatialReference": {"wkid": 4326}}).project(vg.SpatialReference({"wkid": 3857}))
        return True
    except Exception:
        return False
report = {"start": projection.get_projection_engine_dir(), "works": sr_works()}
projection.set_projection_engine_dir(%r)
report["set"] = projection.get_projection_engine_dir()
projection.set_projection_engine_dir(None)
report["cleared"] = projection.get_projection_engine_dir()
print(json.dumps(report))
"""


def system_proj_data() -> pathlib.Path:
    found = subprocess.run(["pkg-config", "--variable=datadir", "proj"], capture_output=True, text=True).stdout
    directory = pathlib.Path(found.strip() or "/usr/share/proj")
    if not (directory / "proj.db").is_file():
        pytest.skip("PROJ's database is not installed")
    return directory


@pytest.fixture
def installed(prefix):  # noqa: F811
    """sys.prefix holding the runtime core and, below it, a directory for PROJ's data."""
    shutil.copy(built_library(), prefix / LIBRARY_NAME)
    (prefix / BUNDLED).mkdir(parents=True)
    return prefix


def report(prefix, tmp_path, **environment) -> dict:
    for variable in ("PROJ_DATA", "PROJ_LIB"):
        environment.setdefault(variable, "")
    result = run_python(prefix, REPORT % str(tmp_path), **environment)
    assert result.returncode == 0, result.stderr
    return json.loads(result.stdout.splitlines()[-1])


def test_the_carried_database_is_the_projection_engine_directory_and_clearing_returns_to_it(installed, tmp_path):
    (installed / BUNDLED / "proj.db").symlink_to(system_proj_data() / "proj.db")
    bundled = str(installed / BUNDLED)
    assert report(installed, tmp_path) == {"start": bundled, "works": True, "set": str(tmp_path), "cleared": bundled}


@pytest.mark.parametrize("variable", ["PROJ_DATA", "PROJ_LIB"])
def test_the_users_choice_of_proj_data_wins_over_the_carried_database(installed, tmp_path, variable):
    (installed / BUNDLED / "proj.db").write_bytes(b"")
    chosen = report(installed, tmp_path, **{variable: str(system_proj_data())})
    assert chosen == {"start": None, "works": True, "set": str(tmp_path), "cleared": None}


def test_proj_reads_the_carried_database_before_its_own(installed, tmp_path):
    # An empty database where the wheel's copy lies: PROJ must open it, and then knows no system at all.
    (installed / BUNDLED / "proj.db").write_bytes(b"")
    system_proj_data()
    assert report(installed, tmp_path)["works"] is False


def test_no_database_no_directory(installed, tmp_path):
    assert report(installed, tmp_path) == {"start": None, "works": True, "set": str(tmp_path), "cleared": None}
