// The read-only collections of a geometry: its parts (ImmutablePartCollection, from Multipart_getParts)
// and its points (ImmutablePointCollection, from Multipoint_getPoints or a part's getPoints). They share
// the geometry's values, which never change.
#include "geometry/containers.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

const GeometryValue& multipart_of(GK_GeometryHandle geometry) {
    const GeometryValue& value = value_of(geometry);
    if (value.type != geometry_type_polyline && value.type != geometry_type_polygon) {
        fail(GK_ERROR_TYPE_MISMATCH, "type mismatch.",
             std::string("expected a polyline or polygon, got a ") + geometry_type_name(value.type) + ".");
    }
    return value;
}

const std::vector<std::shared_ptr<const PartValue>>& parts_of(GK_ImmutablePartCollectionHandle collection) {
    return value_of(collection).geometry->parts;
}

}  // namespace

GK_ImmutablePartCollectionHandle GK_Multipart_getParts(GK_GeometryHandle multipart, GK_EH) {
    return guarded<GK_ImmutablePartCollectionHandle>(handler, [&] {
        multipart_of(multipart);
        return make_handle<GK_ImmutablePartCollectionHandle>(
            ImmutablePartCollectionValue{shared_value(multipart)});
    });
}

GK_ImmutablePointCollectionHandle GK_Multipoint_getPoints(GK_GeometryHandle multipoint, GK_EH) {
    return guarded<GK_ImmutablePointCollectionHandle>(handler, [&] {
        const GeometryValue& value = geometry_of(multipoint, geometry_type_multipoint);
        return make_handle<GK_ImmutablePointCollectionHandle>(
            ImmutablePointCollectionValue{value.points, value.spatial_reference});
    });
}

void GK_ImmutablePartCollection_destroy(GK_ImmutablePartCollectionHandle collection, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(collection); });
}

GK_Bool GK_ImmutablePartCollection_getIsEmpty(GK_ImmutablePartCollectionHandle collection, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{parts_of(collection).empty()}; });
}

int64_t GK_ImmutablePartCollection_getSize(GK_ImmutablePartCollectionHandle collection, GK_EH) {
    return guarded<int64_t>(handler, [&] { return static_cast<int64_t>(parts_of(collection).size()); });
}

GK_SpatialReferenceHandle GK_ImmutablePartCollection_getSpatialReference(
    GK_ImmutablePartCollectionHandle collection, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(collection).geometry->spatial_reference); });
}

GK_ImmutablePartHandle GK_ImmutablePartCollection_getPart(GK_ImmutablePartCollectionHandle collection,
                                                          int64_t part_index, GK_EH) {
    return guarded<GK_ImmutablePartHandle>(handler, [&] {
        const GeometryValue& geometry = *value_of(collection).geometry;
        check_collection_index(part_index, geometry.parts.size(), "part");
        return make_handle<GK_ImmutablePartHandle>(
            ImmutablePartValue{geometry.parts[static_cast<size_t>(part_index)], geometry.spatial_reference});
    });
}

// The position of that very part (not of an equal one), -1 when it is not in the collection.
int64_t GK_ImmutablePartCollection_indexOf(GK_ImmutablePartCollectionHandle collection,
                                           GK_ImmutablePartHandle part, GK_EH) {
    return guarded<int64_t>(handler, [&] {
        const auto& parts = parts_of(collection);
        const auto found = std::find(parts.begin(), parts.end(), value_of(part).part);
        return found == parts.end() ? int64_t{-1} : static_cast<int64_t>(found - parts.begin());
    });
}

void GK_ImmutablePointCollection_destroy(GK_ImmutablePointCollectionHandle collection, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(collection); });
}

GK_Bool GK_ImmutablePointCollection_getIsEmpty(GK_ImmutablePointCollectionHandle collection, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(collection).points->empty()}; });
}

int64_t GK_ImmutablePointCollection_getSize(GK_ImmutablePointCollectionHandle collection, GK_EH) {
    return guarded<int64_t>(handler, [&] { return value_of(collection).points->point_count(); });
}

GK_SpatialReferenceHandle GK_ImmutablePointCollection_getSpatialReference(
    GK_ImmutablePointCollectionHandle collection, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(collection).spatial_reference); });
}

GK_GeometryHandle GK_ImmutablePointCollection_getPoint(GK_ImmutablePointCollectionHandle collection,
                                                       int64_t point_index, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const ImmutablePointCollectionValue& value = value_of(collection);
        value.points->check_point_index(point_index);
        return new_point(value.points->point(point_index), value.points->has_z, value.points->has_m,
                         value.spatial_reference);
    });
}

// The first point with the same coordinates, -1 when there is none.
int64_t GK_ImmutablePointCollection_indexOf(GK_ImmutablePointCollectionHandle collection,
                                            GK_GeometryHandle point, GK_EH) {
    return guarded<int64_t>(
        handler, [&] { return index_of_point(*value_of(collection).points, point_value_of(point)); });
}
