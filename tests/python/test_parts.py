import pytest

import velmor_geometry as vg

pytestmark = pytest.mark.skipif(
    not all(hasattr(vg, name) for name in ("Polyline", "MultiPoint")),
    reason="needs the Polyline and MultiPoint classes",
)

ARC_PATH = [[0, 0], {"c": [[2, 0], [1, 1]]}, [3, 0]]


@pytest.fixture
def polyline():
    return vg.Polyline({"paths": [[[0, 0], [1, 1], [2, 2]], [[5, 5], [6, 6]]], "curvePaths": [ARC_PATH]})


@pytest.fixture
def part(polyline):
    return polyline.paths[0]


@pytest.fixture
def curve_part(polyline):
    return polyline.curve_paths[0]


def test_views_share_the_geometry(polyline):
    polyline.paths[0].append([5, 5])
    polyline.curve_paths[0].append({"b": [[9, 9], [4, 4], [5, 5]]})
    assert str(polyline.paths[0]) == "[[0, 0], [1, 1], [2, 2], [5, 5]]"
    assert str(polyline.curve_paths) == '[[[0, 0], {"c": [[2, 0], [1, 1]]}, [3, 0], {"b": [[9, 9], [4, 4], [5, 5]]}]]'


@pytest.mark.parametrize(
    "view, index, message",
    [
        ("part", 3, "Index 3 out of bounds, Part has 3 elements"),
        ("part", 5, "Index 5 out of bounds, Part has 3 elements"),
        ("part", -4, "Index -4 out of bounds, Part has 3 elements"),
        ("part", 2**70, f"Index {2**70} out of bounds, Part has 3 elements"),
        ("curve_part", 3, "Index 3 out of bounds, CurvePart has 3 elements"),
        ("paths", 2, "Index 2 out of bounds, Multipart has 2 elements"),
        ("paths", -3, "Index -3 out of bounds, Multipart has 2 elements"),
        ("curve_paths", 1, "Index 1 out of bounds, CurveMultipart has 1 elements"),
    ],
)
def test_index_out_of_bounds(polyline, view, index, message):
    target = {
        "part": polyline.paths[0],
        "curve_part": polyline.curve_paths[0],
        "paths": polyline.paths,
        "curve_paths": polyline.curve_paths,
    }[view]
    for operation in (lambda: target[index], lambda: target.remove(index)):
        with pytest.raises(IndexError) as raised:
            operation()
        assert str(raised.value) == message
    before = str(target)
    with pytest.raises(IndexError):
        target[index] = [0, 0] if view in ("part", "curve_part") else []
    assert str(target) == before


def test_negative_indices_count_from_the_end(polyline, part):
    assert (part[-1].x, part[-3].x) == (2.0, 0.0)
    assert str(polyline.paths[-1]) == "[[5, 5], [6, 6]]"
    part[-1] = [7, 7]
    part.remove(-3)
    assert str(part) == "[[1, 1], [7, 7]]"


def test_index_must_be_an_integer(part):
    with pytest.raises(TypeError):
        part["0"]
    with pytest.raises(TypeError):
        part.insert(1.0, [0, 0])


def test_insert_at_the_length_appends(part):
    part.insert(len(part), [9, 9])
    part.insert(0, [-1, -1])
    assert str(part) == "[[-1, -1], [0, 0], [1, 1], [2, 2], [9, 9]]"
    with pytest.raises(IndexError) as raised:
        part.insert(len(part) + 1, [1, 2])
    assert str(raised.value) == "Index 6 out of bounds, Part has 5 elements"


def test_part_values_must_be_positions(part):
    with pytest.raises(TypeError):
        part.append({1, 2})
    with pytest.raises(TypeError):
        part[0] = "x"
    assert str(part) == "[[0, 0], [1, 1], [2, 2]]"
    part.append((3, 3))
    assert str(part) == "[[0, 0], [1, 1], [2, 2], [3, 3]]"


@pytest.mark.parametrize("view", ["part", "curve_part", "paths", "curve_paths"])
def test_items_cannot_be_deleted(polyline, view):
    target = {
        "part": polyline.paths[0],
        "curve_part": polyline.curve_paths[0],
        "paths": polyline.paths,
        "curve_paths": polyline.curve_paths,
    }[view]
    with pytest.raises(NotImplementedError) as raised:
        del target[0]
    assert str(raised.value) == "can't delete item"


def test_pop_detaches(polyline, part):
    coord = part.pop()
    assert (coord.x, len(part)) == (2.0, 2)
    coord.x = 50
    assert str(part) == "[[0, 0], [1, 1]]"
    popped = polyline.paths.pop()
    assert type(popped) is vg.Part
    assert str(popped) == "[[5, 5], [6, 6]]"
    assert str(polyline.paths) == "[[[0, 0], [1, 1]]]"
    popped.append([7, 7])
    assert str(polyline.paths) == "[[[0, 0], [1, 1]]]"
    segment = polyline.curve_paths[0].pop()
    assert type(segment) is vg.Linear and segment.x == 3.0
    assert type(polyline.curve_paths.pop()) is vg.CurvePart
    assert polyline.curve_paths.pop() is None


def test_pop_and_clear_on_empty_views():
    points = vg.MultiPoint({"points": [], "hasZ": True}).points
    assert points.pop() is None
    points.append([1, 2])
    points.clear()
    assert len(points) == 0
    points.append([1, 2, 3])
    assert str(points) == "[[1, 2, 3]]"


def test_curve_part_start_vertex(curve_part):
    with pytest.raises(ValueError) as raised:
        curve_part.insert(0, {"c": [[1, 1], [0, 1]]})
    assert str(raised.value) == (
        "Tried to place curve at the beginning of a curve part- must have a regular coordinate as start vertex"
    )
    with pytest.raises(ValueError):
        curve_part[0] = {"b": [[1, 1], [0, 1], [1, 0]]}
    curve_part.insert(0, [-1, -1])
    assert str(curve_part) == '[[-1, -1], [0, 0], {"c": [[2, 0], [1, 1]]}, [3, 0]]'


def test_curve_part_remove_refuses_to_leave_a_curve_first(curve_part):
    with pytest.raises(Exception) as raised:
        curve_part.remove(0)
    assert str(raised.value) == (
        "Curved parts must have starting vertex with no curve data: "
        "'CurvePart::remove first curve, curve that would replace it is nonlinear'"
    )
    assert str(curve_part) == '[[0, 0], {"c": [[2, 0], [1, 1]]}, [3, 0]]'
    curve_part.remove(1)
    curve_part.remove(0)
    assert str(curve_part) == "[[3, 0]]"


def test_curve_part_set_and_append_forms(curve_part):
    curve_part[2] = {"b": [[4, 0], [3, 1], [4, 1]]}
    curve_part.append({"a": [[6, 0], [5, 0], True, False, 0, 1, 0.5]})
    curve_part[0] = [0, 1]
    assert str(curve_part) == (
        '[[0, 1], {"c": [[2, 0], [1, 1]]}, {"b": [[4, 0], [3, 1], [4, 1]]}, {"a": [[6, 0], [5, 0], 1, 0, 0, 1, 0.5]}]'
    )


def test_empty_curve_part_accepts_only_a_coordinate_first():
    curve_paths = vg.Polyline({"curvePaths": [[]]}).curve_paths
    empty = curve_paths[0]
    with pytest.raises(ValueError):
        empty.append({"c": [[1, 1], [0, 1]]})
    empty.append([0, 0])
    assert str(curve_paths) == "[[[0, 0]]]"


def test_container_refuses_other_dims_and_stays_unchanged():
    xyz = vg.Polyline({"hasZ": True, "paths": [[[0, 0, 1]]]})
    xy_part = vg.Polyline({"paths": [[[5, 5]]]}).paths[0]
    for operation in (lambda: xyz.paths.__setitem__(0, xy_part), lambda: xyz.paths.append(xy_part)):
        with pytest.raises(Exception) as raised:
            operation()
        assert str(raised.value) == "Mismatching dimensions, expected 'XYZ' but got 'XY'"
    assert str(xyz.paths) == "[[[0, 0, 1]]]"


def test_containers_share_stored_part_objects(polyline):
    shared = polyline.paths[1]
    polyline.paths.append(shared)
    shared.append([7, 7])
    assert str(polyline.paths) == "[[[0, 0], [1, 1], [2, 2]], [[5, 5], [6, 6], [7, 7]], [[5, 5], [6, 6], [7, 7]]]"
    polyline.paths[0] = [[1, 2]]
    polyline.curve_paths.insert(0, [[0, 0], [1, 0]])
    assert str(polyline.paths[0]) == "[[1, 2]]"
    assert str(polyline.curve_paths[0]) == "[[0, 0], [1, 0]]"


@pytest.mark.parametrize(
    "view, message",
    [("paths", "Part from_py requires a Part or a list"), ("curve_paths", "CurvePart from_py requires a Part or a list")],
)
def test_containers_refuse_other_values(polyline, view, message):
    with pytest.raises(TypeError) as raised:
        getattr(polyline, view).append(5)
    assert str(raised.value) == message


def test_iteration_is_live(part):
    seen = []
    for coord in part:
        seen.append(coord.x)
        if len(seen) == 1:
            part.append([3, 3])
    assert seen == [0.0, 1.0, 2.0, 3.0]
    iterator = iter(part)
    assert iter(iterator) is iterator
    assert type(iterator).__name__ == "PartIterator"


def test_multipart_and_curve_part_iterators(polyline):
    assert [str(p) for p in polyline.paths] == ["[[0, 0], [1, 1], [2, 2]]", "[[5, 5], [6, 6]]"]
    assert [type(s).__name__ for s in polyline.curve_paths[0]] == ["Linear", "CircularArc", "Linear"]
    assert type(iter(polyline.paths)).__name__ == "MultipartIterator"
    assert not hasattr(vg, "MultipartIterator")


def test_text_of_views(polyline):
    assert str(polyline.paths[0]) == repr(polyline.paths[0]) == "[[0, 0], [1, 1], [2, 2]]"
    assert str(polyline.paths) == "[[[0, 0], [1, 1], [2, 2]], [[5, 5], [6, 6]]]"
    polyline.paths[0].clear()
    assert str(polyline.paths) == "[[], [[5, 5], [6, 6]]]"
