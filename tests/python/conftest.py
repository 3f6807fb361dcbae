import os

import velmor_geometry


def pytest_report_header(config):
    return f"velmor_geometry {velmor_geometry.__version__} from {velmor_geometry.__file__}"


if os.environ.get("VELMOR_SANITIZED_BUILD"):
    # The sanitizer run must exercise the instrumented module, not the release one in the venv.
    assert "build/sanitize" in velmor_geometry.__file__, velmor_geometry.__file__
