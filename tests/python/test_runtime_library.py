"""The runtime core library as the module finds and loads it: its exported interface, the import-time
probe under sys.prefix, and the rejection of an incomplete library. Each import runs in a fresh
interpreter whose sys.prefix is a throw-away virtual environment."""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import venv

import pytest

import velmor_geometry

ROOT = pathlib.Path(__file__).resolve().parents[2]
HEADER_DIR = ROOT / "geokern" / "include"
MODULE_DIR = pathlib.Path(velmor_geometry.__file__).resolve().parent
LIBRARY_NAME = "libgeokern.so"


def built_library() -> pathlib.Path:
    for candidate in (ROOT / "geokern_bin" / "linux-x86_64" / LIBRARY_NAME, pathlib.Path(sys.prefix) / LIBRARY_NAME):
        if candidate.is_file():
            return candidate
    pytest.skip("libgeokern.so is not built")


@pytest.fixture(scope="session")
def interface_names() -> list:
    """The 635 function names, in order, as the interface header's X-macro list expands them."""
    marker = "VELMOR_FUNCTION_NAMES"
    source = f'#include "geokern.h"\n#define NAME_OF(r, family, operation, p) GK_##family##_##operation\n{marker} GK_FUNCTIONS(NAME_OF)\n'
    expanded = subprocess.run(["cc", "-E", "-P", "-I", str(HEADER_DIR), "-x", "c", "-"], input=source,
                              capture_output=True, text=True, check=True).stdout
    return re.findall(r"\bGK_\w+", expanded.split(marker, 1)[1])


@pytest.fixture
def prefix(tmp_path) -> pathlib.Path:
    """A virtual environment without packages: its directory is sys.prefix of the interpreter it runs."""
    directory = tmp_path / "prefix"
    venv.create(directory, symlinks=True, with_pip=False)
    return directory


def run_python(prefix: pathlib.Path, code: str, **environment) -> subprocess.CompletedProcess:
    env = dict(os.environ)
    env.pop("GEOMETRY_LIB_PATH", None)
    env["PYTHONPATH"] = os.pathsep.join([str(MODULE_DIR)] + [p for p in [os.environ.get("PYTHONPATH")] if p])
    env.update(environment)
    return subprocess.run([str(prefix / "bin" / "python"), "-c", code], env=env, capture_output=True, text=True,
                          timeout=300)


IMPORT_AND_REPORT = """
import sys
try:
    import velmor_geometry
except BaseException as error:
    print("raised", type(error).__name__, str(error))
    sys.exit(0)
maps = open("/proc/self/maps").read()
print("loaded", sorted({line.split()[-1] for line in maps.splitlines() if line.endswith("libgeokern.so")}))
"""


def incomplete_library(directory: pathlib.Path, names: list, missing: str) -> pathlib.Path:
    """A library that defines every function of the interface but one."""
    source = directory / "incomplete.c"
    source.write_text("".join(f"void {name}(void) {{}}\n" for name in names if name != missing))
    library = directory / LIBRARY_NAME
    subprocess.run(["cc", "-shared", "-fPIC", "-o", str(library), str(source)], check=True)
    return library


def test_library_exports_exactly_the_interface(interface_names):
    assert len(interface_names) == 635
    assert len(set(interface_names)) == 635
    listed = subprocess.run(["nm", "-D", "--defined-only", str(built_library())], capture_output=True, text=True,
                            check=True).stdout
    exported = [line.split()[-1] for line in listed.splitlines() if line.strip()]
    assert sorted(exported) == sorted(interface_names)


def test_import_without_library_under_prefix_warns_and_continues(prefix):
    result = run_python(prefix, IMPORT_AND_REPORT)
    assert result.returncode == 0, result.stderr
    candidate = f"{prefix}/{LIBRARY_NAME}"
    assert result.stdout.startswith(
        f"Warning: was unable to find geokern lib in sys.prefix.\n Path: {candidate}\nloaded []\n")


def test_directory_under_prefix_is_not_a_file(prefix):
    (prefix / LIBRARY_NAME).mkdir()
    result = run_python(prefix, IMPORT_AND_REPORT)
    assert result.stdout.startswith(f"Warning: geokern lib at {prefix}/{LIBRARY_NAME} was not a file\nloaded []\n")


def test_library_under_prefix_is_loaded_at_import_and_wins_over_the_variable(prefix, tmp_path, interface_names):
    shutil.copy(built_library(), prefix / LIBRARY_NAME)
    # The variable names a library that could not even be loaded: it must not be looked at.
    (tmp_path / "other").mkdir()
    broken = incomplete_library(tmp_path / "other", interface_names, "GK_Vector_removeAll")
    result = run_python(prefix, IMPORT_AND_REPORT, GEOMETRY_LIB_PATH=str(broken))
    assert result.returncode == 0, result.stderr
    assert result.stdout == f"loaded ['{prefix}/{LIBRARY_NAME}']\n"


@pytest.mark.parametrize("missing", ["GK_Segment_destroy", "GK_Element_setValueFromGeometry", "GK_Vector_removeAll"])
def test_library_lacking_one_function_is_rejected(prefix, interface_names, missing):
    library = incomplete_library(prefix, interface_names, missing)
    result = run_python(prefix, IMPORT_AND_REPORT)
    assert result.returncode == 0, result.stderr
    expected = (f"raised PanicException Failed to load geokern library at {library}: "
                f"Could not obtain symbol from the library: ")
    assert result.stdout.startswith(expected), result.stdout
    assert missing in result.stdout
