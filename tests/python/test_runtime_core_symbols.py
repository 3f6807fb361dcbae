"""Every function of the runtime core's interface is defined, by a real, strong definition: a misspelt
definition or a forgotten one leaves a name out of the library's exports and fails here."""

import shutil
import subprocess

import pytest

from geokern_engine import library_path

def dynamic_symbols():
    nm = shutil.which("nm")
    if nm is None:
        pytest.skip("nm is not installed")
    listing = subprocess.run([nm, "-D", "--defined-only", str(library_path())], capture_output=True, text=True,
                             check=True).stdout
    symbols = {}
    for line in listing.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[2].startswith("GK_"):
            symbols[parts[2]] = parts[1]
    return symbols

def test_every_interface_function_is_exported_by_a_real_definition():
    symbols = dynamic_symbols()
    assert len(symbols) == 635
    assert {name for name, kind in symbols.items() if kind not in ("T", "t")} == set()
