#pragma once

#include <optional>

#include "geodesy/ellipse_shape.hpp"

namespace geokern::geodesy {

// The part of an ellipse a sector keeps: from the azimuth `start` through `sweep`, in degrees
// (clockwise when positive).
struct SectorSweep {
    double start = 0.0;
    double sweep = 0.0;
};

// The outline of a geodesic ellipse, or of a sector of it, in `spatial_reference` (the centre's own
// system when null; a centre in another system is refused).
//
// The point at azimuth t lies on the geodesic from the centre with that azimuth, at the distance at
// which the ray of the same direction meets the ellipse on the tangent plane:
//   r(phi) = a b / sqrt((b cos phi)^2 + (a sin phi)^2), phi = t - axis direction.
// Outline points are spread evenly along the outline: as many as the max point count allows, or, with
// a max segment length, the fewest that keep every segment within it (refused when that needs more than
// the max point count). A sector runs from the centre along the start direction, along the ellipse,
// and back; its straight sides are split as the max segment length asks. The point count is that of
// the returned geometry: a polygon's ring without its closing repetition, a polyline's closed path with
// it, or the multipoint's points. An ellipse or sector without area (a semi-axis or the sweep of 0)
// is an empty geometry. Longitudes stay within half a turn of the centre.
GeometryValue geodesic_ellipse(const EllipseShape& shape, const std::optional<SectorSweep>& sector,
                               const SpatialReferenceRef& spatial_reference);

}  // namespace geokern::geodesy
