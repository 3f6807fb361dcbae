"""A tour of velmor_geometry on real geometry. Grows with the library."""

import velmor_geometry
from velmor_geometry.utils import is_clockwise

print(f"velmor_geometry {velmor_geometry.__version__}")

# The outline of Iceland's Vatnajokull ice cap, roughly, in lon/lat, traced clockwise.
vatnajokull = [(-17.9, 64.6), (-16.0, 64.8), (-15.3, 64.3), (-16.6, 64.0), (-17.6, 64.2), (-17.9, 64.6)]
print("Vatnajokull ring runs clockwise:", is_clockwise(vatnajokull))
print("...and reversed:", is_clockwise(vatnajokull[::-1]))

# WKT and WKB become GeoJSON or OvraJSON dictionaries; OvraJSON rings come out oriented.
from velmor_geometry.utils import wkb_to_geojson_dict, wkt_to_geojson_dict, wkt_to_ovrajson_dict

ring = ", ".join(f"{x} {y}" for x, y in vatnajokull)
wkt = f"POLYGON (({ring}))"
print("GeoJSON:", wkt_to_geojson_dict(wkt))
print("OvraJSON:", wkt_to_ovrajson_dict(wkt))
# A little-endian WKB point with z: Hvannadalshnukur, Iceland's highest summit.
import struct

wkb = struct.pack("<BIddd", 1, 1001, -16.6778, 64.0144, 2110.0)
print("From WKB:", wkb_to_geojson_dict(wkb))

# Spatial references and units go through the runtime core (PROJ behind it).
sr = velmor_geometry.SpatialReference({"wkid": 102100, "latestWkid": 3857})
print("Spatial reference:", sr)
acres = velmor_geometry.AreaUnit(velmor_geometry.AreaUnitId.Acres)
print("Vatnajokull's 7,700 km2 in acres:", round(acres.from_square_meters(7.7e9)))

# Geometry objects from dictionaries: a polygon with a curved bay, edited through live views.
from velmor_geometry import Geometry, Point, Polygon, Polyline

lagoon = Polygon({
    "hasZ": False,
    "rings": [[list(p) for p in vatnajokull]],
    "curveRings": [[[-16.2, 64.05], [-16.0, 64.05], {"c": [[-16.2, 64.05], [-16.1, 64.1]]}]],
    "spatialReference": {"wkid": 4326},
})
print("Polygon (native text):", lagoon)
print("Has curves:", lagoon.has_curves, "| extent:", tuple(round(v, 3) for v in lagoon.extent))
ring_view = lagoon.rings[0]
ring_view[0].x = -18.0  # a Coord writes back into the polygon
print("First vertex after the edit:", lagoon.rings[0][0].x)

# The same polygon as the runtime core writes it, and read back through the factory.
print("OvraJSON from the runtime core:", lagoon.JSON)
again = Geometry(lagoon.JSON)
assert isinstance(again, Polygon)  # the factory picks the class from the text; the checker cannot
print("Factory gave:", type(again).__name__, "with", len(again.curve_rings[0]), "curve-ring vertices")

# A road along the south coast with z, and a point with m: their dictionaries and text round-trip.
road = Polyline({"hasZ": True, "paths": [[[-21.9, 64.1, 20], [-19.0, 63.5, 40], [-15.2, 64.25, 10]]]})
road.paths[0].append([-14.0, 64.7, 30])
print("Road:", road, "| vertices:", len(road.paths[0]))
summit = Point({"x": -16.6778, "y": 64.0144, "z": 2110.0, "spatialReference": {"wkid": 4326}})
print("Summit dict:", summit.to_dict())
print("Envelope of the road:", road.envelope)

# The planar engine at work, in Web Mercator metres (wkid 3857) along a river valley: which land lies within
# 250 m of three roads, how large is it, and how does the river divide it?
import velmor_geometry as vg

web_mercator = {"wkid": 3857}
roads = [
    Polyline({"paths": [[[-21500, 6708200], [-18200, 6709100], [-15100, 6709400], [-11800, 6710600]]],
              "spatialReference": web_mercator}),
    Polyline({"paths": [[[-17600, 6704800], [-17300, 6707900], [-16900, 6711200], [-16500, 6713900]]],
              "spatialReference": web_mercator}),
    Polyline({"paths": [[[-14200, 6705300], [-13600, 6708100], [-12100, 6710200], [-11800, 6713500]]],
              "spatialReference": web_mercator}),
]
river = Polyline({"paths": [[[-23000, 6706900], [-19800, 6707400], [-17000, 6706600], [-14800, 6707600],
                             [-12900, 6707100], [-10000, 6708300]]], "spatialReference": web_mercator})
print("Roads crossing the river:", [road.crosses(river) for road in roads])

corridors = Geometry.buffer_collection(roads, [250.0], False)
zone = Geometry.union_collection(corridors)
print("Corridors:", len(corridors), "| their union:", type(zone).__name__, "| rings:", len(zone.to_dict()["rings"]))


def planar_km2(polygon: Geometry) -> float:
    """The polygon's planar area in square kilometres (the system is in metres); area is None only for
    geometries that are not polygons."""
    area = polygon.area
    assert area is not None
    return area / 1e6


print(f"Land within 250 m of a road: {planar_km2(zone):.3f} km2 (planar, in projected metres)")
pieces = zone.cut(river)
print("Cut at the river into", len(pieces), "pieces of", [f"{planar_km2(piece):.3f}" for piece in pieces], "km2")
print(f"The pieces add up to {sum(planar_km2(piece) for piece in pieces):.3f} km2")
# The river's own 50 m margin, taken out of the zone, and the zone's hull.
dry = zone.difference(river.buffer(50.0))
print(f"Without the river's 50 m margin: {planar_km2(dry):.3f} km2")
print(f"Convex hull of the zone: {planar_km2(zone.convex_hull()):.3f} km2")

# Pictures: every geometry draws itself as SVG (notebooks show it); the files go beside the text output.
import pathlib
import sys

pictures = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/demo")
pictures.mkdir(parents=True, exist_ok=True)
for name, geometry in [("zone_without_river_margin", dry), ("lagoon_with_curved_bay", lagoon)]:
    path = pictures / f"{name}.svg"
    path.write_text(geometry._repr_svg_())
    print("Picture written:", path)
