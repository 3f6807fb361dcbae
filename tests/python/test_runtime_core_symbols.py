"""Every function of the runtime core's interface is defined; those still to come keep a weak "not
implemented" definition. The weak ones must be exactly the list below, so that a misspelt definition
(which would leave the weak one in place) fails here, and the list shrinks as functions become real."""

import shutil
import subprocess

import pytest

from geokern_engine import library_path

# Projection and coordinate formatting: still to come.
STILL_TO_COME = {
    *(f"GK_GeometryEngine_{name}" for name in (
        "normalizeCentralMeridian", "project", "projectWithTransformation")),
    *(f"GK_CoordinateFormatter_{direction}{form}" for direction in ("from", "to")
      for form in ("GARS", "GeoRef", "LatitudeLongitude", "MGRS", "USNG", "UTM")),
    "GK_EnvelopeBuilder_adjustForWrapAround", "GK_EnvelopeBuilder_normalize",
    "GK_EnvelopeBuilder_normalizeToEnvelope",
    "GK_PointBuilder_normalize", "GK_PointBuilder_normalizeToEnvelope", "GK_PointBuilder_normalizeToPointClosestTo",
    "GK_SpatialReference_getConvergenceAngle",
}


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


def test_the_weak_definitions_are_exactly_the_functions_still_to_come():
    symbols = dynamic_symbols()
    assert len(symbols) == 635
    weak = {name for name, kind in symbols.items() if kind in ("W", "V")}
    assert weak - STILL_TO_COME == set(), "functions defined only by their not-implemented stub"
    assert STILL_TO_COME - weak == set(), "functions now real: take them off the list"
