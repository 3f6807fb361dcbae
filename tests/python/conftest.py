import os

import velmor_geometry


def pytest_report_header(config):
    return (f"velmor_geometry {velmor_geometry.__version__} from {velmor_geometry.__file__}, "
            f"runtime core {_loaded_runtime_core()}")


def _loaded_runtime_core():
    """The path of the libgeokern.so mapped into this process, after an operation that needs it."""
    velmor_geometry.Point({"x": 1, "y": 2}).JSON
    with open("/proc/self/maps") as maps:
        return next((line.split()[-1] for line in maps if line.rstrip().endswith("/libgeokern.so")), None)


if os.environ.get("VELMOR_SANITIZED_BUILD"):
    # The sanitizer run must exercise the instrumented module and runtime core, not the release ones.
    assert "build/sanitize" in velmor_geometry.__file__, velmor_geometry.__file__
    _core = _loaded_runtime_core()
    assert _core is not None and "build/sanitize" in _core, _core
    print(f"runtime core under test: {_core}")
