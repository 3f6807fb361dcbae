"""An exception raised by a value's own __float__ or __index__ reaches the caller as the very object that
was raised, with its cause and traceback, through every setter and index of every class. A value with
no conversion at all keeps the module's own error, which names the refused property."""

import traceback

import pytest

import velmor_geometry as vg

CURVES = [[0, 0], {"c": [[2, 0], [1, 1]]}, {"a": [[4, 0], [3, 0], False, True, 0.5, 1, 0.5]}, {"b": [[6, 0], [4.5, 1], [5.5, -1]]}]


class _Raises:
    def __init__(self):
        self.cause = ValueError("root")
        self.error = KeyError("boom")

    def _raise(self):
        raise self.error from self.cause


class RaisingFloat(_Raises):
    def __float__(self):
        self._raise()


class RaisingIndex(_Raises):
    def __index__(self):
        self._raise()


def point():
    return vg.Point({"x": 1, "y": 2, "z": 3, "m": 4})


def envelope():
    return vg.Envelope({"xmin": 0, "ymin": 0, "xmax": 1, "ymax": 1, "zmin": 0, "zmax": 1, "idmin": 1, "idmax": 2})


def polyline():
    return vg.Polyline({"hasZ": True, "hasM": True, "paths": [[[0, 0, 1, 2], [1, 1, 3, 4]]], "curvePaths": [CURVES]})


def polygon():
    return vg.Polygon({"rings": [[[0, 0], [0, 1], [1, 1], [0, 0]]], "curveRings": [[[0, 0], [2, 0], {"c": [[0, 0], [1, 1]]}]]})


def multipoint():
    return vg.MultiPoint({"points": [[0, 0], [1, 1]]})


def spatial_reference():
    return vg.SpatialReference({"wkid": 4326, "vcs_wkid": 5773})


def _set(name):
    return lambda target, bad: setattr(target, name, bad)


def _on(view, write):
    """`write` applied to a view reached from the geometry."""
    return lambda target, bad: write(view(target), bad)


PATH = lambda g: g.paths[0]  # noqa: E731
CURVE_PATH = lambda g: g.curve_paths[0]  # noqa: E731
COORD = lambda g: g.paths[0][0]  # noqa: E731
ARC = lambda g: g.curve_paths[0][1]  # noqa: E731
ELLIPSE = lambda g: g.curve_paths[0][2]  # noqa: E731
BEZIER = lambda g: g.curve_paths[0][3]  # noqa: E731

FLOAT_CASES = [
    (point, _set("x")),
    (point, _set("y")),
    (point, _set("z")),
    (point, _set("m")),
    (envelope, _set("xmin")),
    (envelope, _set("ymin")),
    (envelope, _set("xmax")),
    (envelope, _set("ymax")),
    (envelope, _set("zmin")),
    (envelope, _set("zmax")),
    (envelope, _set("mmin")),
    (envelope, _set("mmax")),
    (polyline, _on(COORD, lambda c, bad: setattr(c, "x", bad))),
    (polyline, _on(COORD, lambda c, bad: setattr(c, "z", bad))),
    (polyline, _on(COORD, lambda c, bad: setattr(c, "m", bad))),
    (polyline, _on(COORD, lambda c, bad: c.__setitem__(1, bad))),
    (polyline, _on(ARC, lambda s, bad: setattr(s, "x", bad))),
    (polyline, _on(ARC, lambda s, bad: setattr(s, "interior_x", bad))),
    (polyline, _on(ARC, lambda s, bad: s.__setitem__(0, bad))),
    (polyline, _on(ELLIPSE, lambda s, bad: setattr(s, "axis", bad))),
    (polyline, _on(ELLIPSE, lambda s, bad: setattr(s, "center_y", bad))),
    (polyline, _on(BEZIER, lambda s, bad: setattr(s, "ctrl2_y", bad))),
    # Vertices handed to the views and containers.
    (polyline, _on(PATH, lambda p, bad: p.append([bad, 0, 0, 0]))),
    (polyline, _on(PATH, lambda p, bad: p.__setitem__(0, [0, bad, 0, 0]))),
    (polyline, _on(PATH, lambda p, bad: p.insert(0, [0, 0, bad, 0]))),
    (polyline, _on(PATH, lambda p, bad: p.append([0, 0, 0, bad]))),
    (polyline, _on(CURVE_PATH, lambda p, bad: p.append({"c": [[bad, 0], [1, 1]]}))),
    (polyline, lambda g, bad: setattr(g, "paths", [[[bad, 0, 0, 0], [1, 1, 1, 1]]])),
    (polygon, lambda g, bad: g.rings.append([[0, 0], [bad, 1], [1, 1], [0, 0]])),
    (multipoint, lambda g, bad: g.points.append([bad, 1])),
]

INDEX_CASES = [
    (envelope, _set("idmin")),
    (envelope, _set("idmax")),
    (spatial_reference, _set("wkid")),
    (spatial_reference, _set("latest_wkid")),
    (spatial_reference, _set("vcs_wkid")),
    (spatial_reference, _set("latest_vcs_wkid")),
    (polyline, _on(PATH, lambda p, bad: p[bad])),
    (polyline, _on(PATH, lambda p, bad: p.__setitem__(bad, [5, 5, 5, 5]))),
    (polyline, _on(PATH, lambda p, bad: p.insert(bad, [5, 5, 5, 5]))),
    (polyline, _on(PATH, lambda p, bad: p.remove(bad))),
    (polyline, _on(CURVE_PATH, lambda p, bad: p[bad])),
    (polyline, _on(CURVE_PATH, lambda p, bad: p.__setitem__(bad, [5, 5]))),
    (polyline, _on(CURVE_PATH, lambda p, bad: p.insert(bad, [5, 5]))),
    (polyline, _on(CURVE_PATH, lambda p, bad: p.remove(bad))),
    (polyline, lambda g, bad: g.paths[bad]),
    (polyline, lambda g, bad: g.paths.__setitem__(bad, [[5, 5, 5, 5]])),
    (polyline, lambda g, bad: g.paths.insert(bad, [[5, 5, 5, 5]])),
    (polyline, lambda g, bad: g.paths.remove(bad)),
    (polyline, lambda g, bad: g.curve_paths[bad]),
    (polyline, lambda g, bad: g.curve_paths.remove(bad)),
    (polygon, lambda g, bad: g.rings[bad]),
    (polygon, lambda g, bad: g.curve_rings.insert(bad, [[0, 0], [1, 1]])),
    (multipoint, lambda g, bad: g.points[bad]),
    (multipoint, lambda g, bad: g.points.remove(bad)),
    (polyline, _on(COORD, lambda c, bad: c[bad])),
    (polyline, _on(COORD, lambda c, bad: c.__setitem__(bad, 1.0))),
    (polyline, _on(ARC, lambda s, bad: s.__setitem__(bad, 1.0))),
]


@pytest.mark.parametrize(
    "make, write, raising",
    [(make, write, RaisingFloat) for make, write in FLOAT_CASES] + [(make, write, RaisingIndex) for make, write in INDEX_CASES],
    ids=[f"float{i}" for i in range(len(FLOAT_CASES))] + [f"index{i}" for i in range(len(INDEX_CASES))],
)
def test_the_raised_exception_reaches_the_caller_unchanged(make, write, raising):
    target = make()
    before = str(target)
    bad = raising()
    with pytest.raises(KeyError) as raised:
        write(target, bad)
    assert raised.value is bad.error
    assert raised.value.__cause__ is bad.cause
    assert str(raised.value) == "'boom'"
    frames = [frame.name for frame in traceback.extract_tb(raised.value.__traceback__)]
    assert "_raise" in frames
    assert str(target) == before


@pytest.mark.parametrize(
    "make, name, value, error, prefix",
    [
        (point, "x", "text", TypeError, "x_in: "),
        (point, "z", object(), TypeError, "z: "),
        (envelope, "ymax", [], TypeError, "ymax_in: "),
        (envelope, "idmin", 1.5, TypeError, "idmin: "),
        (spatial_reference, "wkid", "4326", TypeError, "wkid: "),
    ],
)
def test_a_value_without_a_conversion_keeps_the_named_type_error(make, name, value, error, prefix):
    target = make()
    with pytest.raises(error) as raised:
        setattr(target, name, value)
    assert str(raised.value).startswith(prefix)


class IndexOf:
    def __init__(self, value):
        self.value = value

    def __index__(self):
        return self.value


@pytest.mark.parametrize(
    "make, name, value",
    [(envelope, "idmax", IndexOf(-1)), (envelope, "idmin", IndexOf(2**32)), (spatial_reference, "wkid", IndexOf(-5))],
)
def test_a_converted_integer_out_of_range_is_still_named(make, name, value):
    target = make()
    with pytest.raises(OverflowError, match=f"^{name}: "):
        setattr(target, name, value)


def test_a_working_conversion_is_used():
    p = point()
    p.x = IndexOf(7)
    assert p.x == 7.0
    sr = spatial_reference()
    sr.wkid = IndexOf(3857)
    assert sr.wkid == 3857
