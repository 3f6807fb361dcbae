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
print("Factory gave:", type(again).__name__, "with", len(again.curve_rings[0]), "curve-ring vertices")

# A road along the south coast with z, and a point with m: their dictionaries and text round-trip.
road = Polyline({"hasZ": True, "paths": [[[-21.9, 64.1, 20], [-19.0, 63.5, 40], [-15.2, 64.25, 10]]]})
road.paths[0].append([-14.0, 64.7, 30])
print("Road:", road, "| vertices:", len(road.paths[0]))
summit = Point({"x": -16.6778, "y": 64.0144, "z": 2110.0, "spatialReference": {"wkid": 4326}})
print("Summit dict:", summit.to_dict())
print("Envelope of the road:", road.envelope)
