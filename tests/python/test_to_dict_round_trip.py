"""Geometry(g.to_dict()) gives g back exactly, with NaN and infinite z, m and coordinates and negative
zero: the runtime core writes them as NaN, Infinity, -Infinity and -0.0, which json.loads reads as
the same floats. An empty point's coordinates are NaN."""

import json
import math

import pytest

from velmor_geometry import Geometry

NAN, INF = math.nan, math.inf

CASES = [
    {"x": 1, "y": 2, "z": NAN, "m": INF},
    {"x": -0.0, "y": INF, "z": -INF},
    {"x": 1, "y": 2, "m": NAN},
    {"hasZ": True, "hasM": True, "paths": [[[0, 0, NAN, INF], [-0.0, 1, -INF, NAN]]]},
    {"hasZ": True, "rings": [[[0, 0, INF], [0, 1, NAN], [1, 1, -0.0], [0, 0, INF]]]},
    {"hasM": True, "points": [[INF, 1, NAN], [-INF, -0.0, 2]]},
    {"hasZ": True, "curvePaths": [[[0, 0, NAN], {"c": [[2, 0, INF], [1, 1]]}]]},
    {"xmin": -INF, "ymin": -0.0, "xmax": INF, "ymax": 1, "zmin": NAN, "zmax": INF, "mmin": 1, "mmax": NAN},
]


def _same_text(a, b):
    return str(a) == str(b)


@pytest.mark.parametrize("d", CASES, ids=range(len(CASES)))
def test_to_dict_gives_the_geometry_back(d):
    g = Geometry(d)
    again = Geometry(g.to_dict())
    assert type(again) is type(g)
    assert _same_text(again, g), (str(again), str(g))
    # The text is readable by our own reader too.
    assert json.dumps(Geometry(g.JSON).to_dict()) == json.dumps(g.to_dict())


def test_an_empty_point_comes_back_empty():
    empty = Geometry({"x": NAN, "y": NAN})
    assert math.isnan(empty.to_dict()["x"])
    assert Geometry(empty.to_dict()).is_empty
