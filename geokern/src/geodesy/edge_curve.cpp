#include "geodesy/edge_curve.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"

namespace geokern::geodesy {

namespace {

// Edges never get more chords than this; past it the tolerance asked for is out of reach anyway.
constexpr int max_chords_per_edge = 1 << 20;

}  // namespace

EdgeCurve::EdgeCurve(GeodeticFramePointer frame, CurveKind kind, double deviation)
    : curve_(make_curve(kind, std::move(frame))), kind_(kind), deviation_(deviation) {}

std::vector<LonLat> EdgeCurve::interior(const LonLat& a, const LonLat& b) const {
    if (kind_ == CurveKind::geodesic) return {};
    const auto span = curve_->span(curve_->from_geographic(a.lon, a.lat), curve_->from_geographic(b.lon, b.lat));
    const double length = span->length();
    const int count = chord_count(length, bending(*span, a, b));
    std::vector<LonLat> positions;
    for (int i = 1; i < count; ++i) {
        const FramePoint p = span->point_at(length * i / count);
        positions.push_back({p.longitude, p.latitude});
    }
    return positions;
}

// A curve of geodesic curvature k strays L^2 k / 8 from a chord of length L; the curvatures are those of
// the sphere, with 1 / R added for the ellipsoid's own share.
// - A loxodrome of azimuth a bends by sin(a) tan(latitude) / R, largest at its end nearer a pole. A
//   loxodrome to or from a pole is the meridian through its other end (GeographicLib's course there is
//   due north or south, as the pole's longitude is free), so it bends no more than a geodesic.
// - Great elliptic and normal sections bend far less than 1 / R, which the 1 covers.
// - A line straight in longitude and latitude, running k degrees of longitude per degree of latitude,
//   bends by at most min(tan(latitude), k) / R through its course across the parallels, and by at most
//   min(0.4 tan(latitude), k) / R more through its turning azimuth: a line along a parallel bends as the
//   parallel does, and a line into a pole ends there with a finite turn.
// - A line straight in a projection bends as the projection's distortion does, which the loxodrome's
//   bound at a right angle takes as mild (true of conformal and equal-area systems away from their
//   singular points).
double EdgeCurve::bending(const GeodeticSpan& span, const LonLat& a, const LonLat& b) const {
    const double latitude = std::min(std::max(std::fabs(a.lat), std::fabs(b.lat)), 89.99);
    const double slope = std::tan(latitude * M_PI / 180.0);
    double share = slope;
    if (kind_ == CurveKind::loxodrome) {
        share = slope * std::fabs(std::sin(span.start_azimuth() * M_PI / 180.0));
    } else if (kind_ == CurveKind::great_elliptic || kind_ == CurveKind::normal_section) {
        share = 0.0;
    } else if (!curve_->frame().projected()) {
        const double rise = std::fabs(b.lon - a.lon) / std::fabs(b.lat - a.lat);
        share = std::min(slope, rise) + std::min(0.4 * slope, rise);
    }
    return (1.0 + share) / curve_->frame().semi_major_axis();
}

int EdgeCurve::chord_count(double length, double bending) const {
    const double chord = std::sqrt(8.0 * deviation_ / bending);
    const double count = std::ceil(length / chord);
    if (!(count <= max_chords_per_edge)) {
        engine::refuse("an edge of " + std::to_string(static_cast<long long>(length)) +
                       " m needs more than 1048576 chords for the requested deviation.");
    }
    return std::max(1, static_cast<int>(count));
}

}  // namespace geokern::geodesy
