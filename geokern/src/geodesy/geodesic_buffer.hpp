#pragma once

#include "geometry/geometry_value.hpp"
#include "interface.hpp"

namespace geokern::geodesy {

// The share of the distance that a geodesic buffer's outline may stray from the true one when the
// caller passes a max deviation of 0.
inline constexpr double default_deviation_share = 1e-3;

// The geodesic buffer of a geometry: every position of the ellipsoid within `distance` metres of it,
// measured along geodesics, as a polygon in the geometry's own system (outer rings clockwise, holes
// counter-clockwise). The input's edges follow the curve type (any of geodetic_curve.hpp).
//
// How it is made: pieces around the input's vertices and edges (see buffer_pieces.hpp) are drawn in an
// azimuthal equidistant frame centred on the middle of the input's extent, unioned there by GEOS (for a
// negative distance on a polygon, cut from it), and mapped back to the ellipsoid. Outline vertices lie at
// the distance from the input to GeographicLib's accuracy, except where two pieces cross; everywhere the
// outline is within `deviation` metres (0: the default share of the distance) of the true boundary.
//
// In a geographic system longitudes stay continuous: they are taken within half a turn of the middle of
// the input, so an outline across the antimeridian runs past +-180. A ring around a pole is closed
// through the pole along its two meridians, so the polygon covers the pole. A projected geometry is
// buffered on its system's ellipsoid and returned in its own projection.
//
// Limits: the outline must stay within 9500 km of the middle of the input (a buffer larger than about a
// hemisphere is refused), and at most 20 million pieces' points are drawn.
GeometryValue geodesic_buffer(const GeometryValue& input, double distance, double deviation,
                              GK_GeodeticCurveType curve_type);

// Checks of the numbers of a geodesic buffer, in metres: a finite distance, a finite deviation >= 0.
void check_geodesic_buffer_numbers(double distance, double deviation);

}  // namespace geokern::geodesy
