"""The runtime core's spatial references beside pyproj's reading of the same systems: identifier,
geographic or projected, and the size of the unit. The library is driven through its C interface."""

import ctypes
import math
import pathlib
import sys

import pytest

pyproj = pytest.importorskip("pyproj")


class ByteArray(ctypes.Structure):
    _fields_ = [("data", ctypes.POINTER(ctypes.c_uint8)), ("size", ctypes.c_uint64)]


def load_library():
    candidates = [pathlib.Path(sys.prefix) / "libgeokern.so"]
    candidates += [parent / "geokern_bin/linux-x86_64/libgeokern.so" for parent in pathlib.Path(__file__).parents]
    for path in candidates:
        if path.is_file():
            return ctypes.CDLL(str(path))
    pytest.skip("libgeokern.so not found")


class Library:
    def __init__(self):
        lib = load_library()
        handle, null = ctypes.c_void_p, ctypes.c_void_p
        signatures = {
            "GK_SpatialReference_create": (handle, [ctypes.c_int32, null]),
            "GK_SpatialReference_createFromWKText": (handle, [ctypes.c_char_p, null]),
            "GK_SpatialReference_destroy": (None, [handle, null]),
            "GK_SpatialReference_getWKID": (ctypes.c_int32, [handle, null]),
            "GK_SpatialReference_getIsGeographic": (ctypes.c_uint8, [handle, null]),
            "GK_SpatialReference_getIsProjected": (ctypes.c_uint8, [handle, null]),
            "GK_SpatialReference_getUnit": (handle, [handle, null]),
            "GK_SpatialReference_getWKText": (handle, [handle, null]),
            "GK_SpatialReference_getWKText2": (handle, [handle, null]),
            "GK_Unit_getObjectType": (ctypes.c_int32, [handle, null]),
            "GK_Unit_destroy": (None, [handle, null]),
            "GK_LinearUnit_toMeters": (ctypes.c_double, [handle, ctypes.c_double, null]),
            "GK_AngularUnit_toRadians": (ctypes.c_double, [handle, ctypes.c_double, null]),
            "GK_String_getByteArray": (ByteArray, [handle, null]),
            "GK_String_destroy": (None, [handle, null]),
        }
        for name, (restype, argtypes) in signatures.items():
            function = getattr(lib, name)
            function.restype, function.argtypes = restype, argtypes
            setattr(self, name[3:], function)

    def text(self, string):
        bytes_ = self.String_getByteArray(string, None)
        value = ctypes.string_at(bytes_.data, bytes_.size).decode()
        self.String_destroy(string, None)
        return value

    def describe(self, sr):
        """wkid, geographic, projected, unit size in metres or radians, and both texts."""
        assert sr, "the library refused the system"
        unit = self.SpatialReference_getUnit(sr, None)
        angular = self.Unit_getObjectType(unit, None) == 2
        size = (self.AngularUnit_toRadians if angular else self.LinearUnit_toMeters)(unit, 1.0, None)
        self.Unit_destroy(unit, None)
        result = (
            self.SpatialReference_getWKID(sr, None),
            bool(self.SpatialReference_getIsGeographic(sr, None)),
            bool(self.SpatialReference_getIsProjected(sr, None)),
            size,
            self.text(self.SpatialReference_getWKText(sr, None)),
            self.text(self.SpatialReference_getWKText2(sr, None)),
        )
        self.SpatialReference_destroy(sr, None)
        return result

    def from_wkid(self, wkid):
        return self.describe(self.SpatialReference_create(wkid, None))

    def from_text(self, text):
        return self.describe(self.SpatialReference_createFromWKText(text.encode(), None))


@pytest.fixture(scope="module")
def library():
    return Library()


# EPSG codes first, then codes of PROJ's second authority; geographic, projected in metres and in US feet, compound-free.
CODES = [4326, 4267, 4269, 4258, 3857, 102100, 54030, 54009, 2263, 32633, 27700, 2154, 3395, 26918]


def peer(code):
    for authority in ("EPSG", "ESRI"):
        try:
            return pyproj.CRS.from_authority(authority, str(code))
        except pyproj.exceptions.CRSError:
            continue
    raise AssertionError(f"pyproj does not know {code}")


def peer_unit_size(crs):
    return crs.axis_info[0].unit_conversion_factor


@pytest.mark.parametrize("code", CODES)
def test_identifier_matches_pyproj(library, code):
    wkid, geographic, projected, unit_size, wkt, wkt2 = library.from_wkid(code)
    reference = peer(code)
    assert wkid == code
    assert geographic == reference.is_geographic
    assert projected == reference.is_projected
    assert math.isclose(unit_size, peer_unit_size(reference), rel_tol=1e-12)
    # pyproj reads our texts of both editions as the same system.
    for text in (wkt, wkt2):
        read = pyproj.CRS.from_wkt(text)
        assert read.is_geographic == reference.is_geographic
        assert math.isclose(peer_unit_size(read), peer_unit_size(reference), rel_tol=1e-12)
    assert pyproj.CRS.from_wkt(wkt2).to_authority(min_confidence=90) in {("EPSG", str(code)), ("ESRI", str(code))}


@pytest.mark.parametrize("code", CODES)
@pytest.mark.parametrize("version", ["WKT1_GDAL", "WKT1_ESRI", "WKT2_2019", "WKT2_2015"])
def test_texts_written_by_pyproj(library, code, version):
    reference = peer(code)
    text = reference.to_wkt(version)
    if text is None:
        pytest.skip(f"pyproj writes no {version} for {code}")
    wkid, geographic, projected, unit_size, _, _ = library.from_text(text)
    assert geographic == reference.is_geographic
    assert projected == reference.is_projected
    assert math.isclose(unit_size, peer_unit_size(reference), rel_tol=1e-12)
    # Texts carrying the identifier keep it. PROJ's second WKT1 dialect carries none and is identified,
    # EPSG codes first: the second authority's 102100 reads back as the same system under EPSG's 3857.
    if version == "WKT1_ESRI":
        assert wkid == 0 or peer(wkid).equals(reference, ignore_axis_order=True)
    else:
        assert wkid == code
