"""A tour of velmor_geometry on real geometry. Grows with the library."""

import velmor_geometry
from velmor_geometry.utils import is_clockwise

print(f"velmor_geometry {velmor_geometry.__version__}")

# The outline of Iceland's Vatnajokull ice cap, roughly, in lon/lat, traced clockwise.
vatnajokull = [(-17.9, 64.6), (-16.0, 64.8), (-15.3, 64.3), (-16.6, 64.0), (-17.6, 64.2), (-17.9, 64.6)]
print("Vatnajokull ring runs clockwise:", is_clockwise(vatnajokull))
print("...and reversed:", is_clockwise(vatnajokull[::-1]))
