// Proximity: nearest coordinate and vertex, and positions along polylines by length.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/measures.hpp"
#include "engine/proximity.hpp"
#include "engine/proximity_result.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

// The query point's x and y; NaN for an empty point. Infinite coordinates are refused.
Vertex query_point(const GeometryValue& point) {
    const Vertex& p = point.point;
    if (std::isnan(p.x) || std::isnan(p.y)) return Vertex{};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) refuse("the point's x and y must be finite numbers.");
    return p;
}

void require_finite_result(const Vertex& point) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
        refuse("the geometry has coordinates that are not finite numbers.");
    }
}

std::string number_text(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

using Finder = NearestPoint (*)(const GeometryValue&, double, double);

GK_ProximityResultHandle proximity(Finder find, GK_GeometryHandle geometry, GK_GeometryHandle point,
                                   const GK_ErrorHandler* handler) {
    return guarded<GK_ProximityResultHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        const GeometryValue& target = point_value_of(point);
        const SpatialReferenceRef spatial_reference = joint_spatial_reference(value, target);
        const Vertex p = query_point(target);
        auto result = std::make_shared<ProximityResultValue>();
        NearestPoint nearest;
        if (!std::isnan(p.x) && !is_empty(value)) nearest = find(value, p.x, p.y);
        if (!std::isnan(nearest.distance)) {
            require_finite_result(nearest.point);
            result->distance = nearest.distance;
            result->part_index = nearest.part;
            result->point_index = nearest.segment;
        } else {
            nearest.point = Vertex{};
        }
        result->coordinate = point_value(nearest.point, value.has_z, value.has_m, spatial_reference);
        return new_handle<GK_ProximityResultHandle>(std::move(result));
    });
}

const PartValue* first_part(const GeometryValue& polyline) {
    for (const auto& part : polyline.parts)
        if (!part->empty()) return part.get();
    return nullptr;
}

const PartValue* last_part(const GeometryValue& polyline) {
    for (auto it = polyline.parts.rbegin(); it != polyline.parts.rend(); ++it)
        if (!(*it)->empty()) return it->get();
    return nullptr;
}

Vertex point_at_distance(const GeometryValue& polyline, double distance) {
    const PartValue* first = first_part(polyline);
    if (first == nullptr) return Vertex{};
    if (distance <= 0.0) return first->point(0);
    double walked = 0.0;
    for (const auto& part : polyline.parts) {
        for (int64_t segment = 0; segment < part->segment_count(); ++segment) {
            const Vertex start = part->point(segment), end = part->point(segment + 1);
            const Curve* curve = part->curve_of(segment);
            const double length = length_to(start, curve, end, 1.0);
            if (walked + length >= distance && length > 0.0) {
                return point_on_segment(start, curve, end, fraction_at_length(start, curve, end, distance - walked));
            }
            walked += length;
        }
    }
    const PartValue* last = last_part(polyline);
    return last->point(last->point_count() - 1);
}

}  // namespace

// The nearest point of the geometry to the point, exact for curves. A point inside a polygon is its own
// nearest coordinate, at distance 0, with part and point index -1. Otherwise the part index is the
// part's and the point index that of the start vertex of the segment that holds the nearest point (of
// the point itself in a multipoint, 0 for a point). An empty geometry or point gives an empty point,
// a NaN distance and -1 for both indices. The result has the geometry's z and m, interpolated on the
// segment.
GK_ProximityResultHandle GK_GeometryEngine_nearestCoordinate(GK_GeometryHandle geometry, GK_GeometryHandle point,
                                                             GK_EH) {
    return proximity(&nearest_coordinate, geometry, point, handler);
}

// The nearest vertex (the first of equally near ones) with its z and m; empty input as above.
GK_ProximityResultHandle GK_GeometryEngine_nearestVertex(GK_GeometryHandle geometry, GK_GeometryHandle point, GK_EH) {
    return proximity(&nearest_vertex, geometry, point, handler);
}

// The fraction of the polyline's length (all parts in order, curves exact) at the point's nearest
// position on it. NaN when the point is farther than `tolerance` from the polyline or either input is
// empty; 0 for a polyline without length. A negative or NaN tolerance is refused.
double GK_GeometryEngine_fractionAlong(GK_GeometryHandle polyline, GK_GeometryHandle point, double tolerance, GK_EH) {
    return guarded<double>(handler, [&] {
        const GeometryValue& line = geometry_of(polyline, geometry_type_polyline);
        const GeometryValue& target = point_value_of(point);
        joint_spatial_reference(line, target);
        if (!(tolerance >= 0.0)) refuse("the tolerance must be a number of at least 0: got " + number_text(tolerance) + ".");
        const Vertex p = query_point(target);
        if (std::isnan(p.x) || is_empty(line)) return nan_value;
        const NearestPoint nearest = nearest_coordinate(line, p.x, p.y);
        if (std::isnan(nearest.distance) || nearest.distance > tolerance) return nan_value;
        const double total = planar_length(line);
        if (!(total > 0.0)) return 0.0;
        double before = 0.0;
        for (int64_t i = 0; i < nearest.part; ++i) before += part_length(*line.parts[static_cast<size_t>(i)]);
        const PartValue& part = *line.parts[static_cast<size_t>(nearest.part)];
        for (int64_t segment = 0; segment < nearest.segment; ++segment) {
            before += length_to(part.point(segment), part.curve_of(segment), part.point(segment + 1), 1.0);
        }
        if (nearest.segment < part.segment_count()) {
            const int64_t s = nearest.segment;
            before += length_to(part.point(s), part.curve_of(s), part.point(s + 1), nearest.t);
        }
        const double fraction = before / total;
        if (!std::isfinite(fraction)) refuse("the polyline has coordinates that are not finite numbers.");
        return std::clamp(fraction, 0.0, 1.0);
    });
}

// The point at `distance` along the polyline (all parts in order, curves exact), with z and m
// interpolated on its segment. Distances before the start or past the end give the first or the last
// point; an empty polyline gives an empty point; a NaN distance is refused.
GK_GeometryHandle GK_GeometryEngine_createPointAlong(GK_GeometryHandle polyline, double distance, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& line = geometry_of(polyline, geometry_type_polyline);
        if (std::isnan(distance)) refuse("the distance along the polyline is not a number.");
        const Vertex point = point_at_distance(line, distance);
        if (!std::isnan(point.x)) require_finite_result(point);
        return new_point(point, line.has_z, line.has_m, line.spatial_reference);
    });
}
