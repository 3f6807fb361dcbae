#pragma once

#include <memory>
#include <vector>

#include "geodesy/geodetic_curve.hpp"
#include "geodesy/lon_lat.hpp"

namespace geokern::geodesy {

// The curve that joins two vertices of a buffer's input, as the positions between them at which
// geodesic chords follow it within a deviation. A geodesic edge has none; the other kinds are sampled
// along the system's own curves (geodetic_curve.hpp).
class EdgeCurve {
  public:
    // `deviation` in metres: how far a chord may stray from the curve.
    EdgeCurve(GeodeticFramePointer frame, CurveKind kind, double deviation);

    std::vector<LonLat> interior(const LonLat& a, const LonLat& b) const;

  private:
    // How many chords keep within the deviation along `length` metres of a curve bending by `bending`
    // (radians per metre).
    int chord_count(double length, double bending) const;
    // The most the curve from a to b bends, in radians per metre.
    double bending(const GeodeticSpan& span, const LonLat& a, const LonLat& b) const;

    std::unique_ptr<GeodeticCurve> curve_;
    CurveKind kind_;
    double deviation_;
};

}  // namespace geokern::geodesy
