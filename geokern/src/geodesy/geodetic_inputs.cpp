#include "geodesy/geodetic_inputs.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"

namespace geokern::geodesy {

namespace {

using engine::number_text;

constexpr int32_t degree_code = 9102;
constexpr double chord_share_of_extent = 1e-9;

const UnitDefinition& degree_unit() {
    static const UnitPointer degree = unit_of_type(degree_code, unit_type_angular);
    return *degree;
}

UnitPointer default_unit(GK_UnitType type) {
    if (type == unit_type_angular) return unit_of_type(degree_code, unit_type_angular);
    return UnitPointer(&base_unit(type), [](const UnitDefinition*) {});
}

engine::LinearPart envelope_ring(const EnvelopeData& e) {
    engine::LinearPart ring;
    const double xs[] = {e.xmin, e.xmin, e.xmax, e.xmax, e.xmin};
    const double ys[] = {e.ymin, e.ymax, e.ymax, e.ymin, e.ymin};
    for (int i = 0; i < 5; ++i) ring.add(Vertex{xs[i], ys[i]}, i % 4);
    return ring;
}

double chord_deviation(const GeometryValue& geometry) {
    const EnvelopeData extent = extent_of(geometry);
    const double size = std::max(extent.xmax - extent.xmin, extent.ymax - extent.ymin);
    return std::isfinite(size) && size > 0.0 ? size * chord_share_of_extent : 1.0;
}

// The first `count` points of the columns, the column index wrapping round so that a ring's count one past
// its size ends on its first point again.
std::vector<FramePoint> frame_points(const GeodeticFrame& frame, const std::vector<double>& xs,
                                     const std::vector<double>& ys, size_t count) {
    std::vector<FramePoint> points(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = i < xs.size() ? i : i - xs.size();
        const double x = xs[at], y = ys[at];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            engine::refuse("geodetic measures need finite coordinates: got " + number_text(x) + ", " + number_text(y) + ".");
        }
        points[i] = FramePoint{x, y, x, y};
    }
    if (!frame.identity()) {
        std::vector<double> longitudes(count), latitudes(count);
        for (size_t i = 0; i < count; ++i) longitudes[i] = points[i].x, latitudes[i] = points[i].y;
        frame.to_geographic(longitudes.data(), latitudes.data(), count);
        for (size_t i = 0; i < count; ++i) {
            points[i].longitude = longitudes[i];
            points[i].latitude = latitudes[i];
        }
    }
    for (const FramePoint& point : points) {
        if (std::fabs(point.latitude) > 90.0) {
            engine::refuse("a latitude must lie between -90 and 90 degrees: got " + number_text(point.latitude) + ".");
        }
    }
    return points;
}

}  // namespace

UnitPointer unit_or_default(GK_UnitHandle unit, GK_UnitType type) {
    if (unit == nullptr) return default_unit(type);
    unit_argument(unit, type);
    return shared_value(unit);
}

double in_unit(double base_value, const UnitDefinition& unit) { return convert(base_value, base_unit(unit.type), unit); }
double from_unit(double value, const UnitDefinition& unit) { return convert(value, unit, base_unit(unit.type)); }
double degrees_in(double degrees, const UnitDefinition& angular) { return convert(degrees, degree_unit(), angular); }
double degrees_from(double value, const UnitDefinition& angular) { return convert(value, angular, degree_unit()); }

std::unique_ptr<GeodeticCurve> curve_for(const GeometryValue& geometry, GK_GeodeticCurveType code) {
    const CurveKind kind = curve_kind_argument(code);
    return make_curve(kind, GeodeticFrame::of(geometry.spatial_reference.get()));
}

std::vector<engine::LinearPart> straight_parts(const GeometryValue& geometry) {
    std::vector<engine::LinearPart> parts;
    if (geometry.type == geometry_type_envelope) {
        if (!geometry.envelope.empty()) parts.push_back(envelope_ring(geometry.envelope));
        return parts;
    }
    if (geometry.type != geometry_type_polyline && geometry.type != geometry_type_polygon) return parts;
    const double deviation = chord_deviation(geometry);
    for (const auto& part : geometry.parts) {
        if (!part->empty()) parts.push_back(engine::linearize(*part, deviation));
    }
    return parts;
}

std::vector<FramePoint> frame_points(const GeodeticFrame& frame, const engine::LinearPart& part) {
    return frame_points(frame, part.xs, part.ys, part.size());
}

std::vector<std::vector<FramePoint>> measured_parts(const GeodeticFrame& frame, const GeometryValue& geometry) {
    std::vector<std::vector<FramePoint>> parts;
    const bool straight = geometry.type == geometry_type_polyline || geometry.type == geometry_type_polygon;
    if (!straight || has_curves(geometry)) {
        for (const auto& part : straight_parts(geometry)) parts.push_back(frame_points(frame, part));
        return parts;
    }
    // Straight parts are read in place, without a linear copy of their columns.
    for (const auto& part : geometry.parts) {
        if (part->empty()) continue;
        const size_t count = part->xs.size() + (part->closed ? 1 : 0);
        parts.push_back(frame_points(frame, part->xs, part->ys, count));
    }
    return parts;
}

}  // namespace geokern::geodesy
