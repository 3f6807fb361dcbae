#include "geometry/builder_value.hpp"

#include <string>

#include "failure.hpp"
#include "geometry/part_editing.hpp"

namespace geokern {

GeometryBuilderValue empty_builder(GK_GeometryType type, SpatialReferenceRef spatial_reference) {
    if (type < geometry_type_point || type > geometry_type_multipoint) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             "unknown geometry type " + std::to_string(type) + ".");
    }
    GeometryBuilderValue builder;
    builder.type = type;
    builder.spatial_reference = spatial_reference;
    builder.parts->spatial_reference = spatial_reference;
    builder.points->spatial_reference = std::move(spatial_reference);
    return builder;
}

GeometryBuilderValue builder_for(const GeometryValue& geometry) {
    GeometryBuilderValue builder = empty_builder(geometry.type, geometry.spatial_reference);
    builder.has_z = geometry.has_z;
    builder.has_m = geometry.has_m;
    builder.point = geometry.point;
    builder.envelope = geometry.envelope;
    for (const auto& part : geometry.parts) {
        auto copy = std::make_shared<MutablePartValue>(MutablePartValue{*part, geometry.spatial_reference});
        reopen_ring(copy->part);
        builder.parts->parts.push_back(std::move(copy));
    }
    if (geometry.points != nullptr) builder.points->points = *geometry.points;
    return builder;
}

namespace {

void build_parts(const GeometryBuilderValue& builder, GeometryValue& geometry) {
    std::vector<PartValue> parts;
    parts.reserve(builder.parts->parts.size());
    for (const auto& part : builder.parts->parts) {
        parts.push_back(part->part);
        if (builder.type == geometry_type_polygon) close_ring(parts.back());
        geometry.has_z = geometry.has_z || parts.back().has_z;
        geometry.has_m = geometry.has_m || parts.back().has_m;
    }
    for (PartValue& part : parts) {
        widen(part, geometry.has_z, geometry.has_m);
        geometry.parts.push_back(std::make_shared<const PartValue>(std::move(part)));
    }
}

}  // namespace

GeometryValue build_geometry(const GeometryBuilderValue& builder) {
    switch (builder.type) {
        case geometry_type_point:
            return point_value(builder.point, builder.has_z, builder.has_m, builder.spatial_reference);
        case geometry_type_envelope:
            return envelope_value(builder.envelope, builder.has_z, builder.has_m, builder.spatial_reference);
        default:
            break;
    }
    GeometryValue geometry;
    geometry.type = builder.type;
    geometry.spatial_reference = builder.spatial_reference;
    if (builder.type == geometry_type_multipoint) {
        geometry.has_z = builder.points->points.has_z;
        geometry.has_m = builder.points->points.has_m;
        geometry.points = std::make_shared<const PartValue>(builder.points->points);
    } else {
        build_parts(builder, geometry);
    }
    return geometry;
}

GeometryBuilderValue& builder_of(GK_GeometryBuilderHandle handle, GK_GeometryType expected) {
    GeometryBuilderValue& builder = value_of(handle);
    if (builder.type != expected) {
        fail(GK_ERROR_TYPE_MISMATCH, "type mismatch.",
             std::string("expected a ") + geometry_type_name(expected) + " builder, got a " +
                 geometry_type_name(builder.type) + " builder.");
    }
    return builder;
}

GeometryBuilderValue& multipart_builder_of(GK_GeometryBuilderHandle handle) {
    GeometryBuilderValue& builder = value_of(handle);
    if (builder.type != geometry_type_polyline && builder.type != geometry_type_polygon) {
        fail(GK_ERROR_TYPE_MISMATCH, "type mismatch.",
             std::string("expected a polyline or polygon builder, got a ") +
                 geometry_type_name(builder.type) + " builder.");
    }
    return builder;
}

GeometryValue polygon_to_polyline(const GeometryValue& polygon) {
    GeometryValue polyline = polygon;
    polyline.type = geometry_type_polyline;
    polyline.parts.clear();
    for (const auto& ring : polygon.parts) {
        PartValue path = *ring;
        reopen_ring(path);
        polyline.parts.push_back(std::make_shared<const PartValue>(std::move(path)));
    }
    return polyline;
}

}  // namespace geokern
