// The nearest coordinate of a geometry to a point on the ellipsoid, its segments taken as geodesics: each
// segment is sampled at most every `sample_spacing_m`, and the best sample's neighbourhood narrowed by
// golden sections until it is no wider than the deviation asked. A point inside a polygon (by the even-odd
// rule in the system's coordinates) is its own nearest coordinate, at distance 0. The distance is in the
// deviation's unit (metres by default); indices and empty inputs answer as the planar nearest coordinate.
#include <GeographicLib/GeodesicLine.hpp>

#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "engine/proximity_result.hpp"
#include "engine/ring_groups.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::geodesy;
using engine::LinearPart;

namespace {

constexpr double sample_spacing_m = 10e3;
constexpr int min_samples = 8;
// Golden sections stop at this width when no deviation is asked for (0): below what doubles resolve.
constexpr double finest_width_m = 1e-9;
const double golden = (std::sqrt(5.0) - 1.0) / 2.0;

struct Found {
    double distance = std::numeric_limits<double>::infinity();
    double longitude = 0.0, latitude = 0.0;
    size_t part = 0, index = 0;
    double fraction = 0.0;  // along the segment starting at `index`
};

class Target {
public:
    Target(const GeographicLib::Geodesic& geodesic, const FramePoint& point) : geodesic_(geodesic), point_(point) {}
    double distance_to(double longitude, double latitude) const {
        double distance = 0.0;
        geodesic_.Inverse(point_.latitude, point_.longitude, latitude, longitude, distance);
        return distance;
    }

private:
    const GeographicLib::Geodesic& geodesic_;
    FramePoint point_;
};

void consider(Found& best, double distance, double longitude, double latitude, size_t part, size_t index,
              double fraction) {
    if (distance < best.distance) best = Found{distance, longitude, latitude, part, index, fraction};
}

void search_segment(const GeographicLib::Geodesic& geodesic, const Target& target, const FramePoint& a,
                    const FramePoint& b, double width, size_t part, size_t index, Found& best) {
    const GeographicLib::GeodesicLine line = geodesic.InverseLine(a.latitude, a.longitude, b.latitude, b.longitude);
    const double length = line.Distance();
    auto distance_at = [&](double s, double& longitude, double& latitude) {
        line.Position(s, latitude, longitude);
        return target.distance_to(longitude, latitude);
    };
    const int samples = std::max(min_samples, static_cast<int>(std::ceil(length / sample_spacing_m)));
    int nearest = 0;
    double nearest_distance = std::numeric_limits<double>::infinity(), longitude = 0.0, latitude = 0.0;
    for (int k = 0; k <= samples; ++k) {
        const double d = distance_at(length * k / samples, longitude, latitude);
        if (d < nearest_distance) nearest_distance = d, nearest = k;
    }
    double low = length * std::max(0, nearest - 1) / samples, high = length * std::min(samples, nearest + 1) / samples;
    double x1 = high - golden * (high - low), x2 = low + golden * (high - low);
    double f1 = distance_at(x1, longitude, latitude), f2 = distance_at(x2, longitude, latitude);
    while (high - low > width) {
        if (f1 <= f2) {
            high = x2, x2 = x1, f2 = f1;
            x1 = high - golden * (high - low);
            f1 = distance_at(x1, longitude, latitude);
        } else {
            low = x1, x1 = x2, f1 = f2;
            x2 = low + golden * (high - low);
            f2 = distance_at(x2, longitude, latitude);
        }
    }
    for (double s : {low, (low + high) / 2.0, high, length * nearest / samples}) {
        const double d = distance_at(s, longitude, latitude);
        consider(best, d, longitude, latitude, part, index, length > 0.0 ? s / length : 0.0);
    }
}

bool inside_polygon(const std::vector<LinearPart>& rings, double x, double y) {
    bool inside = false;
    for (const LinearPart& ring : rings) inside = inside != engine::ring_holds(ring, x, y);
    return inside;
}

// The index of the input point where the straight piece starting at `index` of a linearized part begins.
int64_t source_point(const LinearPart& part, size_t index) {
    const int64_t source = part.source[index];
    return source >= 0 ? source : -1 - source;
}

}  // namespace

GK_ProximityResultHandle GK_GeometryEngine_nearestCoordinateGeodetic(GK_GeometryHandle geometry, GK_GeometryHandle point,
                                                                     double max_deviation, GK_UnitHandle deviation_unit,
                                                                     GK_EH) {
    return guarded<GK_ProximityResultHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        const GeometryValue& query = point_value_of(point);
        const UnitPointer unit = unit_or_default(deviation_unit, unit_type_linear);
        if (!(max_deviation >= 0.0) || !std::isfinite(max_deviation)) {
            engine::refuse("the maximum deviation must be a finite number of at least 0: got " +
                           engine::number_text(max_deviation) + ".");
        }
        const SpatialReferenceRef reference = engine::joint_spatial_reference(value, query);
        const GeodeticFramePointer frame = GeodeticFrame::of(reference.get());
        auto result = std::make_shared<engine::ProximityResultValue>();
        result->coordinate = point_value(Vertex{}, value.has_z, value.has_m, reference);
        if (is_empty(query) || is_empty(value)) return new_handle<GK_ProximityResultHandle>(std::move(result));
        LinearPart single;
        single.add(query.point, 0);
        const FramePoint target_point = frame_points(*frame, single).front();
        const Target target(frame->geodesic(), target_point);
        const double width = max_deviation > 0.0 ? from_unit(max_deviation, *unit) : finest_width_m;

        std::vector<LinearPart> parts;
        if (value.type == geometry_type_point || value.type == geometry_type_multipoint) {
            LinearPart all;
            if (value.type == geometry_type_point) all.add(value.point, 0);
            if (value.type == geometry_type_multipoint) {
                for (int64_t i = 0; i < value.points->point_count(); ++i) all.add(value.points->point(i), i);
            }
            parts.push_back(std::move(all));
        } else {
            parts = straight_parts(value);
        }
        const bool areal = value.type == geometry_type_polygon || value.type == geometry_type_envelope;
        if (areal && inside_polygon(parts, query.point.x, query.point.y)) {
            result->coordinate = point_value(query.point, value.has_z, value.has_m, reference);
            result->distance = 0.0;
            return new_handle<GK_ProximityResultHandle>(std::move(result));
        }
        const bool segments = value.type != geometry_type_point && value.type != geometry_type_multipoint;
        Found best;
        for (size_t p = 0; p < parts.size(); ++p) {
            const std::vector<FramePoint> points = frame_points(*frame, parts[p]);
            for (size_t i = 0; i < points.size(); ++i) {
                consider(best, target.distance_to(points[i].longitude, points[i].latitude), points[i].longitude,
                         points[i].latitude, p, i, 0.0);
                if (segments && i + 1 < points.size()) {
                    search_segment(frame->geodesic(), target, points[i], points[i + 1], width, p, i, best);
                }
            }
        }
        const LinearPart& part = parts[best.part];
        const size_t next = std::min(best.index + 1, part.size() - 1);
        Vertex nearest{best.longitude, best.latitude};
        frame->from_geographic(nearest.x, nearest.y);
        nearest.z = part.zs[best.index] + (part.zs[next] - part.zs[best.index]) * best.fraction;
        nearest.m = part.ms[best.index] + (part.ms[next] - part.ms[best.index]) * best.fraction;
        if (best.fraction == 0.0) nearest = part.point(best.index);
        result->coordinate = point_value(nearest, value.has_z, value.has_m, reference);
        result->distance = in_unit(best.distance, *unit);
        result->part_index = segments ? static_cast<int64_t>(best.part) : 0;
        result->point_index = segments ? source_point(part, best.index) : static_cast<int64_t>(part.source[best.index]);
        return new_handle<GK_ProximityResultHandle>(std::move(result));
    });
}
