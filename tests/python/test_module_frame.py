import importlib
import inspect
import sys

import pytest

import velmor_geometry


def test_version_is_the_package_version():
    assert velmor_geometry.__version__ == "1.0.284"
    assert isinstance(velmor_geometry.__version__, str)


def test_main_all_ends_with_submodules_and_version():
    assert velmor_geometry.__all__[-3:] == ["projection", "utils", "__version__"]
    for name in velmor_geometry.__all__:
        assert hasattr(velmor_geometry, name), name


@pytest.mark.parametrize(
    "short, docstring",
    [
        ("projection", "Projection and datum transformation utilities for Velmor geometries"),
        ("utils", "Utility functions for Velmor geometries"),
    ],
)
def test_submodules_are_published_once(short, docstring):
    submodule = getattr(velmor_geometry, short)
    assert sys.modules[f"velmor_geometry.{short}"] is submodule
    assert importlib.import_module(f"velmor_geometry.{short}") is submodule
    assert submodule.__name__ == short
    assert submodule.__doc__ == docstring


def test_main_docstring_and_reimport():
    assert velmor_geometry.__doc__.startswith(
        "High-performance Python geographic geometry library for the Velmor platform"
    )
    import velmor_geometry as again

    assert again is velmor_geometry


def test_utils_functions_report_their_short_module_and_signature():
    from velmor_geometry.utils import is_clockwise

    assert velmor_geometry.utils.__all__[0] == "is_clockwise"
    assert is_clockwise.__module__ == "utils"
    assert str(inspect.signature(is_clockwise)) == "(coords)"
    assert is_clockwise.__text_signature__ == "(coords)"


def test_panic_exception_is_reachable_but_not_exported():
    panic = velmor_geometry.PanicException
    assert panic.__mro__[1] is BaseException
    assert not issubclass(panic, Exception)
    assert "PanicException" not in velmor_geometry.__all__


def test_subinterpreter_import_is_refused():
    interpreters = pytest.importorskip("_xxsubinterpreters")
    interp = interpreters.create()
    try:
        with pytest.raises(Exception, match="subinterpreter"):
            interpreters.run_string(interp, "import velmor_geometry")
    finally:
        interpreters.destroy(interp)
