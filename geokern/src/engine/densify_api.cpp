// Densify: every segment longer than the limit is cut into equal pieces no longer than it (ceil(length /
// limit) pieces, as GEOS's densifier counts them); a curve becomes straight pieces along it, each chord
// no longer than the limit, and no piece of an arc spans more than a third of a turn, so that a closed
// arc keeps enclosing area. New vertices get z and m interpolated along the segment (along the curve's
// parameter). Segments of non-finite length are kept as they are. Points, multipoints and envelopes are
// returned unchanged.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

// A bound on the result's size, so that a tiny limit on a large geometry fails instead of exhausting
// memory.
constexpr double max_densified_vertices = 1 << 25;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

Vertex bezier_at(const Vertex& p0, const CubicBezier& c, const Vertex& p3, double t) {
    const double u = 1.0 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    return Vertex{b0 * p0.x + b1 * c.c1x + b2 * c.c2x + b3 * p3.x, b0 * p0.y + b1 * c.c1y + b2 * c.c2y + b3 * p3.y};
}

// How many pieces a segment becomes; 1 keeps it whole (a curve still becomes its chord).
double pieces_of(const Vertex& start, const Curve* curve, const Vertex& end, double limit) {
    if (curve == nullptr) {
        const double length = std::hypot(end.x - start.x, end.y - start.y);
        if (!std::isfinite(length) || length <= limit) return 1.0;
        return std::ceil(length / limit);
    }
    if (const auto* arc = std::get_if<EllipticArc>(curve)) {
        // A parameter step h of an ellipse of semi-major axis a has a chord of at most 2 a sin(h / 2).
        const double sweep = std::fabs(arc->sweep_param);
        const double turns = std::ceil(sweep / (2.0 * std::numbers::pi / 3.0));
        const double ratio = limit / (2.0 * arc->semi_major);
        const double needed = ratio >= 1.0 ? 1.0 : std::ceil(sweep / (2.0 * std::asin(ratio)));
        const double pieces = std::max({1.0, turns, needed});
        return std::isfinite(pieces) ? pieces : 1.0;
    }
    // The speed of a cubic is at most three times its longest control leg.
    const auto& c = std::get<CubicBezier>(*curve);
    const double leg = std::max({std::hypot(c.c1x - start.x, c.c1y - start.y), std::hypot(c.c2x - c.c1x, c.c2y - c.c1y),
                                 std::hypot(end.x - c.c2x, end.y - c.c2y)});
    const double pieces = std::max(1.0, std::ceil(3.0 * leg / limit));
    return std::isfinite(pieces) ? pieces : 1.0;
}

void push(PartValue& part, const Vertex& vertex) {
    part.xs.push_back(vertex.x);
    part.ys.push_back(vertex.y);
    if (part.has_z) part.zs.push_back(vertex.z);
    if (part.has_m) part.ms.push_back(vertex.m);
}

PartValue densified(const PartValue& part, double limit) {
    PartValue result;
    result.has_z = part.has_z;
    result.has_m = part.has_m;
    result.closed = part.closed;
    const int64_t count = part.point_count();
    for (int64_t i = 0; i < count; ++i) {
        const Vertex start = part.point(i);
        push(result, start);
        const int64_t segment = part.segment_starting_at(i);
        if (segment < 0) continue;
        const Curve* curve = part.curve_of(segment);
        const Vertex end = part.point(part.end_point_of(segment));
        const auto pieces = static_cast<int64_t>(pieces_of(start, curve, end, limit));
        for (int64_t k = 1; k < pieces; ++k) {
            const double t = static_cast<double>(k) / static_cast<double>(pieces);
            Vertex point;
            if (curve == nullptr) {
                point = Vertex{lerp(start.x, end.x, t), lerp(start.y, end.y, t)};
            } else if (const auto* arc = std::get_if<EllipticArc>(curve)) {
                point = arc->point_at(arc->start_param + t * arc->sweep_param);
            } else {
                point = bezier_at(start, std::get<CubicBezier>(*curve), end, t);
            }
            point.z = lerp(start.z, end.z, t);
            point.m = lerp(start.m, end.m, t);
            push(result, point);
        }
    }
    return result;
}

double densified_size(const PartValue& part, double limit) {
    double size = 0;
    const int64_t count = part.point_count();
    for (int64_t i = 0; i < count; ++i) {
        size += 1.0;
        const int64_t segment = part.segment_starting_at(i);
        if (segment < 0) continue;
        size += pieces_of(part.point(i), part.curve_of(segment), part.point(part.end_point_of(segment)), limit) - 1.0;
    }
    return size;
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_densify(GK_GeometryHandle geometry, double max_segment_length, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        if (!(max_segment_length > 0.0) || !std::isfinite(max_segment_length)) {
            refuse("the maximum segment length must be a positive finite number: got " + number_text(max_segment_length) + ".");
        }
        if (value.type != geometry_type_polyline && value.type != geometry_type_polygon) return new_geometry(value);
        double size = 0;
        for (const auto& part : value.parts) size += densified_size(*part, max_segment_length);
        if (size > max_densified_vertices) {
            refuse("densifying would make more than " + std::to_string(static_cast<int64_t>(max_densified_vertices)) +
                   " vertices; use a larger maximum segment length.");
        }
        GeometryValue result = value;
        for (auto& part : result.parts) part = std::make_shared<const PartValue>(densified(*part, max_segment_length));
        return new_geometry(std::move(result));
    });
}
