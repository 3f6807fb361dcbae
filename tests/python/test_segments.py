import pytest

import velmor_geometry as vg

pytestmark = pytest.mark.skipif(not hasattr(vg, "Polyline"), reason="needs the Polyline class")

CURVES = [
    [0, 0],
    {"c": [[2, 0], [1, 1]]},
    {"a": [[4, 0], [3, 0], False, True, 0.5, 1, 0.5]},
    {"b": [[6, 0], [4.5, 1], [5.5, -1]]},
]


def path(*vertices, **flags):
    return vg.Polyline({"paths": [list(vertices)], **flags}).paths[0]


@pytest.fixture
def curve_part():
    return vg.Polyline({"curvePaths": [CURVES]}).curve_paths[0]


def test_coord_writes_back_through_its_link():
    part = path([0, 0], [1, 1])
    coord = part[0]
    coord.x = 9
    coord[1] = 8
    assert (coord.x, coord.y) == (9.0, 8.0)
    assert str(part) == "[[9, 8], [1, 1]]"
    popped = part.pop()
    popped.x = 7
    assert str(part) == "[[9, 8]]"
    assert popped.x == 7.0


def test_write_back_after_the_part_shrank_changes_only_the_copy():
    part = path([0, 0], [1, 1])
    coord = part[1]
    part.remove(1)
    coord.y = 5
    assert coord.y == 5.0
    assert str(part) == "[[0, 0]]"


def test_copy_is_not_refreshed_from_the_part():
    part = path([0, 0])
    first, second = part[0], part[0]
    first.x = 3
    assert second.x == 0.0
    assert part[0].x == 3.0


@pytest.mark.parametrize(
    "flags, vertex, z, m, buffer",
    [
        ({}, [1, 2], None, None, [1.0, 2.0]),
        ({"hasZ": True}, [1, 2, 3], 3.0, None, [1.0, 2.0, 3.0]),
        ({"hasM": True}, [1, 2, 4], None, 4.0, [1.0, 2.0, 4.0]),
        ({"hasZ": True, "hasM": True}, [1, 2, 3, 4], 3.0, 4.0, [1.0, 2.0, 3.0, 4.0]),
    ],
)
def test_coord_reads_its_dims(flags, vertex, z, m, buffer):
    coord = path(vertex, **flags)[0]
    assert (coord.z, coord.m) == (z, m)
    assert len(coord) == len(buffer)
    assert [coord[i] for i in range(len(coord))] == buffer
    assert coord[-1] == buffer[-1]
    with pytest.raises(IndexError) as raised:
        coord[len(buffer)]
    assert str(raised.value) == f"Index {len(buffer)} out of bounds, Coord has {len(buffer)} elements"


@pytest.mark.parametrize(
    "flags, vertex, shown",
    [
        ({}, [1, 2], "Coord(x=1.0, y=2.0)"),
        ({"hasZ": True}, [1, 2.5, -3], "Coord(x=1.0, y=2.5, z=-3.0)"),
        ({"hasM": True}, [1, 2, float("nan")], "Coord(x=1.0, y=2.0, m=nan)"),
        ({"hasZ": True, "hasM": True}, [0.1, 2, 3, 4], "Coord(x=0.1, y=2.0, z=3.0, m=4.0)"),
    ],
)
def test_coord_unpacks_and_shows_its_values(flags, vertex, shown):
    coord = path(vertex, **flags)[0]
    assert repr(coord) == shown
    values = tuple(coord)
    assert values == pytest.approx(tuple(float(v) for v in vertex), nan_ok=True)
    assert all(type(v) is float for v in values)
    x, y, *rest = coord
    assert (x, y) == (vertex[0], vertex[1]) and len(rest) == len(vertex) - 2


def test_numpy_reads_a_part_as_its_coordinates():
    np = pytest.importorskip("numpy")
    ring = [[0, 0], [0, 1.5], [2, 1], [0, 0]]
    array = np.asarray(vg.Polygon({"rings": [ring]}).rings[0])
    assert array.dtype == np.float64 and array.tolist() == ring
    zm = path([1, 2, 3, 4], hasZ=True, hasM=True)
    assert np.asarray(zm).tolist() == [[1, 2, 3, 4]]
    assert np.asarray(zm[0]).tolist() == [1, 2, 3, 4]


@pytest.mark.parametrize(
    "flags, write, message",
    [
        ({"hasM": True}, lambda c: setattr(c, "z", 1), "Tried to set z value on coord with dims: xym"),
        ({}, lambda c: setattr(c, "m", 1), "Tried to set m value on coord with dims: xy"),
        ({"hasZ": True}, lambda c: setattr(c, "m", 1), "Tried to set m value on coord with dims: xyz"),
        (
            {"hasZ": True},
            lambda c: c.__setitem__(3, 1.0),
            "Failed index based access to coord with dims: xyz, buffer representation len: 3, idx: 3",
        ),
    ],
)
def test_invalid_dims_writes_change_nothing(flags, write, message):
    part = path([1, 2, 3], **flags)
    before = str(part)
    with pytest.raises(Exception) as raised:
        write(part[0])
    assert type(raised.value) is Exception
    assert str(raised.value) == "Invalid dims for operation: " + message
    assert str(part) == before


def test_xym_index_two_is_m():
    part = path([1, 2, 4], hasM=True)
    coord = part[0]
    assert coord[2] == coord.m == 4.0
    coord[2] = 6
    coord.m = 7
    assert str(part) == "[[1, 2, 7]]"
    coord_xyzm = path([1, 2, 3, 4], hasZ=True, hasM=True)[0]
    coord_xyzm.z = 30
    assert coord_xyzm.m == 4.0


@pytest.mark.parametrize(
    "write, error",
    [
        (lambda c: c.__setitem__(-1, 1.0), OverflowError),
        (lambda c: c.__setitem__("0", 1.0), TypeError),
        (lambda c: setattr(c, "x", "1"), TypeError),
        (lambda c: c.__delitem__(0), NotImplementedError),
        (lambda c: delattr(c, "x"), AttributeError),
    ],
)
def test_refused_coord_writes(write, error):
    part = path([1, 2])
    with pytest.raises(error) as raised:
        write(part[0])
    if error is NotImplementedError:
        assert str(raised.value) == "can't delete item"
    if error is AttributeError:
        assert str(raised.value) == "can't delete attribute"
    assert str(part) == "[[1, 2]]"


def test_segment_classes_and_attributes(curve_part):
    linear, arc, ellipse, bezier = curve_part
    assert [type(s) for s in curve_part] == [vg.Linear, vg.CircularArc, vg.EllipticArc, vg.BezierCurve]
    assert (arc.interior_x, arc.interior_y) == (1.0, 1.0)
    assert (ellipse.center_x, ellipse.center_y, ellipse.rotation, ellipse.axis, ellipse.ratio) == (3, 0, 0.5, 1, 0.5)
    assert (ellipse.minor, ellipse.clockwise) == (False, True)
    assert (bezier.ctrl1_x, bezier.ctrl1_y, bezier.ctrl2_x, bezier.ctrl2_y) == (4.5, 1, 5.5, -1)
    assert (bezier.x, bezier.y, bezier.z, bezier.m) == (6.0, 0.0, None, None)
    assert all(isinstance(s, vg.CurveSegment) and isinstance(s, vg.Segment) for s in curve_part)


def test_segment_writes_go_back_into_the_curve_part(curve_part):
    arc = curve_part[1]
    arc.interior_x = 2
    arc.x = 5
    ellipse = curve_part[2]
    ellipse.minor = True
    ellipse[1] = 0.25
    assert ellipse.minor is True
    assert str(curve_part) == (
        '[[0, 0], {"c": [[5, 0], [2, 1]]}, {"a": [[4, 0.25], [3, 0], 1, 1, 0.5, 1, 0.5]}, '
        '{"b": [[6, 0], [4.5, 1], [5.5, -1]]}]'
    )


def test_popped_segment_is_detached(curve_part):
    bezier = curve_part.pop()
    bezier.ctrl1_x = 100
    assert bezier.ctrl1_x == 100.0
    assert str(curve_part) == '[[0, 0], {"c": [[2, 0], [1, 1]]}, {"a": [[4, 0], [3, 0], 0, 1, 0.5, 1, 0.5]}]'


def test_curve_attribute_writes_check_their_type(curve_part):
    ellipse = curve_part[2]
    with pytest.raises(TypeError):
        ellipse.minor = 1
    with pytest.raises(TypeError):
        ellipse.axis = "long"
    with pytest.raises(AttributeError):
        del ellipse.axis
    assert ellipse.minor is False and ellipse.axis == 1.0
