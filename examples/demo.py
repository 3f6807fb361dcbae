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
