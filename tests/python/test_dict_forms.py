import json
import math

import pytest

import velmor_geometry as vg

pytestmark = pytest.mark.skipif(
    not all(hasattr(vg, name) for name in ("Polyline", "Polygon", "MultiPoint")),
    reason="needs the Polyline, Polygon and MultiPoint classes",
)


def first_path(vertex, **flags):
    return vg.Polyline({"paths": [[vertex]], **flags}).paths[0]


@pytest.mark.parametrize(
    "flags, vertex, text",
    [
        ({"hasZ": True}, [1, 2], "[[1, 2, NaN]]"),
        ({"hasZ": 1}, [1, 2, 5], "[[1, 2]]"),
        ({"hasZ": "true"}, [1, 2, 5], "[[1, 2]]"),
        ({"hasM": True}, [1, 2, 5], "[[1, 2, 5]]"),
        ({"hasZ": True, "hasM": True}, [1, 2, 5], "[[1, 2, 5, NaN]]"),
        ({"hasZ": True, "hasM": True}, [1, 2, 5, 7], "[[1, 2, 5, 7]]"),
        ({"hasZ": True, "hasM": True}, [1, 2, None, 7], "[[1, 2, NaN, 7]]"),
        ({"hasZ": True}, [1, 2, None], "[[1, 2, NaN]]"),
        ({"hasZ": True}, [1, 2, "high"], "[[1, 2, NaN]]"),
        ({}, [1, 2, 3, 4, 5], "[[1, 2]]"),
        ({}, [1.5, -0.0], "[[1.5, -0]]"),
    ],
)
def test_vertex_read_with_the_container_dims(flags, vertex, text):
    assert str(first_path(vertex, **flags)) == text


def test_third_item_is_m_when_the_container_has_only_m():
    coord = first_path([1, 2, 5], hasM=True)[0]
    assert (coord.z, coord.m) == (None, 5.0)


@pytest.mark.parametrize(
    "vertex, error",
    [
        ({1, 2}, TypeError),
        ("12", TypeError),
        ((1,), IndexError),
        ([1], IndexError),
        ([], IndexError),
        (["a", 2], TypeError),
        ([1, None], TypeError),
    ],
)
def test_bad_vertices_raise_the_interpreters_error(vertex, error):
    with pytest.raises(error):
        first_path(vertex)


@pytest.mark.parametrize(
    "wkt, kind",
    [
        ("POINT (1 2)", "Point"),
        ("MULTIPOINT ((1 2), (3 4))", "MultiPoint"),
        ("LINESTRING Z (0 0 1, 1 1 2)", "Polyline"),
        ("MULTILINESTRING ((0 0, 1 1), (2 2, 3 3))", "Polyline"),
        ("POLYGON ((0 0, 1 0, 1 1, 0 1, 0 0))", "Polygon"),
        ("MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)), ((5 5, 6 5, 6 6, 5 5)))", "Polygon"),
        ("POLYGON ZM ((0 0 1 2, 1 0 1 2, 1 1 1 2, 0 0 1 2))", "Polygon"),
    ],
)
def test_the_readers_dictionaries_with_tuple_positions_are_accepted(wkt, kind):
    from velmor_geometry import Geometry
    from velmor_geometry.utils import wkb_to_ovrajson_dict, wkt_to_ovrajson_dict

    d = wkt_to_ovrajson_dict(wkt)
    g = Geometry(d)
    assert type(g).__name__ == kind
    # The same geometry as the dictionary with lists for positions.
    as_lists = json.loads(json.dumps(d))
    assert g.to_dict() == Geometry(as_lists).to_dict()
    shapely = pytest.importorskip("shapely")
    assert Geometry(wkb_to_ovrajson_dict(shapely.from_wkt(wkt).wkb)).to_dict() == g.to_dict()


def test_tuple_positions_in_curve_parts_and_views():
    from velmor_geometry import Polyline

    line = Polyline({"curvePaths": [[(0, 0), {"c": [(2, 0), (1, 1)]}, (3, 0)]]})
    assert line.to_dict() == Polyline({"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}, [3, 0]]]}).to_dict()
    straight = Polyline({"paths": [[(0, 0), (1, 1)]]})
    straight.paths[0].append((4, 1))
    assert straight.to_dict()["paths"] == [[[0, 0], [1, 1], [4, 1]]]


@pytest.mark.parametrize(
    "d",
    [
        {"paths": ([[0, 0]],)},
        {"paths": [([0, 0],)]},
        {"paths": None},
        {"curvePaths": [([0, 0],)]},
    ],
)
def test_non_lists_are_refused(d):
    with pytest.raises(TypeError):
        vg.Polyline(d)


def curve_path(*segments, **flags):
    return vg.Polyline({"curvePaths": [[[0, 0], *segments]], **flags}).curve_paths[0]


@pytest.mark.parametrize(
    "segment, text",
    [
        ([3, 4], "[[0, 0], [3, 4]]"),
        ({"c": [[2, 0], [1, 1]]}, '[[0, 0], {"c": [[2, 0], [1, 1]]}]'),
        ({"c": [[2, 0], [1, 1]], "b": [[9, 9], [1, 1], [2, 2]]}, '[[0, 0], {"c": [[2, 0], [1, 1]]}]'),
        ({"a": [[4, 0], [2, 0], False, True, 0.5, 2, 0.25]}, '[[0, 0], {"a": [[4, 0], [2, 0], 0, 1, 0.5, 2, 0.25]}]'),
        ({"b": [[3, 0], [1, 1, 7], [2, 1]]}, '[[0, 0], {"b": [[3, 0], [1, 1], [2, 1]]}]'),
    ],
)
def test_curve_segment_forms(segment, text):
    assert str(curve_path(segment)) == text


def test_curve_end_vertex_takes_the_container_dims_and_auxiliary_points_stay_xy():
    part = curve_path({"c": [[2, 0, 5], [1, 1, 9]]}, hasZ=True)
    assert str(part) == '[[0, 0, NaN], {"c": [[2, 0, 5], [1, 1]]}]'


@pytest.mark.parametrize("clockwise, interior_y", [(True, 1.0), (False, -1.0)])
def test_circular_arc_given_by_its_centre_is_built_by_the_runtime(clockwise, interior_y):
    arc = curve_path({"a": [[2, 0], [1, 0], False, clockwise]})[1]
    assert type(arc) is vg.CircularArc
    assert (arc.x, arc.y) == (2.0, 0.0)
    assert math.isclose(arc.interior_x, 1.0, abs_tol=1e-12)
    assert math.isclose(arc.interior_y, interior_y, abs_tol=1e-12)


@pytest.mark.parametrize(
    "segment, error, message",
    [
        ({3, 4}, TypeError, "point_and_curve_from_py: Did not get a valid dict or list for curve/point segment"),
        ({"d": [[3, 4]]}, TypeError, "point_and_curve_from_py: Did not get a valid dict or list for curve/point segment"),
        ({"c": ([2, 0], [1, 1])}, TypeError, None),
        ({"c": [[2, 0]]}, IndexError, None),
        ({"a": [[4, 0], [2, 0], 0, True, 0.5, 2, 0.25]}, TypeError, None),
        ({"a": [[4, 0], [2, 0], False, True, "r", 2, 0.25]}, TypeError, None),
        ({"a": [[4, 0], [2, 0], False, True, 0.5]}, IndexError, None),
    ],
)
def test_bad_curve_segments(segment, error, message):
    with pytest.raises(error) as raised:
        curve_path(segment)
    if message is not None:
        assert str(raised.value) == message


@pytest.mark.parametrize("first", [{"c": [[1, 1], [0, 1]]}, "00"])
def test_curve_part_must_start_with_a_coordinate_list(first):
    with pytest.raises(ValueError) as raised:
        vg.Polyline({"curvePaths": [[first, [1, 1]]]})
    assert str(raised.value) == (
        "Tried to create curve part with a curve as the first segment- must have a regular coordinate as start vertex"
    )


def test_paths_and_curve_paths_are_both_kept():
    pl = vg.Polyline({"paths": [[[0, 0], [1, 1]]], "curvePaths": [[[5, 5], {"c": [[7, 5], [6, 6]]}]]})
    assert str(pl.paths) == "[[[0, 0], [1, 1]]]"
    assert str(pl.curve_paths) == '[[[5, 5], {"c": [[7, 5], [6, 6]]}]]'


def test_polygon_rings_are_validated():
    with pytest.raises(Exception) as raised:
        vg.Polygon({"rings": [[[0, 0], [1, 1]]]})
    assert str(raised.value) == (
        "Ring must have sufficient data to enclose an area: Linear ring requires len >= 3, but got: 2"
    )
    ring = vg.Polygon({"rings": [[[0, 0], [1, 0], [1, 1]]]}).rings[0]
    assert len(ring) == 3


def test_curve_ring_of_two_vertices_needs_a_curve():
    assert len(vg.Polygon({"curveRings": [[[0, 0], {"c": [[0, 0], [1, 1]]}]]}).curve_rings[0]) == 2
    with pytest.raises(Exception) as raised:
        vg.Polygon({"curveRings": [[[0, 0], [1, 1]]]})
    assert str(raised.value) == (
        "Ring must have sufficient data to enclose an area: "
        "Curved ring with only two vertices requires a curved segment in order to enclose an area"
    )


def test_multipoint_form():
    points = vg.MultiPoint({"points": [[1, 2, 3], [4, 5]], "hasZ": True}).points
    assert str(points) == "[[1, 2, 3], [4, 5, NaN]]"
    with pytest.raises(Exception) as raised:
        vg.MultiPoint({"paths": []})
    assert type(raised.value) is Exception
    assert str(raised.value) == "Resolution error: 'Did not find points in multipoint dict'"
    with pytest.raises(TypeError):
        vg.MultiPoint({"points": ([1, 2],)})
