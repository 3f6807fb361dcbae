"""UTM texts of the runtime core (GK_CoordinateFormatter_toUTM and fromUTM through ctypes) against pyproj
doing the same work in the same run: the UTM zone's projection of each point, written as
"33U 500000 5500000" text, and that text read back into a WGS84 point. Prints seconds per point for
each side and the ratio pyproj / ours (above 1: we are faster).

Both sides start from the same random WGS84 points and build them before timing; pyproj's side keeps one
Transformer per zone, made before timing, and formats or parses the text in Python. ctypes adds about
half a microsecond to every call of ours. A second row writes points of a projected system (EPSG:3857),
which both sides first convert to WGS84.

Run: .venv/bin/python bench/coordinate_texts.py [--library PATH] [--count N] [--repeat N]
"""

import ctypes
import json
import random

import pyproj

from geokern_library import arguments, load
from timing import best_of

P, I32, B = ctypes.c_void_p, ctypes.c_int32, ctypes.c_uint8
SIGNATURES = {
    "Geometry_fromJSON": (P, [ctypes.c_char_p]), "Geometry_destroy": (None, [P]),
    "String_cStr": (ctypes.c_char_p, [P]), "String_destroy": (None, [P]),
    "CoordinateFormatter_toUTM": (P, [P, I32, B]),
    "CoordinateFormatter_fromUTM": (P, [ctypes.c_char_p, P, I32]),
}
BANDS = "CDEFGHJKLMNPQRSTUVWX"


def utm_transformers():
    """One pyproj Transformer per zone and hemisphere, from longitude and latitude."""
    return {(zone, north): pyproj.Transformer.from_crs(4326, (32600 if north else 32700) + zone, always_xy=True)
            for zone in range(1, 61) for north in (True, False)}


def peer_text(transformers, longitude, latitude):
    zone = min(int((longitude + 180) // 6) + 1, 60)
    easting, northing = transformers[(zone, latitude >= 0)].transform(longitude, latitude)
    band = BANDS[min(int((latitude + 80) // 8), 19)]
    return f"{zone:02d}{band} {round(easting):06d} {min(round(northing), 9999999):07d}"


def peer_read(transformers, text):
    zone_band, easting, northing = text.split()
    zone, north = int(zone_band[:-1]), zone_band[-1] >= "N"
    return transformers[(zone, north)].transform(float(easting), float(northing), direction="INVERSE")


def main():
    args = arguments(20_000)
    lib = load(args.library, SIGNATURES)
    rng = random.Random(7)
    # Away from Norway's and Svalbard's wide zones, which pyproj's side does not model.
    positions = [(rng.uniform(-180, 180), rng.uniform(-80, 55)) for _ in range(args.count)]
    transformers = utm_transformers()
    to_mercator = pyproj.Transformer.from_crs(4326, 3857, always_xy=True)
    from_mercator = pyproj.Transformer.from_crs(3857, 4326, always_xy=True)
    mercator = [to_mercator.transform(lon, lat) for lon, lat in positions]

    def geometry(value):
        handle = lib.GK_Geometry_fromJSON(json.dumps(value).encode(), None)
        assert handle
        return handle

    points = [geometry({"x": lon, "y": lat}) for lon, lat in positions]
    mercator_points = [geometry({"x": x, "y": y, "spatialReference": {"wkid": 3857}}) for x, y in mercator]

    def our_text(point):
        handle = lib.GK_CoordinateFormatter_toUTM(point, 0, 1, None)
        text = lib.GK_String_cStr(handle, None)
        lib.GK_String_destroy(handle, None)
        return text

    texts = [our_text(p) for p in points]
    assert [t.decode() for t in texts[:1000]] == [peer_text(transformers, *p) for p in positions[:1000]]

    def write_ours(which):
        return lambda: [our_text(p) for p in which]

    def read_ours():
        for text in texts:
            lib.GK_Geometry_destroy(lib.GK_CoordinateFormatter_fromUTM(text, None, 0, None), None)

    def write_peer():
        for lon, lat in positions:
            peer_text(transformers, lon, lat)

    def write_peer_mercator():
        for x, y in mercator:
            peer_text(transformers, *from_mercator.transform(x, y))

    peer_texts = [t.decode() for t in texts]

    def read_peer():
        for text in peer_texts:
            peer_read(transformers, text)

    print(f"{'work (per point)':<34}{'ours':>10}{'pyproj':>10}{'ratio':>8}")
    for label, ours, peer in (("UTM text of a WGS84 point", write_ours(points), write_peer),
                              ("UTM text of a EPSG:3857 point", write_ours(mercator_points), write_peer_mercator),
                              ("WGS84 point of a UTM text", read_ours, read_peer)):
        ours_time = best_of(args.repeat, ours) / args.count
        peer_time = best_of(args.repeat, peer) / args.count
        print(f"{label:<34}{ours_time * 1e6:>8.2f}us{peer_time * 1e6:>8.2f}us{peer_time / ours_time:>8.2f}")
    for handle in points + mercator_points:
        lib.GK_Geometry_destroy(handle, None)


if __name__ == "__main__":
    main()
