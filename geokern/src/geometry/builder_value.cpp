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
    builder.spatial_reference = std::move(spatial_reference);
    return builder;
}

namespace {

template <class Collection>
const std::shared_ptr<Collection>& made(std::shared_ptr<Collection>& collection,
                                        const SpatialReferenceRef& spatial_reference) {
    if (collection == nullptr) {
        collection = std::make_shared<Collection>();
        collection->spatial_reference = spatial_reference;
    }
    return collection;
}

}  // namespace

const std::shared_ptr<MutablePartCollectionValue>& builder_parts(GeometryBuilderValue& builder) {
    return made(builder.parts, builder.spatial_reference);
}

const std::shared_ptr<MutablePointCollectionValue>& builder_points(GeometryBuilderValue& builder) {
    return made(builder.points, builder.spatial_reference);
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
        builder_parts(builder)->parts.push_back(std::move(copy));
    }
    if (geometry.points != nullptr) builder_points(builder)->points = *geometry.points;
    return builder;
}

namespace {

// Every part is copied once, straight into the block the geometry shares it from.
void build_parts(const GeometryBuilderValue& builder, GeometryValue& geometry) {
    if (builder.parts == nullptr) return;
    const auto& assembled = builder.parts->parts;
    for (const auto& part : assembled) {
        geometry.has_z = geometry.has_z || part->part.has_z;
        geometry.has_m = geometry.has_m || part->part.has_m;
    }
    geometry.parts.reserve(assembled.size());
    for (const auto& part : assembled) {
        auto copy = std::make_shared<PartValue>(part->part);
        if (builder.type == geometry_type_polygon) close_ring(*copy);
        widen(*copy, geometry.has_z, geometry.has_m);
        geometry.parts.push_back(std::move(copy));
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
        static const PartValue no_points;
        const PartValue& points = builder.points != nullptr ? builder.points->points : no_points;
        geometry.has_z = points.has_z;
        geometry.has_m = points.has_m;
        geometry.points = std::make_shared<const PartValue>(points);
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
