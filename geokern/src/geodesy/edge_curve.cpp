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
    const int count = chord_count(length, std::max(std::fabs(a.lat), std::fabs(b.lat)));
    std::vector<LonLat> positions;
    for (int i = 1; i < count; ++i) {
        const FramePoint p = span->point_at(length * i / count);
        positions.push_back({p.longitude, p.latitude});
    }
    return positions;
}

// A curve of geodesic curvature k strays L^2 k / 8 from a chord of length L. Loxodromes bend by up to
// tan(latitude) / R; great elliptic and normal sections far less than 1 / R, which the 1 covers; a line
// straight in a projection bends as the projection's distortion does, which the same bound takes as
// mild (true of conformal and equal-area systems away from their singular points).
int EdgeCurve::chord_count(double length, double latitude) const {
    const double radius = curve_->frame().semi_major_axis();
    const double bending = (1.0 + std::tan(std::min(latitude, 89.99) * M_PI / 180.0)) / radius;
    const double chord = std::sqrt(8.0 * deviation_ / bending);
    const double count = std::ceil(length / chord);
    if (!(count <= max_chords_per_edge)) {
        engine::refuse("an edge of " + std::to_string(static_cast<long long>(length)) +
                       " m needs more than 1048576 chords for the requested deviation.");
    }
    return std::max(1, static_cast<int>(count));
}

}  // namespace geokern::geodesy
