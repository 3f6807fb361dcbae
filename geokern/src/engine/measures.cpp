#include "engine/measures.hpp"

#include <cmath>
#include <variant>

namespace geokern::engine {
namespace {

// s - sin s without the cancellation of small sweeps (the series is exact to rounding below 0.1).
double sweep_minus_sine(double s) {
    if (std::fabs(s) >= 0.1) return s - std::sin(s);
    const double s2 = s * s;
    return s * s2 / 6.0 * (1.0 - s2 / 20.0 * (1.0 - s2 / 42.0 * (1.0 - s2 / 72.0 * (1.0 - s2 / 110.0))));
}

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// Twice the signed area enclosed by the curve and its chord back, relative to the start point:
// integral of cross(B, B') dt with B of degree 3 and B' = 3 sum c_j(t) (Q_{j+1} - Q_j) of degree 2.
// The integral of a product of Bernstein polynomials b_i^3 c_j^2 is C(3,i) C(2,j) / (6 C(5,i+j)).
double bezier_bulge_area2(const Vertex& start, const CubicBezier& bezier, const Vertex& end) {
    const double qx[4] = {0.0, bezier.c1x - start.x, bezier.c2x - start.x, end.x - start.x};
    const double qy[4] = {0.0, bezier.c1y - start.y, bezier.c2y - start.y, end.y - start.y};
    constexpr double c3[4] = {1, 3, 3, 1};
    constexpr double c2[3] = {1, 2, 1};
    constexpr double c5[6] = {1, 5, 10, 10, 5, 1};
    double sum = 0.0;
    for (int i = 1; i < 4; ++i) {
        for (int j = 0; j < 3; ++j) {
            const double weight = c3[i] * c2[j] / (6.0 * c5[i + j]);
            sum += weight * cross(qx[i], qy[i], qx[j + 1] - qx[j], qy[j + 1] - qy[j]);
        }
    }
    return 3.0 * sum;
}

}  // namespace

double curve_bulge_area2(const Vertex& start, const Curve& curve, const Vertex& end) {
    if (const auto* arc = std::get_if<EllipticArc>(&curve)) {
        return arc->semi_major * arc->semi_minor() * sweep_minus_sine(arc->sweep_param);
    }
    return bezier_bulge_area2(start, std::get<CubicBezier>(curve), end);
}

double ring_area2(const PartValue& ring) {
    const int64_t count = ring.point_count();
    if (count == 0) return 0.0;
    // Relative to the first point, so that far-away rings keep their digits.
    const double x0 = ring.xs[0], y0 = ring.ys[0];
    double sum = 0.0;
    for (int64_t i = 1; i + 1 < count; ++i) {
        sum += cross(ring.xs[i] - x0, ring.ys[i] - y0, ring.xs[i + 1] - x0, ring.ys[i + 1] - y0);
    }
    for (const CurveEntry& entry : ring.curves) {
        const Vertex start = ring.point(ring.start_point_of(entry.segment));
        const Vertex end = ring.point(ring.end_point_of(entry.segment));
        sum += curve_bulge_area2(start, entry.curve, end);
    }
    return sum;
}

double planar_area(const GeometryValue& geometry) {
    if (geometry.type == geometry_type_envelope) {
        const EnvelopeData& e = geometry.envelope;
        if (e.empty()) return 0.0;
        return region_measure((e.xmax - e.xmin) * (e.ymax - e.ymin));
    }
    if (geometry.type != geometry_type_polygon) return 0.0;
    double sum = 0.0;
    for (const auto& part : geometry.parts) sum += ring_area2(*part);
    return region_measure(-0.5 * sum);  // clockwise outer rings count positive
}

double planar_length(const GeometryValue& geometry) {
    if (geometry.type == geometry_type_envelope) {
        const EnvelopeData& e = geometry.envelope;
        if (e.empty()) return 0.0;
        return 2.0 * ((e.xmax - e.xmin) + (e.ymax - e.ymin));
    }
    if (geometry.type != geometry_type_polygon && geometry.type != geometry_type_polyline) return 0.0;
    double sum = 0.0;
    for (const auto& part : geometry.parts) sum += part_length(*part);
    return sum;
}

}  // namespace geokern::engine
