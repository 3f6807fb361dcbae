"""Whether the runtime core can write and read OvraJSON yet; tests of those paths skip only while it
reports the functions as not implemented."""

import functools

import pytest


@functools.cache
def _missing_json_support():
    from velmor_geometry import Geometry, Point

    for probe in (lambda: Point({"x": 1, "y": 2}).JSON, lambda: Geometry('{"x": 1, "y": 2}')):
        try:
            probe()
        except Exception as error:  # noqa: BLE001 - only the not-implemented report is tolerated
            if "not implemented" in str(error):
                return str(error)
            raise
    return None


def require_runtime_json():
    missing = _missing_json_support()
    if missing:
        pytest.skip(f"runtime core does not handle OvraJSON text yet: {missing}")
