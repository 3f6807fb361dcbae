#include "geodesy/edge_curve.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"

namespace geokern::geodesy {

namespace {

// Edges never get more chords than this; past it the tolerance asked for is out of reach anyway.
constexpr int max_chords_per_edge = 1 << 20;

std::array<double, 3> unit_direction(const std::array<double, 3>& v) {
    const double norm = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / norm, v[1] / norm, v[2] / norm};
}

}  // namespace

GK_GeodeticCurveType checked_buffer_curve(GK_GeodeticCurveType type) {
    if (type == curve_geodesic || type == curve_loxodrome || type == curve_great_elliptic) return type;
    if (type == 3 || type == 4) {
        engine::refuse("geodesic buffers follow geodesic (0), loxodrome (1) and great elliptic (2) edges; curve type " +
                       std::to_string(type) + " is not supported for buffers.");
    }
    engine::refuse("unknown geodetic curve type " + std::to_string(type) + ": expected 0 to 4.");
}

EdgeCurve::EdgeCurve(const GeographicLib::Geodesic& geodesic, GK_GeodeticCurveType type, double deviation)
    : geodesic_(geodesic),
      rhumb_(geodesic.EquatorialRadius(), geodesic.Flattening()),
      geocentric_(geodesic.EquatorialRadius(), geodesic.Flattening()),
      type_(checked_buffer_curve(type)),
      deviation_(deviation) {}

std::vector<LonLat> EdgeCurve::interior(const LonLat& a, const LonLat& b) const {
    if (type_ == curve_loxodrome) return rhumb_interior(a, b);
    if (type_ == curve_great_elliptic) return great_elliptic_interior(a, b);
    return {};
}

// A curve of geodesic curvature k strays L^2 k / 8 from a chord of length L; loxodromes bend by up to
// tan(latitude) / R, and the other curves far less than 1 / R, which the 1 covers.
int EdgeCurve::chord_count(double length, double latitude) const {
    const double radius = geodesic_.EquatorialRadius();
    const double bending = (1.0 + std::tan(std::min(std::fabs(latitude), 89.99) * M_PI / 180.0)) / radius;
    const double chord = std::sqrt(8.0 * deviation_ / bending);
    const double count = std::ceil(length / chord);
    if (!(count <= max_chords_per_edge)) {
        engine::refuse("an edge of " + std::to_string(static_cast<long long>(length)) +
                       " m needs too many chords for the requested deviation.");
    }
    return std::max(1, static_cast<int>(count));
}

std::vector<LonLat> EdgeCurve::rhumb_interior(const LonLat& a, const LonLat& b) const {
    double length = 0.0, azimuth = 0.0;
    rhumb_.Inverse(a.lat, a.lon, b.lat, b.lon, length, azimuth);
    const int count = chord_count(length, std::max(std::fabs(a.lat), std::fabs(b.lat)));
    const GeographicLib::RhumbLine line = rhumb_.Line(a.lat, a.lon, azimuth);
    std::vector<LonLat> positions;
    for (int i = 1; i < count; ++i) {
        LonLat p;
        line.Position(length * i / count, p.lat, p.lon);
        positions.push_back(p);
    }
    return positions;
}

// Directions from the centre, turned evenly from one end to the other in the plane of both, meet the
// ellipsoid on the great ellipse.
std::vector<LonLat> EdgeCurve::great_elliptic_interior(const LonLat& a, const LonLat& b) const {
    std::array<double, 3> pa{}, pb{};
    geocentric_.Forward(a.lat, a.lon, 0.0, pa[0], pa[1], pa[2]);
    geocentric_.Forward(b.lat, b.lon, 0.0, pb[0], pb[1], pb[2]);
    const auto ua = unit_direction(pa), ub = unit_direction(pb);
    const double cosine = std::clamp(ua[0] * ub[0] + ua[1] * ub[1] + ua[2] * ub[2], -1.0, 1.0);
    const double angle = std::acos(cosine);
    if (angle > M_PI - 1e-9) engine::refuse("a great elliptic edge between antipodal vertices has no single plane.");
    if (angle < 1e-12) return {};
    double length = 0.0;
    geodesic_.Inverse(a.lat, a.lon, b.lat, b.lon, length);
    const int count = chord_count(length, 0.0);
    const double a2 = geodesic_.EquatorialRadius() * geodesic_.EquatorialRadius();
    const double polar = geodesic_.EquatorialRadius() * (1.0 - geodesic_.Flattening());
    std::vector<LonLat> positions;
    for (int i = 1; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        const double wa = std::sin((1.0 - t) * angle) / std::sin(angle), wb = std::sin(t * angle) / std::sin(angle);
        std::array<double, 3> u{wa * ua[0] + wb * ub[0], wa * ua[1] + wb * ub[1], wa * ua[2] + wb * ub[2]};
        const double scale = 1.0 / std::sqrt((u[0] * u[0] + u[1] * u[1]) / a2 + u[2] * u[2] / (polar * polar));
        LonLat p;
        double height = 0.0;
        geocentric_.Reverse(scale * u[0], scale * u[1], scale * u[2], p.lat, p.lon, height);
        positions.push_back(p);
    }
    return positions;
}

}  // namespace geokern::geodesy
