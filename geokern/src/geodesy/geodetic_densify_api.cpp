// Geodetic densify: every segment whose curve is longer than the limit gets vertices along that curve at
// equal distances, no further apart than the limit. Input vertices are kept bit for bit, new ones get z and
// m interpolated by distance. True curves are first taken as fine chords in the system's coordinates. In a
// geographic system new longitudes stay within [-180, 180] when both ends of their segment do, and run on
// from the segment's start otherwise. Points, multipoints and envelopes are returned unchanged.
#include <GeographicLib/Math.hpp>

#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::geodesy;

namespace {

// As the planar densify: a tiny limit on a large geometry fails instead of exhausting memory.
constexpr double max_densified_vertices = 1 << 25;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

bool within_180(double longitude) { return std::fabs(longitude) <= 180.0; }

struct DensifiedPart {
    const engine::LinearPart& straight;
    std::vector<FramePoint> points;
    std::vector<double> lengths;  // of each segment along the curve
};

void push(PartValue& part, double x, double y, double z, double m) {
    part.xs.push_back(x);
    part.ys.push_back(y);
    if (part.has_z) part.zs.push_back(z);
    if (part.has_m) part.ms.push_back(m);
}

double pieces_of(double length, double limit) { return std::isfinite(length) && length > limit ? std::ceil(length / limit) : 1.0; }

PartValue densified(const GeodeticCurve& curve, const DensifiedPart& input, const PartValue& original, double limit) {
    PartValue result;
    result.has_z = original.has_z;
    result.has_m = original.has_m;
    result.closed = original.closed;
    const auto& s = input.straight;
    const size_t last = original.closed ? s.size() - 1 : s.size();
    for (size_t i = 0; i < last; ++i) {
        push(result, s.xs[i], s.ys[i], s.zs[i], s.ms[i]);
        if (i + 1 >= s.size()) continue;
        const auto pieces = static_cast<int64_t>(pieces_of(input.lengths[i], limit));
        if (pieces < 2) continue;
        const FramePoint& start = input.points[i];
        const FramePoint& end = input.points[i + 1];
        const auto span = curve.span(start, end);
        const bool wrap = !curve.frame().projected() && within_180(start.longitude) && within_180(end.longitude);
        for (int64_t k = 1; k < pieces; ++k) {
            const double t = static_cast<double>(k) / static_cast<double>(pieces);
            FramePoint point = span->point_at(input.lengths[i] * t);
            if (wrap && !within_180(point.longitude)) {
                point = curve.from_geographic(GeographicLib::Math::AngNormalize(point.longitude), point.latitude);
            }
            push(result, point.x, point.y, lerp(s.zs[i], s.zs[i + 1], t), lerp(s.ms[i], s.ms[i + 1], t));
        }
    }
    return result;
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_densifyGeodetic(GK_GeometryHandle geometry, double max_segment_length,
                                                    GK_UnitHandle length_unit, GK_GeodeticCurveType curve_type,
                                                    GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        const UnitPointer unit = unit_or_default(length_unit, unit_type_linear);
        const double limit = from_unit(max_segment_length, *unit);
        if (!(max_segment_length > 0.0) || !std::isfinite(limit) || !(limit > 0.0)) {
            engine::refuse("the maximum segment length must be a positive finite number: got " +
                           engine::number_text(max_segment_length) + ".");
        }
        const auto curve = curve_for(value, curve_type);
        if (value.type != geometry_type_polyline && value.type != geometry_type_polygon) return new_geometry(value);
        const std::vector<engine::LinearPart> straight = straight_parts(value);
        std::vector<DensifiedPart> parts;
        double size = 0.0;
        for (const auto& part : straight) {
            DensifiedPart entry{part, frame_points(curve->frame(), part), {}};
            for (size_t i = 0; i + 1 < entry.points.size(); ++i) {
                entry.lengths.push_back(curve->length(entry.points[i], entry.points[i + 1]));
                size += pieces_of(entry.lengths.back(), limit);
            }
            parts.push_back(std::move(entry));
        }
        if (size > max_densified_vertices) {
            engine::refuse("densifying would make more than " +
                           std::to_string(static_cast<int64_t>(max_densified_vertices)) +
                           " vertices; use a larger maximum segment length.");
        }
        GeometryValue result = value;
        size_t next = 0;
        for (auto& part : result.parts) {
            if (part->empty()) continue;
            part = std::make_shared<const PartValue>(densified(*curve, parts[next++], *part, limit));
        }
        return new_geometry(std::move(result));
    });
}
