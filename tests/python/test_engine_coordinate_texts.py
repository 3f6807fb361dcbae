"""Coordinate texts of the runtime core (GK_CoordinateFormatter_): MGRS, USNG, UTM, GARS, Georef and latitude
and longitude, written from points and read back into points. Grid texts are checked against pyproj's UTM
projection through the grid's own lettering rules, positions against geographiclib's geodesic distance,
and the documented examples of GeographicLib's MGRS, UTMUPS, GARS, Georef and DMS classes."""

import math
import random

import pytest
from hypothesis import given, settings
from hypothesis import strategies as st

pyproj = pytest.importorskip("pyproj")
geodesic = pytest.importorskip("geographiclib.geodesic")

from geokern_engine import EngineError, c_char_p, c_int32, c_uint8, c_void_p, engine  # noqa: E402

WGS84 = geodesic.Geodesic.WGS84

DEFAULT, MGRS_NEW, MGRS_OLD, UTM_BAND, UTM_HEMISPHERE, GARS_CENTRE, GARS_CORNER = range(7)
DECIMAL_DEGREES, DEGREES_DECIMAL_MINUTES, DEGREES_MINUTES_SECONDS = range(3)

ROW_LETTERS = "ABCDEFGHJKLMNPQRSTUV"
COLUMN_SETS = ("ABCDEFGH", "JKLMNPQR", "STUVWXYZ")
BAND_LETTERS = "CDEFGHJKLMNPQRSTUVWX"

# What each writer takes after the point, and each reader after the text and spatial reference.
WRITER_ARGS = {"MGRS": (c_int32, c_int32, c_uint8), "USNG": (c_int32, c_uint8), "UTM": (c_int32, c_uint8),
               "GARS": (), "GeoRef": (c_int32,), "LatitudeLongitude": (c_int32, c_int32)}
READER_ARGS = {"MGRS": (c_int32,), "USNG": (), "UTM": (c_int32,), "GARS": (c_int32,), "GeoRef": (),
               "LatitudeLongitude": ()}


# ---- calls ----

class SpatialReference:
    def __init__(self, wkid):
        self.handle = engine().call("SpatialReference_create", wkid, restype=c_void_p, argtypes=[c_int32])

    def __del__(self):
        engine().function("SpatialReference_destroy", None, [c_void_p])(self.handle, None)


def point(x, y, wkid=None):
    value = {"x": x, "y": y}
    if wkid is not None:
        value["spatialReference"] = {"wkid": wkid}
    return engine().geometry(value)


def write(form, geometry, *args):
    e = engine()
    raw = e.call("CoordinateFormatter_to" + form, geometry.handle, *args, restype=c_void_p,
                 argtypes=[c_void_p, *WRITER_ARGS[form]])
    return e._text(raw)


def read(form, text, *args, spatial_reference=None):
    e = engine()
    raw = e.call("CoordinateFormatter_from" + form, None if text is None else text.encode(),
                 spatial_reference.handle if spatial_reference else None, *args, restype=c_void_p,
                 argtypes=[c_char_p, c_void_p, *READER_ARGS[form]])
    try:
        return e.to_json(raw)
    finally:
        e.call("Geometry_destroy", raw)


def read_position(form, text, *args):
    """(latitude, longitude) of a text read without a spatial reference."""
    result = read(form, text, *args)
    assert "spatialReference" not in result
    return result["y"], result["x"]


def metres_between(a, b):
    return WGS84.Inverse(a[0], a[1], b[0], b[1])["s12"]


# ---- generated positions and their UTM peers ----

def positions(seed, count, south=-90.0, north=90.0):
    rng = random.Random(seed)
    return [(rng.uniform(south, north), rng.uniform(-180.0, 180.0)) for _ in range(count)]


def in_wide_zone(latitude, longitude):
    """Norway's and Svalbard's zones, which the plain six-degree rule does not give."""
    return (56 <= latitude < 64 and 0 <= longitude < 12) or (72 <= latitude and 0 <= longitude < 42)


UTM_POSITIONS = [p for p in positions(11, 60, -80.0, 84.0) if not in_wide_zone(*p)]


def utm_peer(latitude, longitude):
    zone = min(int((longitude + 180) // 6) + 1, 60)
    code = (32600 if latitude >= 0 else 32700) + zone
    transformer = pyproj.Transformer.from_crs(4326, code, always_xy=True)
    easting, northing = transformer.transform(longitude, latitude)
    return zone, easting, northing


def band_of(latitude):
    return BAND_LETTERS[min(int((latitude + 80) // 8), 19)]


def mgrs_closed_form(latitude, longitude, precision, old_lettering=False):
    """MGRS text from pyproj's UTM coordinates: columns cycle through three sets of eight letters from
    zone to zone, rows through twenty letters starting five on in even zones (ten more in the older
    lettering), and the digits are the metres within the square, truncated."""
    zone, easting, northing = utm_peer(latitude, longitude)
    column = COLUMN_SETS[(zone - 1) % 3][int(easting // 100000) - 1]
    row_start = (5 if zone % 2 == 0 else 0) + (10 if old_lettering else 0)
    row = ROW_LETTERS[(int(northing // 100000) + row_start) % 20]
    scale = 10 ** (5 - precision)
    digits = f"{int(easting % 100000) // scale:0{precision}d}{int(northing % 100000) // scale:0{precision}d}"
    return f"{zone:02d}{band_of(latitude)}{column}{row}" + (digits if precision else "")


# ---- grid texts against the closed forms ----

@pytest.mark.parametrize("mode, old", [(DEFAULT, False), (MGRS_NEW, False), (MGRS_OLD, True)])
@pytest.mark.parametrize("precision", [0, 1, 3, 5])
def test_mgrs_texts_follow_the_lettering_of_the_utm_grid(mode, old, precision):
    for latitude, longitude in UTM_POSITIONS:
        expected = mgrs_closed_form(latitude, longitude, precision, old)
        assert write("MGRS", point(longitude, latitude), mode, precision, False) == expected, (latitude, longitude)


def test_usng_is_mgrs_in_the_current_lettering_and_blanks_part_its_fields():
    for latitude, longitude in UTM_POSITIONS:
        compact = mgrs_closed_form(latitude, longitude, 4)
        spaced = f"{compact[:3]} {compact[3:5]} {compact[5:9]} {compact[9:]}"
        assert write("USNG", point(longitude, latitude), 4, False) == compact
        assert write("USNG", point(longitude, latitude), 4, True) == spaced
        assert write("MGRS", point(longitude, latitude), DEFAULT, 4, True) == spaced


@pytest.mark.parametrize("mode", [DEFAULT, UTM_BAND, UTM_HEMISPHERE])
@pytest.mark.parametrize("add_spaces", [False, True])
def test_utm_texts_match_pyproj(mode, add_spaces):
    for latitude, longitude in UTM_POSITIONS:
        zone, easting, northing = utm_peer(latitude, longitude)
        letter = ("N" if latitude >= 0 else "S") if mode == UTM_HEMISPHERE else band_of(latitude)
        separator = " " if add_spaces else ""
        expected = f"{zone:02d}{letter}{separator}{round(easting):06d}{separator}{round(northing):07d}"
        assert write("UTM", point(longitude, latitude), mode, add_spaces) == expected, (latitude, longitude)


@pytest.mark.parametrize("latitude, longitude, zone_and_band", [
    (60.39, 5.32, "32V"), (57.0, 2.5, "31V"), (78.0, 8.0, "31X"), (78.0, 10.0, "33X"), (78.0, 22.0, "35X"),
    (78.0, 40.0, "37X"), (70.0, 10.0, "32W"),
])
def test_norway_and_svalbard_take_their_wide_zones(latitude, longitude, zone_and_band):
    zone = int(zone_and_band[:2])
    easting, northing = pyproj.Transformer.from_crs(4326, 32600 + zone, always_xy=True).transform(longitude, latitude)
    expected = f"{zone_and_band} {round(easting):06d} {round(northing):07d}"
    assert write("UTM", point(longitude, latitude), UTM_BAND, True) == expected
    assert write("MGRS", point(longitude, latitude), DEFAULT, 0, False)[:3] == zone_and_band


def test_gars_and_georef_texts_name_the_cells_the_positions_lie_in():
    """GARS: 30' bands numbered from 180W and lettered from 90S, 15' quadrants 1-4 from the north-west and
    5' keypad cells 1-9; Georef: 15 degree tiles, then degrees, then minutes of longitude and latitude."""
    letters24 = "ABCDEFGHJKLMNPQRSTUVWXYZ"
    for latitude, longitude in positions(12, 60, -89.9, 89.9):
        x, y = (longitude + 180) * 60, (latitude + 90) * 60  # minutes from the south-west corner
        band = int(y // 30)
        quadrant = 1 + (1 - int(y % 30 // 15)) * 2 + int(x % 30 // 15)
        keypad = 1 + (2 - int(y % 15 // 5)) * 3 + int(x % 15 // 5)
        gars = f"{int(x // 30) + 1:03d}{letters24[band // 24]}{letters24[band % 24]}{quadrant}{keypad}"
        assert write("GARS", point(longitude, latitude)) == gars, (latitude, longitude)
        tiles = letters24[int(x // 900)] + "ABCDEFGHJKLM"[int(y // 900)]
        degrees = "ABCDEFGHJKLMNPQ"[int(x % 900 // 60)] + "ABCDEFGHJKLMNPQ"[int(y % 900 // 60)]
        minutes = f"{int(x % 60 * 1000):05d}{int(y % 60 * 1000):05d}"
        assert write("GeoRef", point(longitude, latitude), 5) == tiles + degrees + minutes, (latitude, longitude)


@pytest.mark.parametrize("form, places, expected", [
    (DECIMAL_DEGREES, 3, "55.500N 004.250W"),
    (DEGREES_DECIMAL_MINUTES, 3, "55 30.000N 004 15.000W"),
    (DEGREES_MINUTES_SECONDS, 3, "55 30 00.000N 004 15 00.000W"),
    (DEGREES_MINUTES_SECONDS, 0, "55 30 00N 004 15 00W"),
])
def test_latitude_longitude_texts(form, places, expected):
    assert write("LatitudeLongitude", point(-4.25, 55.5), form, places) == expected


def test_latitude_longitude_texts_match_their_components():
    for latitude, longitude in positions(13, 60):
        for form, places in [(DECIMAL_DEGREES, 6), (DEGREES_DECIMAL_MINUTES, 4), (DEGREES_MINUTES_SECONDS, 2)]:
            text = write("LatitudeLongitude", point(longitude, latitude), form, places)
            end = text.index("N" if latitude >= 0 else "S") + 1
            parts = [text[:end], text[end + 1:]]
            for part, angle, hemispheres in zip(parts, (latitude, longitude), ("NS", "EW")):
                assert part[-1] == hemispheres[angle < 0]
                fields = [float(f) for f in part[:-1].split()]
                value = sum(f / 60 ** i for i, f in enumerate(fields))
                assert abs(value - abs(angle)) <= 0.5 * 10 ** -places / 60 ** form + 1e-12, (text, angle)


# ---- documented examples of GeographicLib ----

@pytest.mark.parametrize("form, args, latitude, longitude, expected", [
    ("MGRS", (DEFAULT, 5, False), 33.3, 44.4, "38SMB4414084706"),
    ("MGRS", (DEFAULT, 2, False), 33.3, 44.4, "38SMB4484"),
    ("UTM", (UTM_HEMISPHERE, True), 33.3, 44.4, "38N 444141 3684706"),
    ("GARS", (), 57.64911, 10.40744, "381NH45"),
    ("GeoRef", (-1,), 57.64911, 10.40744, "NK"),
    ("GeoRef", (0,), 57.64911, 10.40744, "NKLN"),
    ("GeoRef", (1,), 57.64911, 10.40744, "NKLN2438"),
    ("GeoRef", (3,), 57.64911, 10.40744, "NKLN244389"),
    ("GeoRef", (5,), 57.64911, 10.40744, "NKLN2444638946"),
    ("GeoRef", (11,), 57.64911, 10.40744, "NKLN2444640000038946600000"),
    ("LatitudeLongitude", (DEGREES_MINUTES_SECONDS, 2), -30.245715, 0.0, "30 14 44.57S 000 00 00.00E"),
])
def test_documented_texts(form, args, latitude, longitude, expected):
    assert write(form, point(longitude, latitude), *args) == expected


@pytest.mark.parametrize("form, text, args, latitude, longitude, tolerance", [
    ("MGRS", "38SMB4488", (DEFAULT,), 33.3342, 44.4036, 5e-5),
    ("MGRS", " 38smb 44 88\t", (MGRS_NEW,), 33.3342, 44.4036, 5e-5),
    ("USNG", "38S MB 44 88", (), 33.3342, 44.4036, 5e-5),
    ("UTM", "38N 444000 3688000", (UTM_HEMISPHERE,), 33.33, 44.40, 5e-3),
    ("GARS", "381NH", (DEFAULT,), 57.75, 10.25, 1e-12),
    ("GARS", "381NH4", (GARS_CENTRE,), 57.625, 10.375, 1e-12),
    ("GARS", "381NH45", (GARS_CENTRE,), 57.625, 10.375, 1e-12),
    ("GARS", "381NH45", (GARS_CORNER,), 57.0 + 35 / 60, 10.0 + 20 / 60, 1e-12),
    ("GeoRef", "NK", (), 52.5, 7.5, 1e-12),
    ("GeoRef", "NKLN", (), 57.5, 10.5, 1e-12),
    ("GeoRef", "NKLN2444638946", (), 57.649108, 10.407442, 5e-7),
    ("LatitudeLongitude", "30d14'45.6\"S 0d0'0\"E", (), -30.246, 0.0, 1e-12),
    ("LatitudeLongitude", "30:14:45.6S, 10E", (), -30.246, 10.0, 1e-12),
])
def test_documented_readings(form, text, args, latitude, longitude, tolerance):
    read_latitude, read_longitude = read_position(form, text, *args)
    assert abs(read_latitude - latitude) <= tolerance and abs(read_longitude - longitude) <= tolerance


@pytest.mark.parametrize("text", [
    "55 30 00.000N 004 15 00.000W", "55 30.000N 004 15.000W", "55.500N 004.250W", "55.5, -4.25", "55.5 -4.25",
    "n55 30 w4 15", "004 15 00W 55 30 00N", " 55:30:00 N , 4:15 W ", "55d30'N 4d15'W",
])
def test_latitude_longitude_readings_of_one_position(text):
    latitude, longitude = read_position("LatitudeLongitude", text)
    assert abs(latitude - 55.5) <= 1e-12 and abs(longitude + 4.25) <= 1e-12


# ---- round trips ----

def grid_round_trip(form, write_args, read_args, samples):
    worst = 0.0
    for latitude, longitude in samples:
        text = write(form, point(longitude, latitude), *write_args)
        worst = max(worst, metres_between((latitude, longitude), read_position(form, text, *read_args)))
    return worst


@pytest.mark.parametrize("form, write_args, read_args, samples, bound", [
    # The centre of a 1 m square is at most 0.71 m from any point of it; a whole metre rounds by 0.5 m.
    ("MGRS", (DEFAULT, 5, False), (DEFAULT,), positions(21, 80), 0.75),
    ("MGRS", (MGRS_OLD, 5, True), (MGRS_OLD,), positions(22, 80), 0.75),
    ("MGRS", (MGRS_NEW, 8, False), (MGRS_NEW,), positions(23, 40), 1e-3),
    ("USNG", (5, True), (), positions(24, 40), 0.75),
    ("UTM", (UTM_BAND, True), (UTM_BAND,), positions(25, 80, -80, 84), 0.75),
    ("UTM", (UTM_HEMISPHERE, False), (UTM_HEMISPHERE,), positions(26, 80, -80, 84), 0.75),
    # 0.001 minute is 1.86 m of latitude.
    ("GeoRef", (5,), (), positions(27, 80), 1.4),
    ("LatitudeLongitude", (DEGREES_MINUTES_SECONDS, 3), (), positions(28, 80), 0.03),
    ("LatitudeLongitude", (DEGREES_DECIMAL_MINUTES, 5), (), positions(29, 80), 0.015),
    ("LatitudeLongitude", (DECIMAL_DEGREES, 7), (), positions(30, 80), 0.06),
])
def test_round_trips_land_within_the_written_precision(form, write_args, read_args, samples, bound):
    assert grid_round_trip(form, write_args, read_args, samples) <= bound


def test_gars_cells_read_back_hold_their_points():
    for latitude, longitude in positions(31, 80, -89.9, 89.9):
        text = write("GARS", point(longitude, latitude))
        south, west = read_position("GARS", text, GARS_CORNER)
        centre = read_position("GARS", text, GARS_CENTRE)
        assert south <= latitude < south + 5 / 60 and west <= longitude < west + 5 / 60
        assert centre == pytest.approx((south + 2.5 / 60, west + 2.5 / 60), abs=1e-12)


def test_polar_mgrs_squares_round_trip():
    for latitude, longitude in positions(32, 40, 84.5, 90) + positions(33, 40, -90, -80.5):
        text = write("MGRS", point(longitude, latitude), DEFAULT, 5, False)
        assert text[0] in "ABYZ"
        assert write("MGRS", point(longitude, latitude), MGRS_OLD, 5, False) == text
        assert metres_between((latitude, longitude), read_position("MGRS", text, DEFAULT)) <= 0.75


# ---- spatial references ----

@pytest.mark.parametrize("wkid", [3857, 32630])
@pytest.mark.parametrize("form, write_args, read_args", [
    ("MGRS", (DEFAULT, 5, True), (DEFAULT,)),
    ("UTM", (UTM_BAND, False), (UTM_BAND,)),
    ("LatitudeLongitude", (DEGREES_MINUTES_SECONDS, 4), ()),
])
def test_points_in_other_systems_go_through_wgs84(wkid, form, write_args, read_args):
    to_system = pyproj.Transformer.from_crs(4326, wkid, always_xy=True)
    system = SpatialReference(wkid)
    for latitude, longitude in positions(41, 20, 40, 70):
        longitude = -6 + longitude / 60  # near zone 30, where EPSG:32630 is valid
        x, y = to_system.transform(longitude, latitude)
        assert write(form, point(x, y, wkid), *write_args) == write(form, point(longitude, latitude), *write_args)
        text = write(form, point(longitude, latitude), *write_args)
        on_wgs84 = read(form, text, *read_args)
        in_system = read(form, text, *read_args, spatial_reference=system)
        assert in_system["spatialReference"]["wkid"] == wkid
        expected = to_system.transform(on_wgs84["x"], on_wgs84["y"])
        assert in_system["x"] == pytest.approx(expected[0], abs=1e-6)
        assert in_system["y"] == pytest.approx(expected[1], abs=1e-6)


def test_each_of_many_systems_in_turn_gets_its_own_conversion():
    """More systems than the conversions kept between calls, met in turn and again."""
    zones = range(25, 37)
    systems = {zone: SpatialReference(32600 + zone) for zone in zones}
    for zone in list(zones) + list(reversed(zones)) + list(zones)[::3]:
        x, y = pyproj.Transformer.from_crs(4326, 32600 + zone, always_xy=True).transform(10.0, 50.0)
        geometry = point(x, y, 32600 + zone)
        assert write("LatitudeLongitude", geometry, DECIMAL_DEGREES, 6) == "50.000000N 010.000000E"
        read_back = read("LatitudeLongitude", "50N 10E", spatial_reference=systems[zone])
        assert (read_back["x"], read_back["y"]) == pytest.approx((x, y), abs=1e-6)


# ---- refusals ----

def refusal(call):
    with pytest.raises(EngineError) as caught:
        call()
    return caught.value


@pytest.mark.parametrize("form, text, args, reason", [
    ("MGRS", "33UXP0500449", (DEFAULT,), "'33UXP0500449' is not valid MGRS text: "),
    ("MGRS", "33UXI0500444998", (DEFAULT,), "is not valid MGRS text: "),
    ("MGRS", "61UXP0500444998", (DEFAULT,), "is not valid MGRS text: "),
    ("MGRS", "INVALID", (DEFAULT,), "'INVALID' is not valid MGRS text: it names no position."),
    ("MGRS", "", (DEFAULT,), "'' is not valid MGRS text: "),
    ("USNG", "33U XP 0500 44998", (), "'33U XP 0500 44998' is not valid USNG text: "),
    ("UTM", "33U", (UTM_BAND,), "'33U' is not valid UTM text: it is not a zone, a letter, an easting and a northing."),
    ("UTM", "61U 500000 5500000", (UTM_BAND,), "the zone must be from 1 to 60"),
    ("UTM", "33V 500000 5500000", (UTM_BAND,), "the position lies in band U, not V"),
    ("UTM", "33I 500000 5500000", (UTM_BAND,), "'I' is not a latitude band"),
    ("UTM", "33U 500000 5500000", (UTM_HEMISPHERE,), "the hemisphere must be N or S"),
    ("UTM", "33N 5000000 5500000", (UTM_HEMISPHERE,), "'33N 5000000 5500000' is not valid UTM text: "),
    ("UTM", "33U500000550000", (UTM_BAND,), "it is not a zone, a letter, an easting and a northing"),
    ("GARS", "999AA", (DEFAULT,), "'999AA' is not valid GARS text: "),
    ("GARS", "381NH0", (DEFAULT,), "is not valid GARS text: "),
    ("GeoRef", "ZZ", (), "'ZZ' is not valid Georef text: "),
    ("GeoRef", "NKLN244", (), "is not valid Georef text: "),
    ("LatitudeLongitude", "91N 10E", (), "'91N 10E' is not valid latitude and longitude text: "),
    ("LatitudeLongitude", "55 30 4 15", (), "it is not two angles parted by a comma, blanks or hemisphere letters"),
    ("LatitudeLongitude", "55N 10S", (), "is not valid latitude and longitude text: "),
    ("LatitudeLongitude", "north", (), "is not valid latitude and longitude text: "),
    # GeographicLib names the one byte of a character it refuses; the message stays well-formed UTF-8.
    ("LatitudeLongitude", "55N 4\u20acW", (), "'55N 4\u20acW' is not valid latitude and longitude text: Illegal "
                                             "character ? in DMS string 4\u20ac."),
])
def test_bad_texts_are_refused_with_the_format_named(form, text, args, reason):
    error = refusal(lambda: read(form, text, *args))
    assert error.code == 1 and error.message == "invalid argument."
    assert reason in error.detail


@pytest.mark.parametrize("form, args, reason", [
    ("MGRS", (DEFAULT, 12, False), "the MGRS precision must be from 0 to 11: got 12."),
    ("MGRS", (DEFAULT, -1, False), "the MGRS precision must be from 0 to 11: got -1."),
    ("USNG", (12, False), "the USNG precision must be from 0 to 11: got 12."),
    ("GeoRef", (-2,), "the Georef precision must be from -1 to 11: got -2."),
    ("GeoRef", (12,), "the Georef precision must be from -1 to 11: got 12."),
    ("LatitudeLongitude", (DECIMAL_DEGREES, 13), "the number of decimal places must be from 0 to 12: got 13."),
    ("LatitudeLongitude", (DECIMAL_DEGREES, -1), "the number of decimal places must be from 0 to 12: got -1."),
    ("LatitudeLongitude", (3, 2), "latitude and longitude format 3 is not 0 (decimal degrees), 1 (degrees and "
                                  "decimal minutes) or 2 (degrees, minutes and seconds)."),
    ("MGRS", (UTM_BAND, 5, False), "conversion mode 3 is not one of MGRS's: 0, 1 or 2."),
    ("UTM", (MGRS_OLD, False), "conversion mode 2 is not one of UTM's: 0, 3 or 4."),
])
def test_bad_writing_arguments_are_refused(form, args, reason):
    assert refusal(lambda: write(form, point(-4.25, 55.5), *args)).detail == reason


@pytest.mark.parametrize("form, args", [("MGRS", (GARS_CORNER,)), ("UTM", (GARS_CENTRE,)), ("GARS", (MGRS_OLD,)),
                                        ("GARS", (-1,)), ("UTM", (99,))])
def test_modes_of_other_formats_are_refused_when_reading(form, args):
    text = {"MGRS": "33UXP0500444998", "UTM": "33U 500000 5500000", "GARS": "381NH45"}[form]
    assert "is not one of" in refusal(lambda: read(form, text, *args)).detail


@pytest.mark.parametrize("geometry, reason", [
    ({"x": None, "y": None}, "the point is empty: it has no position to write."),
    ({"x": -4.25, "y": 95.0}, "the point's latitude 95 is outside -90 to 90 degrees."),
    ({"x": 0, "y": 1e9, "spatialReference": {"wkid": 3857}}, "(0, 1000000000) cannot be converted between wkid 3857 and WGS84."),
    ({"x": 0, "y": 0, "z": 1}, None),
])
@pytest.mark.parametrize("form, args", [("MGRS", (DEFAULT, 5, True)), ("UTM", (DEFAULT, True)), ("GARS", ()),
                                        ("GeoRef", (4,)), ("LatitudeLongitude", (DECIMAL_DEGREES, 2))])
def test_points_without_a_position_are_refused(geometry, reason, form, args):
    if reason is None:
        assert write(form, engine().geometry(geometry), *args)  # z does not matter
        return
    assert reason in refusal(lambda: write(form, engine().geometry(geometry), *args)).detail


TEXT_ALPHABET = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZabcnsew .,:-+d'\"\t\u00b0"
# form, reader arguments, the format's name in refusals
READERS = [("MGRS", (DEFAULT,), "MGRS"), ("MGRS", (MGRS_OLD,), "MGRS"), ("USNG", (), "USNG"),
           ("UTM", (UTM_BAND,), "UTM"), ("UTM", (UTM_HEMISPHERE,), "UTM"), ("GARS", (GARS_CORNER,), "GARS"),
           ("GeoRef", (), "Georef"), ("LatitudeLongitude", (), "latitude and longitude")]


@settings(max_examples=300, deadline=None)
@given(st.sampled_from(READERS), st.text(alphabet=TEXT_ALPHABET, max_size=30))
def test_any_text_reads_as_a_position_or_is_refused(reader, text):
    form, args, name = reader
    try:
        latitude, longitude = read_position(form, text, *args)
    except EngineError as error:
        assert error.code == 1 and f"is not valid {name} text: " in error.detail
        return
    assert -90 <= latitude <= 90 and math.isfinite(longitude)


def test_utm_refuses_the_polar_caps():
    for latitude in (84.0, 89.0, -80.5):
        detail = refusal(lambda: write("UTM", point(10.0, latitude), DEFAULT, True)).detail
        assert detail.startswith("UTM covers latitudes from 80S up to 84N: got")


def test_null_arguments_are_refused():
    e = engine()
    assert "the coordinates text is null" in refusal(lambda: read("GARS", None, DEFAULT)).detail
    null_point = refusal(lambda: e.call("CoordinateFormatter_toGARS", None, restype=c_void_p, argtypes=[c_void_p]))
    assert "the geometry handle is null" in null_point.detail
    assert refusal(lambda: write("GARS", e.geometry({"paths": [[[0, 0], [1, 1]]]}))).code == 3  # not a point


def test_longitudes_past_the_antimeridian_are_written_wrapped():
    assert write("LatitudeLongitude", point(190.0, 10.0), DECIMAL_DEGREES, 1) == "10.0N 170.0W"
    assert write("MGRS", point(190.0, 10.0), DEFAULT, 5, False) == write("MGRS", point(-170.0, 10.0), DEFAULT, 5,
                                                                         False)
    assert math.isclose(read_position("GARS", write("GARS", point(190.0, 10.0)), DEFAULT)[1], -170 + 2.5 / 60)
