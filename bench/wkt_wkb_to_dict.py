"""Converts the same inputs with velmor_geometry.utils and with shapely (parse plus mapping) and prints
the time of each and the ratio (peer time / our time: above 1 means we are faster).

Inputs: one large multipolygon (WKT text and WKB bytes), and 100,000 small points (WKT and WKB).
Curves: no peer reads SQL/MM curves, so a multisurface of circles is timed against shapely reading the
same shapes already densified (the same output vertices): our parse plus densification against its
parse alone.
Run: .venv/bin/python bench/wkt_wkb_to_dict.py [--repeat N]
"""

import argparse
import math
import random

import shapely
from shapely.geometry import mapping

from velmor_geometry import utils

from timing import best_of


def large_multipolygon(rng, polygons=100, outer=2000, holes=2, hole_size=500):
    parts = []
    for i in range(polygons):
        cx, cy = (i % 10) * 100.0, (i // 10) * 100.0
        rings = []
        for radius, count, clockwise in [(45.0, outer, True)] + [(5.0, hole_size, False)] * holes:
            offset = rng.uniform(-20, 20) if radius < 10 else 0.0
            step = (-1 if clockwise else 1) * 2 * math.pi / count
            ring = [(cx + offset + radius * math.cos(k * step) * rng.uniform(0.95, 1.0),
                     cy + offset + radius * math.sin(k * step) * rng.uniform(0.95, 1.0)) for k in range(count)]
            rings.append(ring + [ring[0]])
        parts.append(rings)
    text = "MULTIPOLYGON (" + ", ".join(
        "(" + ", ".join("(" + ", ".join("%r %r" % p for p in r) + ")" for r in rings) + ")" for rings in parts) + ")"
    return text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    rng = random.Random(7)

    polygon_wkt = large_multipolygon(rng)
    polygon_wkb = shapely.to_wkb(shapely.from_wkt(polygon_wkt))
    coordinates = shapely.get_num_coordinates(shapely.from_wkt(polygon_wkt))
    point_wkts = ["POINT (%r %r)" % (rng.uniform(-180, 180), rng.uniform(-90, 90)) for _ in range(100_000)]
    point_wkbs = list(shapely.to_wkb(shapely.from_wkt(point_wkts)))

    # Same answers before timing anything.
    assert utils.wkt_to_geojson_dict(point_wkts[0])["coordinates"] == mapping(shapely.from_wkt(point_wkts[0]))["coordinates"]

    cases = [
        ("multipolygon WKT (%d coordinates)" % coordinates,
         lambda: utils.wkt_to_geojson_dict(polygon_wkt),
         lambda: mapping(shapely.from_wkt(polygon_wkt))),
        ("multipolygon WKB (%d coordinates)" % coordinates,
         lambda: utils.wkb_to_geojson_dict(polygon_wkb),
         lambda: mapping(shapely.from_wkb(polygon_wkb))),
        ("100,000 points WKT",
         lambda: [utils.wkt_to_geojson_dict(w) for w in point_wkts],
         lambda: [mapping(g) for g in shapely.from_wkt(point_wkts)]),
        ("100,000 points WKB",
         lambda: [utils.wkb_to_geojson_dict(w) for w in point_wkbs],
         lambda: [mapping(g) for g in shapely.from_wkb(point_wkbs)]),
    ]
    print("%-40s %12s %12s %8s" % ("GeoJSON dict from", "ours (ms)", "shapely (ms)", "ratio"))
    for name, ours, peer in cases:
        ours_time = best_of(args.repeat, ours)
        peer_time = best_of(args.repeat, peer)
        print("%-40s %12.1f %12.1f %7.2fx" % (name, ours_time * 1e3, peer_time * 1e3, peer_time / ours_time))

    print()
    print("%-40s %12s" % ("OvraJSON dict from (no peer)", "ours (ms)"))
    for name, run in [
        ("multipolygon WKT", lambda: utils.wkt_to_ovrajson_dict(polygon_wkt)),
        ("multipolygon WKB", lambda: utils.wkb_to_ovrajson_dict(polygon_wkb)),
        ("100,000 points WKB", lambda: [utils.wkb_to_ovrajson_dict(w) for w in point_wkbs]),
    ]:
        print("%-40s %12.1f" % (name, best_of(args.repeat, run) * 1e3))

    print()
    curved_wkt, densified_wkt = circles(rng)
    densified = utils.wkt_to_geojson_dict(curved_wkt)
    vertices = sum(len(ring) for polygon in densified["coordinates"] for ring in polygon)
    ours_time = best_of(args.repeat, lambda: utils.wkt_to_geojson_dict(curved_wkt))
    peer_time = best_of(args.repeat, lambda: mapping(shapely.from_wkt(densified_wkt)))
    print("%-40s %12s %12s %8s" % ("GeoJSON dict from curves", "ours (ms)", "shapely (ms)", "ratio"))
    print("%-40s %12.1f %12.1f %7.2fx" % ("%d circles (%d vertices out)" % (len(densified["coordinates"]), vertices),
                                          ours_time * 1e3, peer_time * 1e3, peer_time / ours_time))
    print("%-40s %12.1f" % ("the same to OvraJSON (arcs kept)",
                            best_of(args.repeat, lambda: utils.wkt_to_ovrajson_dict(curved_wkt)) * 1e3))


def circles(rng, count=2000):
    """A MULTISURFACE of full circles, and the same circles as the densified MULTIPOLYGON WKT."""
    curved, straight = [], []
    for _ in range(count):
        cx, cy, r = rng.uniform(0, 1000), rng.uniform(0, 1000), rng.uniform(1, 10)
        curved.append("CURVEPOLYGON (CIRCULARSTRING (%r %r, %r %r, %r %r))" % (cx - r, cy, cx + r, cy, cx - r, cy))
        ring = [(cx + r * math.cos(math.pi + k * math.pi / 64), cy + r * math.sin(math.pi + k * math.pi / 64))
                for k in range(128)]
        straight.append("((" + ", ".join("%r %r" % p for p in ring + [ring[0]]) + "))")
    return "MULTISURFACE (" + ", ".join(curved) + ")", "MULTIPOLYGON (" + ", ".join(straight) + ")"


if __name__ == "__main__":
    main()
