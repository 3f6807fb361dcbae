#include "geometry/geometry_value.hpp"

#include <algorithm>
#include <string>

#include "failure.hpp"
#include "geometry/hashing.hpp"
#include "geometry/point_handles.hpp"

namespace geokern {

const char* geometry_type_name(GK_GeometryType type) {
    switch (type) {
        case geometry_type_point:
            return "point";
        case geometry_type_envelope:
            return "envelope";
        case geometry_type_polyline:
            return "polyline";
        case geometry_type_polygon:
            return "polygon";
        case geometry_type_multipoint:
            return "multipoint";
        default:
            return "unknown geometry";
    }
}

void geometry_type_mismatch(GK_GeometryType expected, GK_GeometryType got) {
    fail(GK_ERROR_TYPE_MISMATCH, "type mismatch.",
         std::string("expected a ") + geometry_type_name(expected) + ", got a " + geometry_type_name(got) + ".");
}

GK_GeometryHandle new_geometry(GeometryValue value) {
    return make_handle<GK_GeometryHandle>(std::move(value));
}

GeometryValue point_value(const Vertex& point, bool has_z, bool has_m,
                          SpatialReferenceRef spatial_reference) {
    GeometryValue value;
    value.type = geometry_type_point;
    value.has_z = has_z;
    value.has_m = has_m;
    value.spatial_reference = std::move(spatial_reference);
    value.point = Vertex{point.x, point.y, has_z ? point.z : nan_value, has_m ? point.m : nan_value};
    return value;
}

// Filled in place: reading a point out of a part is the hottest path of the library.
GK_GeometryHandle new_point(const Vertex& point, bool has_z, bool has_m,
                            const SpatialReferenceRef& spatial_reference) {
    if (GK_GeometryHandle reused =
            reuse_point_handle(point.x, point.y, point.z, point.m, has_z, has_m, spatial_reference)) {
        return reused;
    }
    auto value = make_value<GeometryValue>();
    value->has_z = has_z;
    value->has_m = has_m;
    value->spatial_reference = spatial_reference;
    value->point = Vertex{point.x, point.y, has_z ? point.z : nan_value, has_m ? point.m : nan_value};
    return new_handle<GK_GeometryHandle>(std::move(value));
}

namespace {

void order(double& low, double& high) {
    if (low > high) std::swap(low, high);
}

}  // namespace

GeometryValue envelope_value(EnvelopeData data, bool has_z, bool has_m,
                             SpatialReferenceRef spatial_reference) {
    order(data.xmin, data.xmax);
    order(data.ymin, data.ymax);
    order(data.zmin, data.zmax);
    order(data.mmin, data.mmax);
    if (std::isnan(data.xmin) || std::isnan(data.ymin) || std::isnan(data.xmax) || std::isnan(data.ymax)) {
        data.xmin = data.ymin = data.xmax = data.ymax = nan_value;
    }
    if (!has_z) data.zmin = data.zmax = nan_value;
    if (!has_m) data.mmin = data.mmax = nan_value;
    GeometryValue value;
    value.type = geometry_type_envelope;
    value.has_z = has_z;
    value.has_m = has_m;
    value.spatial_reference = std::move(spatial_reference);
    value.envelope = data;
    return value;
}

namespace {

struct Extent {
    Bounds xy;
    Range z, m;
    void add_part(const PartValue& part) {
        const Bounds bounds = part_bounds(part);
        xy.add(bounds.xmin, bounds.ymin);
        xy.add(bounds.xmax, bounds.ymax);
        for (double value : part.zs) z.add(value);
        for (double value : part.ms) m.add(value);
    }
    EnvelopeData data() const {
        return EnvelopeData{xy.xmin, xy.ymin, xy.xmax, xy.ymax, z.min, z.max, m.min, m.max};
    }
};

}  // namespace

GeometryValue empty_geometry(GK_GeometryType type, bool has_z, bool has_m, SpatialReferenceRef spatial_reference) {
    GeometryValue empty;
    empty.type = type;
    empty.has_z = has_z;
    empty.has_m = has_m;
    empty.spatial_reference = std::move(spatial_reference);
    if (type == geometry_type_multipoint) {
        auto points = std::make_shared<PartValue>();
        points->has_z = has_z;
        points->has_m = has_m;
        empty.points = std::move(points);
    }
    return empty;
}

EnvelopeData extent_of(const GeometryValue& geometry) {
    Extent extent;
    switch (geometry.type) {
        case geometry_type_envelope:
            return geometry.envelope;
        case geometry_type_point:
            extent.xy.add(geometry.point.x, geometry.point.y);
            extent.z.add(geometry.point.z);
            extent.m.add(geometry.point.m);
            break;
        case geometry_type_multipoint:
            extent.add_part(*geometry.points);
            break;
        default:
            for (const auto& part : geometry.parts) extent.add_part(*part);
    }
    if (extent.xy.empty()) return EnvelopeData{};
    return extent.data();
}

bool has_curves(const GeometryValue& geometry) {
    return std::any_of(geometry.parts.begin(), geometry.parts.end(),
                       [](const auto& part) { return part->has_curves(); });
}

bool is_empty(const GeometryValue& geometry) {
    switch (geometry.type) {
        case geometry_type_point:
            return std::isnan(geometry.point.x) || std::isnan(geometry.point.y);
        case geometry_type_envelope:
            return geometry.envelope.empty();
        case geometry_type_multipoint:
            return geometry.points->empty();
        default:
            return std::all_of(geometry.parts.begin(), geometry.parts.end(),
                               [](const auto& part) { return part->empty(); });
    }
}

int32_t dimension_of(const GeometryValue& geometry) {
    switch (geometry.type) {
        case geometry_type_polyline:
            return 1;
        case geometry_type_polygon:
        case geometry_type_envelope:
            return 2;
        default:
            return 0;
    }
}

namespace {

bool near_vertex(const Vertex& a, const Vertex& b, double tolerance) {
    return near_number(a.x, b.x, tolerance) && near_number(a.y, b.y, tolerance) &&
           near_number(a.z, b.z, tolerance) && near_number(a.m, b.m, tolerance);
}

bool near_envelope(const EnvelopeData& a, const EnvelopeData& b, double tolerance) {
    return near_vertex({a.xmin, a.ymin, a.zmin, a.mmin}, {b.xmin, b.ymin, b.zmin, b.mmin}, tolerance) &&
           near_vertex({a.xmax, a.ymax, a.zmax, a.mmax}, {b.xmax, b.ymax, b.zmax, b.mmax}, tolerance);
}

}  // namespace

bool near_geometry(const GeometryValue& a, const GeometryValue& b, double tolerance) {
    if (a.type != b.type || a.has_z != b.has_z || a.has_m != b.has_m) return false;
    if (!same_spatial_reference(a.spatial_reference, b.spatial_reference)) return false;
    switch (a.type) {
        case geometry_type_point:
            return near_vertex(a.point, b.point, tolerance);
        case geometry_type_envelope:
            return near_envelope(a.envelope, b.envelope, tolerance);
        case geometry_type_multipoint:
            return near_part(*a.points, *b.points, tolerance);
        default:
            return std::equal(
                a.parts.begin(), a.parts.end(), b.parts.begin(), b.parts.end(),
                [tolerance](const auto& x, const auto& y) { return near_part(*x, *y, tolerance); });
    }
}

uint64_t geometry_hash(const GeometryValue& geometry) {
    uint64_t seed = hash_mix(static_cast<uint64_t>(geometry.type),
                             (geometry.has_z ? 1u : 0u) | (geometry.has_m ? 2u : 0u));
    switch (geometry.type) {
        case geometry_type_point:
            for (double value : {geometry.point.x, geometry.point.y, geometry.point.z, geometry.point.m}) {
                seed = hash_number(seed, value);
            }
            return seed;
        case geometry_type_envelope: {
            const EnvelopeData& e = geometry.envelope;
            for (double value : {e.xmin, e.ymin, e.xmax, e.ymax, e.zmin, e.zmax, e.mmin, e.mmax}) {
                seed = hash_number(seed, value);
            }
            return seed;
        }
        case geometry_type_multipoint:
            return hash_mix(seed, part_hash(*geometry.points));
        default:
            for (const auto& part : geometry.parts) seed = hash_mix(seed, part_hash(*part));
            return seed;
    }
}

}  // namespace geokern
