// Boundary: a polygon's rings as closed paths (curves kept exactly); a polyline's end points by the mod-2
// rule (an end point shared by an even number of path ends, a closed path's ends included, is not on the
// boundary), in the order of their first appearance, each with the z and m of that appearance; points
// and multipoints have an empty boundary (a multipoint); an envelope's is its rectangle as a clockwise
// closed path starting at the lower left corner, its vertices without z or m values.
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "engine/geos_conversion.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

GeometryValue shaped(const GeometryValue& geometry, GK_GeometryType type) {
    GeometryValue result;
    result.type = type;
    result.has_z = geometry.has_z;
    result.has_m = geometry.has_m;
    result.spatial_reference = geometry.spatial_reference;
    return result;
}

GeometryValue rings_as_paths(const GeometryValue& polygon, const GeometryValue& like) {
    GeometryValue result = shaped(like, geometry_type_polyline);
    for (const auto& ring : polygon.parts) {
        if (ring->empty()) continue;
        PartValue path = *ring;
        path.has_z = like.has_z;
        path.has_m = like.has_m;
        if (like.has_z && path.zs.size() != path.xs.size()) path.zs.assign(path.xs.size(), nan_value);
        if (like.has_m && path.ms.size() != path.xs.size()) path.ms.assign(path.xs.size(), nan_value);
        reopen_ring(path);
        result.parts.push_back(std::make_shared<const PartValue>(std::move(path)));
    }
    return result;
}

GeometryValue end_points(const GeometryValue& polyline) {
    GeometryValue result = shaped(polyline, geometry_type_multipoint);
    struct Count {
        size_t first;  // order of first appearance
        Vertex vertex;
        int ends = 0;
    };
    std::map<std::pair<double, double>, Count> counts;
    size_t order = 0;
    auto count_end = [&](const Vertex& v) {
        // 0 and -0 are the same place.
        const std::pair<double, double> key{v.x == 0.0 ? 0.0 : v.x, v.y == 0.0 ? 0.0 : v.y};
        auto [found, added] = counts.try_emplace(key, Count{order, v, 0});
        if (added) ++order;
        ++found->second.ends;
    };
    for (const auto& part : polyline.parts) {
        if (part->empty()) continue;
        count_end(part->point(0));
        count_end(part->point(part->point_count() - 1));
    }
    std::vector<const Count*> odd;
    for (const auto& [key, count] : counts) {
        if (count.ends % 2 == 1) odd.push_back(&count);
    }
    std::sort(odd.begin(), odd.end(), [](const Count* a, const Count* b) { return a->first < b->first; });
    PartValue points;
    points.has_z = polyline.has_z;
    points.has_m = polyline.has_m;
    for (const Count* count : odd) {
        points.xs.push_back(count->vertex.x);
        points.ys.push_back(count->vertex.y);
        if (points.has_z) points.zs.push_back(count->vertex.z);
        if (points.has_m) points.ms.push_back(count->vertex.m);
    }
    result.points = std::make_shared<const PartValue>(std::move(points));
    return result;
}

GeometryValue boundary_of(const GeometryValue& geometry) {
    switch (geometry.type) {
        case geometry_type_polygon:
            return rings_as_paths(geometry, geometry);
        case geometry_type_envelope:
            return rings_as_paths(polygon_of_envelope(geometry), geometry);
        case geometry_type_polyline:
            return end_points(geometry);
        default: {
            GeometryValue result = shaped(geometry, geometry_type_multipoint);
            auto points = std::make_shared<PartValue>();
            points->has_z = geometry.has_z;
            points->has_m = geometry.has_m;
            result.points = std::move(points);
            return result;
        }
    }
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_boundary(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(boundary_of(value_of(geometry))); });
}
