#include "engine/simplify.hpp"

#include <cmath>
#include <set>
#include <utility>

#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/topology_support.hpp"
#include "engine/vertex_attributes.hpp"

namespace geokern::engine {
namespace {

// A polygon's rings after the local repairs (closing, repeated vertices, degenerate rings), and
// whether those repairs changed anything.
struct CleanRings {
    std::vector<std::shared_ptr<const PartValue>> parts;
    std::vector<LinearPart> linear;
    bool changed = false;
};

CleanRings clean_rings(const GeometryValue& polygon, double deviation) {
    CleanRings result;
    for (const auto& source : polygon.parts) {
        PartValue ring = *source;
        if (!ring.closed) {
            close_ring(ring);
            result.changed = true;
        }
        PartValue cleaned;
        if (drop_zero_segments(ring, cleaned)) result.changed = true;
        LinearPart linear = linearize(cleaned, deviation);
        if (linear.size() < 4 || all_collinear(linear)) {
            result.changed = true;
            continue;
        }
        result.parts.push_back(std::make_shared<const PartValue>(std::move(cleaned)));
        result.linear.push_back(std::move(linear));
    }
    return result;
}

struct PolygonCheck {
    CleanRings rings;
    GeosGeometry geos_form;
    bool valid = false;  // GEOS-valid with every hole inside an outer ring
};

PolygonCheck check_polygon(const GeometryValue& polygon) {
    PolygonCheck check;
    check.rings = clean_rings(polygon, chord_deviation(polygon));
    const RingGroups groups = group_rings(check.rings.linear);
    std::vector<GeosGeometry> members;
    for (const RingGroup& group : groups.groups) members.push_back(geos_polygon(check.rings.linear, group));
    for (size_t h : groups.lonely) members.push_back(geos_polygon(check.rings.linear, RingGroup{h, {}}));
    check.geos_form = geos_collection(GEOS_MULTIPOLYGON, std::move(members));
    check.valid = groups.lonely.empty() && checked(GEOSisValid_r(geos(), check.geos_form.get()), "checking validity");
    return check;
}

bool polyline_changes(const GeometryValue& polyline, std::vector<std::shared_ptr<const PartValue>>* kept) {
    bool changed = false;
    for (const auto& source : polyline.parts) {
        PartValue cleaned;
        if (drop_zero_segments(*source, cleaned)) changed = true;
        if (cleaned.point_count() < 2) {
            changed = true;
            continue;
        }
        if (kept != nullptr) kept->push_back(std::make_shared<const PartValue>(std::move(cleaned)));
    }
    return changed;
}

PartValue distinct_points(const PartValue& points, bool& changed) {
    PartValue result;
    result.has_z = points.has_z;
    result.has_m = points.has_m;
    std::set<std::pair<double, double>> seen;
    for (int64_t i = 0; i < points.point_count(); ++i) {
        // 0 and -0 are one coordinate.
        const double x = points.xs[i] == 0.0 ? 0.0 : points.xs[i], y = points.ys[i] == 0.0 ? 0.0 : points.ys[i];
        if (!seen.insert({x, y}).second) {
            changed = true;
            continue;
        }
        result.xs.push_back(points.xs[i]);
        result.ys.push_back(points.ys[i]);
        if (points.has_z) result.zs.push_back(points.zs[i]);
        if (points.has_m) result.ms.push_back(points.ms[i]);
    }
    return result;
}

GeometryValue remade_polygon(const GeometryValue& polygon, PolygonCheck& check) {
    GeometryValue result = polygon;
    result.parts = check.rings.parts;
    if (check.valid) return result;
    GeosGeometry valid = made_valid(check.geos_form.get());
    VertexAttributes attributes;
    attributes.add(polygon, chord_deviation(polygon));
    return from_geos(valid.get(), ResultShape{geometry_type_polygon, polygon.has_z, polygon.has_m,
                                              polygon.spatial_reference, &attributes});
}

}  // namespace

bool is_simple_geometry(const GeometryValue& geometry) {
    if (!finite_coordinates(geometry)) return false;
    switch (geometry.type) {
        case geometry_type_point:
        case geometry_type_envelope:
            return true;
        case geometry_type_multipoint: {
            bool changed = false;
            distinct_points(*geometry.points, changed);
            return !changed;
        }
        case geometry_type_polyline:
            return !polyline_changes(geometry, nullptr);
        default: {
            const PolygonCheck check = check_polygon(geometry);
            return !check.rings.changed && check.valid;
        }
    }
}

GeometryValue simplified_geometry(const GeometryValue& geometry) {
    if (!finite_coordinates(geometry)) refuse("simplify needs finite coordinates: a vertex or curve of the geometry has a NaN or infinite coordinate.");
    switch (geometry.type) {
        case geometry_type_point:
        case geometry_type_envelope:
            return geometry;
        case geometry_type_multipoint: {
            bool changed = false;
            PartValue points = distinct_points(*geometry.points, changed);
            if (!changed) return geometry;
            GeometryValue result = geometry;
            result.points = std::make_shared<const PartValue>(std::move(points));
            return result;
        }
        case geometry_type_polyline: {
            std::vector<std::shared_ptr<const PartValue>> kept;
            if (!polyline_changes(geometry, &kept)) return geometry;
            GeometryValue result = geometry;
            result.parts = std::move(kept);
            return result;
        }
        default: {
            PolygonCheck check = check_polygon(geometry);
            if (!check.rings.changed && check.valid) return geometry;
            return remade_polygon(geometry, check);
        }
    }
}

}  // namespace geokern::engine
