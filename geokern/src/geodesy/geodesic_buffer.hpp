#pragma once

#include "geometry/geometry_value.hpp"
#include "interface.hpp"

namespace geokern::geodesy {

// The share of the distance that a geodesic buffer's outline may stray from the true one when the
// caller passes a max deviation of 0.
inline constexpr double default_deviation_share = 1e-3;

// The geodesic buffer of a geometry: every position of the ellipsoid within `distance` metres of it,
// measured along geodesics, as a polygon in the geometry's own system (outer rings clockwise, holes
// counter-clockwise). The input's edges follow the curve type (any of geodetic_curve.hpp); a distance
// of 0 or less gives an empty polygon for points and polylines, and a negative one shrinks a polygon.
//
// How it is made: pieces around the input (a geodesic circle at every vertex, a band between the
// perpendicular geodesics along every edge; see buffer_pieces.hpp) are drawn in an azimuthal equidistant
// frame centred on the middle of the input, unioned there by GEOS (for a polygon, with the polygon, or
// cut from it when the distance is negative) and mapped back to the ellipsoid. Half of `deviation`
// (0: the default share of the distance) goes to the outline drawn in the frame, half to the edges of
// the result, which are straight in the system's own coordinates: where such an edge parts from the
// frame's edge by more than that, points of the frame's edge are added. Outline vertices lie at the
// distance from the input to GeographicLib's accuracy, except where two pieces cross (there within the
// deviation); holes narrower on average than a quarter of the deviation are slivers and left out.
//
// In a geographic system longitudes stay continuous: they are taken within half a turn of the middle of
// the input, so an outline across the antimeridian runs past +-180. A ring around a pole starts and ends
// on the meridian opposite the middle and is closed through the pole along that meridian, so the polygon
// covers the pole. A projected geometry is buffered on its system's ellipsoid and returned in its own
// projection (a ring around a pole is then returned as the projection draws it).
//
// Limits: the outline must stay within 9500 km of the middle of the input (a buffer larger than about a
// hemisphere, or holding both poles, is refused); at most a million piece points are drawn, which bounds
// the time the union of the pieces takes, so a deviation tiny against the distance is refused. A hole of a polygon lying across the seam of a ring
// around a pole is not split there.
GeometryValue geodesic_buffer(const GeometryValue& input, double distance, double deviation,
                              GK_GeodeticCurveType curve_type);

// Checks of the numbers of a geodesic buffer as the caller gave them, with the metres of their unit: a
// finite distance within the frame's reach of 9500 km, a finite deviation >= 0.
void check_geodesic_buffer_numbers(double distance, double deviation, double metres_per_unit);

}  // namespace geokern::geodesy
