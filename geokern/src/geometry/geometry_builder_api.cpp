// The GeometryBuilder family and the builders of multiparts and multipoints. What a builder answers is
// what the geometry it would build now answers.
#include "geometry/builder_value.hpp"
#include "geometry/part_editing.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

template <class Read>
auto read_built(const GK_ErrorHandler* handler, GK_GeometryBuilderHandle builder, Read&& read) {
    using Result = decltype(read(std::declval<const GeometryValue&>()));
    return guarded<Result>(handler, [&] { return read(build_geometry(value_of(builder))); });
}

GK_GeometryBuilderHandle new_builder(GeometryBuilderValue value) {
    return make_handle<GK_GeometryBuilderHandle>(std::move(value));
}

// A polyline needs a part with a segment; a polygon a ring of three points; a multipoint a point.
bool sketch_valid(const GeometryValue& geometry) {
    if (geometry.type == geometry_type_polyline || geometry.type == geometry_type_polygon) {
        const int64_t needed = geometry.type == geometry_type_polygon ? 3 : 2;
        return std::any_of(geometry.parts.begin(), geometry.parts.end(),
                           [needed](const auto& part) { return part->point_count() >= needed; });
    }
    return !is_empty(geometry);
}

PartValue& last_part(GeometryBuilderValue& builder) {
    auto& parts = builder_parts(builder)->parts;
    if (parts.empty())
        parts.push_back(std::make_shared<MutablePartValue>(MutablePartValue{{}, builder.spatial_reference}));
    return parts.back()->part;
}

}  // namespace

void GK_GeometryBuilder_destroy(GK_GeometryBuilderHandle builder, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(builder); });
}

GK_GeometryHandle GK_GeometryBuilder_getExtent(GK_GeometryBuilderHandle builder, GK_EH) {
    return read_built(handler, builder, [](const GeometryValue& geometry) {
        return new_geometry(
            envelope_value(extent_of(geometry), geometry.has_z, geometry.has_m, geometry.spatial_reference));
    });
}

GK_Bool GK_GeometryBuilder_getHasCurves(GK_GeometryBuilderHandle builder, GK_EH) {
    return read_built(handler, builder,
                      [](const GeometryValue& geometry) { return GK_Bool{has_curves(geometry)}; });
}

GK_Bool GK_GeometryBuilder_getHasM(GK_GeometryBuilderHandle builder, GK_EH) {
    return read_built(handler, builder,
                      [](const GeometryValue& geometry) { return GK_Bool{geometry.has_m}; });
}

GK_Bool GK_GeometryBuilder_getHasZ(GK_GeometryBuilderHandle builder, GK_EH) {
    return read_built(handler, builder,
                      [](const GeometryValue& geometry) { return GK_Bool{geometry.has_z}; });
}

GK_Bool GK_GeometryBuilder_getIsEmpty(GK_GeometryBuilderHandle builder, GK_EH) {
    return read_built(handler, builder,
                      [](const GeometryValue& geometry) { return GK_Bool{is_empty(geometry)}; });
}

GK_Bool GK_GeometryBuilder_getIsSketchValid(GK_GeometryBuilderHandle builder, GK_EH) {
    return read_built(handler, builder,
                      [](const GeometryValue& geometry) { return GK_Bool{sketch_valid(geometry)}; });
}

GK_GeometryType GK_GeometryBuilder_getObjectType(GK_GeometryBuilderHandle builder, GK_EH) {
    return guarded<GK_GeometryType>(handler, [&] { return value_of(builder).type; });
}

GK_SpatialReferenceHandle GK_GeometryBuilder_getSpatialReference(GK_GeometryBuilderHandle builder, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(builder).spatial_reference); });
}

GK_GeometryBuilderHandle GK_GeometryBuilder_createFromGeometry(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler,
                                             [&] { return new_builder(builder_for(value_of(geometry))); });
}

GK_GeometryBuilderHandle GK_GeometryBuilder_createFromGeometryTypeAndSpatialReference(
    GK_GeometryType geometry_type, GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        return new_builder(empty_builder(geometry_type, spatial_reference_argument(spatial_reference)));
    });
}

// The geometry must be of the builder's type.
void GK_GeometryBuilder_replaceGeometry(GK_GeometryBuilderHandle builder, GK_GeometryHandle geometry, GK_EH) {
    guarded<void>(handler, [&] {
        GeometryBuilderValue& target = value_of(builder);
        GeometryBuilderValue replacement = builder_for(geometry_of(geometry, target.type));
        target = std::move(replacement);
    });
}

GK_GeometryHandle GK_GeometryBuilder_toGeometry(GK_GeometryBuilderHandle builder, GK_EH) {
    return guarded<GK_GeometryHandle>(handler,
                                      [&] { return new_geometry(build_geometry(value_of(builder))); });
}

GK_GeometryBuilderHandle GK_PolylineBuilder_createFromPolyline(GK_GeometryHandle polyline, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(
        handler, [&] { return new_builder(builder_for(geometry_of(polyline, geometry_type_polyline))); });
}

GK_GeometryBuilderHandle GK_PolylineBuilder_createFromSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        return new_builder(
            empty_builder(geometry_type_polyline, spatial_reference_argument(spatial_reference)));
    });
}

GK_GeometryBuilderHandle GK_PolygonBuilder_createFromPolygon(GK_GeometryHandle polygon, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(
        handler, [&] { return new_builder(builder_for(geometry_of(polygon, geometry_type_polygon))); });
}

GK_GeometryBuilderHandle GK_PolygonBuilder_createFromSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        return new_builder(
            empty_builder(geometry_type_polygon, spatial_reference_argument(spatial_reference)));
    });
}

GK_GeometryHandle GK_PolygonBuilder_toPolyline(GK_GeometryBuilderHandle builder, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(polygon_to_polyline(build_geometry(builder_of(builder, geometry_type_polygon))));
    });
}

GK_GeometryHandle GK_Polygon_toPolyline(GK_GeometryHandle polygon, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(polygon_to_polyline(geometry_of(polygon, geometry_type_polygon)));
    });
}

GK_GeometryBuilderHandle GK_MultipointBuilder_createFromMultipoint(GK_GeometryHandle multipoint, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(
        handler, [&] { return new_builder(builder_for(geometry_of(multipoint, geometry_type_multipoint))); });
}

GK_GeometryBuilderHandle GK_MultipointBuilder_createFromSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        return new_builder(
            empty_builder(geometry_type_multipoint, spatial_reference_argument(spatial_reference)));
    });
}

// The builder's own collection: edits through it show in the builder.
GK_MutablePointCollectionHandle GK_MultipointBuilder_getPoints(GK_GeometryBuilderHandle builder, GK_EH) {
    return guarded<GK_MutablePointCollectionHandle>(handler, [&] {
        return new_handle<GK_MutablePointCollectionHandle>(
            builder_points(builder_of(builder, geometry_type_multipoint)));
    });
}

// The builder shares the collection from now on.
void GK_MultipointBuilder_setPoints(GK_GeometryBuilderHandle builder, GK_MutablePointCollectionHandle points,
                                    GK_EH) {
    guarded<void>(handler, [&] {
        auto shared = shared_value(points);
        builder_of(builder, geometry_type_multipoint).points = std::move(shared);
    });
}

GK_MutablePartCollectionHandle GK_MultipartBuilder_getParts(GK_GeometryBuilderHandle builder, GK_EH) {
    return guarded<GK_MutablePartCollectionHandle>(handler, [&] {
        return new_handle<GK_MutablePartCollectionHandle>(builder_parts(multipart_builder_of(builder)));
    });
}

void GK_MultipartBuilder_setParts(GK_GeometryBuilderHandle builder, GK_MutablePartCollectionHandle parts,
                                  GK_EH) {
    guarded<void>(handler, [&] {
        auto shared = shared_value(parts);
        multipart_builder_of(builder).parts = std::move(shared);
    });
}

// Points go to the last part, which is created when there is none.
void GK_MultipartBuilder_addPoint(GK_GeometryBuilderHandle builder, GK_GeometryHandle point, GK_EH) {
    guarded<void>(handler, [&] {
        const GeometryValue& added = point_value_of(point);
        add_point(last_part(multipart_builder_of(builder)), added.point, added.has_z, added.has_m);
    });
}

void GK_MultipartBuilder_addPointXY(GK_GeometryBuilderHandle builder, double x, double y, GK_EH) {
    guarded<void>(handler,
                  [&] { add_point(last_part(multipart_builder_of(builder)), Vertex{x, y}, false, false); });
}

void GK_MultipartBuilder_addPointXYZ(GK_GeometryBuilderHandle builder, double x, double y, double z, GK_EH) {
    guarded<void>(handler,
                  [&] { add_point(last_part(multipart_builder_of(builder)), Vertex{x, y, z}, true, false); });
}
