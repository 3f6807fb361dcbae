"""The smoke suite of an installed wheel, run by the interpreter of the environment it was installed into,
in a process for which the system's GEOS, PROJ, GeographicLib and PROJ data do not exist. Each check
compares with the peers' values computed beforehand (peer_values.py, a JSON file named by the only
argument). Exits non-zero at the first check that fails."""
import ctypes
import json
import math
import pathlib
import pickle
import sys

import velmor_geometry as vg
from velmor_geometry import projection

PREFIX = pathlib.Path(sys.prefix)
CORE = PREFIX / "libgeokern.so"


def loaded_files():
    return {line.split()[-1] for line in pathlib.Path("/proc/self/maps").read_text().splitlines() if "/" in line}


def check_libraries_come_from_the_wheel(_):
    files = loaded_files()
    assert str(CORE) in files, f"the runtime core was not loaded from {CORE}"
    libs = pathlib.Path(vg.__file__).parent / "velmor_geometry.libs"
    for name in ("libgeos_c-", "libgeos-", "libproj-", "libGeographicLib-"):
        found = [f for f in files if pathlib.Path(f).name.startswith(name)]
        assert found and all(pathlib.Path(f).parent == libs for f in found), f"{name}: {found}"


def check_projection_engine_directory_is_the_wheels(_):
    assert projection.get_projection_engine_dir() == str(PREFIX / "share" / "geokern" / "proj")


def check_planar_buffer(peer):
    square = vg.Polygon({"rings": [[[0, 0], [0, 1], [1, 1], [1, 0], [0, 0]]]})
    assert math.isclose(square.buffer(1.0).area, peer["planar_buffer_area"], rel_tol=1e-12)


def check_geodesic_area(peer):
    square = vg.Polygon({"rings": [[[0, 0], [0, 1], [1, 1], [1, 0], [0, 0]]], "spatialReference": {"wkid": 4326}})
    area = square.calculate_area(vg.GeodeticCurveType.Geodesic)
    assert math.isclose(area, peer["geodesic_area"], rel_tol=1e-12), area


def grid_transformation(peer):
    candidates = projection.get_transformations({"wkid": 4314}, {"wkid": 4258})
    chosen = [t for t in candidates if t.name == peer["grid_transformation"]]
    assert len(chosen) == 1, [t.name for t in candidates]
    assert not chosen[0].is_missing_projection_engine_files(), "the wheel's grid is not found"
    return chosen[0]


def check_projection_through_a_grid(peer):
    x, y = peer["grid_position"]
    point = vg.Point({"x": x, "y": y, "spatialReference": {"wkid": 4314}})
    projected = point.project_with_transformation(vg.SpatialReference({"wkid": 4258}), grid_transformation(peer))
    expected = peer["grid_projected"]
    assert abs(projected.x - expected[0]) < 1e-9 and abs(projected.y - expected[1]) < 1e-9, (projected, expected)


def check_mgrs_text_of_the_runtime_core(peer):
    core = ctypes.CDLL(str(CORE))
    core.GK_Geometry_fromJSON.restype = ctypes.c_void_p
    core.GK_Geometry_fromJSON.argtypes = [ctypes.c_char_p, ctypes.c_void_p]
    core.GK_CoordinateFormatter_toMGRS.restype = ctypes.c_void_p
    core.GK_CoordinateFormatter_toMGRS.argtypes = [ctypes.c_void_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_uint8,
                                                   ctypes.c_void_p]
    core.GK_String_cStr.restype = ctypes.c_char_p
    core.GK_String_cStr.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    core.GK_String_destroy.argtypes = core.GK_Geometry_destroy.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
    point = core.GK_Geometry_fromJSON(b'{"x":0,"y":0,"spatialReference":{"wkid":4326}}', None)
    assert point, "no point"
    text = core.GK_CoordinateFormatter_toMGRS(point, 1, 5, 0, None)
    core.GK_Geometry_destroy(point, None)
    assert text, "no MGRS text"
    try:
        assert core.GK_String_cStr(text, None).decode() == peer["mgrs"]
    finally:
        core.GK_String_destroy(text, None)


def check_pickling(peer):
    buffered = vg.Polygon({"rings": [[[0, 0], [0, 1], [1, 1], [1, 0], [0, 0]]]}).buffer(1.0)
    restored = pickle.loads(pickle.dumps(buffered))
    assert str(restored) == str(buffered) and restored.equals(buffered)
    reference = vg.SpatialReference({"wkid": 4314})
    assert pickle.loads(pickle.dumps(reference)) == reference
    transformation = grid_transformation(peer)
    restored_transformation = pickle.loads(pickle.dumps(transformation))
    assert restored_transformation.name == transformation.name
    assert not restored_transformation.is_missing_projection_engine_files()


CHECKS = [check_projection_engine_directory_is_the_wheels, check_planar_buffer, check_geodesic_area,
          check_projection_through_a_grid, check_mgrs_text_of_the_runtime_core, check_pickling,
          check_libraries_come_from_the_wheel]


def main():
    peer = json.loads(pathlib.Path(sys.argv[1]).read_text())
    for check in CHECKS:
        check(peer)
        print(f"smoke: {check.__name__[len('check_'):]}: ok")
    print(f"smoke: all {len(CHECKS)} checks passed, velmor_geometry {vg.__version__} from {PREFIX}")


if __name__ == "__main__":
    main()
