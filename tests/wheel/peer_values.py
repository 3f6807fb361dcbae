"""The values the smoke suite of the installed wheel is checked against, computed by the peers (shapely,
geographiclib, pyproj) in the development environment and printed as JSON. The suite itself runs where
neither the peers nor the system's libraries exist."""
import json
import sys

import pyproj
import shapely
from geographiclib.geodesic import Geodesic
from pyproj.transformer import TransformerGroup

# The grid transformation of the smoke suite, and a position inside the grid's extent (Berlin).
GRID_TRANSFORMATION = "DHDN to ETRS89 (8)"
GRID_POSITION = (13.4, 52.5)


def grid_projection(proj_data):
    """The position taken from DHDN to ETRS89 through the grid, which pyproj finds among PROJ's data
    of this machine."""
    pyproj.datadir.append_data_dir(proj_data)
    group = TransformerGroup(4314, 4258, always_xy=True)
    for transformer in group.transformers:
        if transformer.name == GRID_TRANSFORMATION or GRID_TRANSFORMATION in transformer.description:
            assert "grid" in transformer.definition, transformer.definition
            return transformer.transform(*GRID_POSITION)
    raise SystemExit(f"pyproj has no available {GRID_TRANSFORMATION!r} with the data of {proj_data}")


def main():
    proj_data = sys.argv[1]
    square = Geodesic.WGS84.Polygon()
    for lon, lat in [(0, 0), (0, 1), (1, 1), (1, 0)]:
        square.AddPoint(lat, lon)
    easting, northing = pyproj.Transformer.from_crs(4326, 32631, always_xy=True).transform(0.0, 0.0)
    values = {
        # GEOS rounds a corner with quad_segs segments per quarter circle; the engine asks for 27.
        "planar_buffer_area": shapely.box(0, 0, 1, 1).buffer(1.0, quad_segs=27).area,
        "geodesic_area": abs(square.Compute()[2]),
        "grid_transformation": GRID_TRANSFORMATION,
        "grid_position": GRID_POSITION,
        "grid_projected": grid_projection(proj_data),
        # 0°N 0°E lies in UTM zone 31, band N, in the first 100 km column (A) and row (A) of the zone.
        "mgrs": f"31NAA{int(easting) % 100000:05d}{int(northing) % 100000:05d}",
    }
    print(json.dumps(values))


if __name__ == "__main__":
    main()
