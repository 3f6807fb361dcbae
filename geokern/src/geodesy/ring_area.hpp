#pragma once

#include <vector>

#include "geodesy/geodetic_curve.hpp"

namespace geokern::geodesy {

// The area on the ellipsoid inside a ring whose edges are curves of `kind`, in square metres, positive
// when the ring runs clockwise. The ring ends on its first point again. Geodesic and loxodrome rings
// are exact (GeographicLib's polygon sums); the other curves are followed by geodesic chords, halved
// until the area settles within 1e-11 of itself, and extrapolated.
double ring_area(const GeodeticCurve& curve, CurveKind kind, const std::vector<FramePoint>& ring);

}  // namespace geokern::geodesy
