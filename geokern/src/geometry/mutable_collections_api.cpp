// The collections a multipart or multipoint is assembled in. A part collection shares its parts (see
// containers.hpp); a point collection copies the points it is given.
#include "element_value.hpp"
#include "geometry/containers.hpp"
#include "geometry/part_editing.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

auto& parts_of(GK_MutablePartCollectionHandle collection) {
    return value_of(collection).parts;
}
PartValue& points_of(GK_MutablePointCollectionHandle collection) {
    return value_of(collection).points;
}

void check_insert_position(int64_t index, size_t size, const char* what) {
    if (index != static_cast<int64_t>(size)) check_collection_index(index, size, what);
}

template <class Edit>
void edit_points(const GK_ErrorHandler* handler, GK_MutablePointCollectionHandle collection, Edit&& change) {
    guarded<void>(handler, [&] { change(points_of(collection)); });
}

}  // namespace

void GK_MutablePartCollection_destroy(GK_MutablePartCollectionHandle collection, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(collection); });
}

GK_MutablePartCollectionHandle GK_MutablePartCollection_createWithSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_MutablePartCollectionHandle>(handler, [&] {
        return make_handle<GK_MutablePartCollectionHandle>(
            MutablePartCollectionValue{{}, spatial_reference_argument(spatial_reference)});
    });
}

GK_Bool GK_MutablePartCollection_getIsEmpty(GK_MutablePartCollectionHandle collection, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{parts_of(collection).empty()}; });
}

int64_t GK_MutablePartCollection_getSize(GK_MutablePartCollectionHandle collection, GK_EH) {
    return guarded<int64_t>(handler, [&] { return static_cast<int64_t>(parts_of(collection).size()); });
}

GK_SpatialReferenceHandle GK_MutablePartCollection_getSpatialReference(
    GK_MutablePartCollectionHandle collection, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(collection).spatial_reference); });
}

void GK_MutablePartCollection_addPart(GK_MutablePartCollectionHandle collection, GK_MutablePartHandle part,
                                      GK_EH) {
    guarded<void>(handler, [&] {
        auto shared = shared_value(part);
        parts_of(collection).push_back(std::move(shared));
    });
}

GK_MutablePartHandle GK_MutablePartCollection_getPart(GK_MutablePartCollectionHandle collection,
                                                      int64_t part_index, GK_EH) {
    return guarded<GK_MutablePartHandle>(handler, [&] {
        auto& parts = parts_of(collection);
        check_collection_index(part_index, parts.size(), "part");
        return new_handle<GK_MutablePartHandle>(parts[static_cast<size_t>(part_index)]);
    });
}

// The position of that very part, -1 when it is not in the collection.
int64_t GK_MutablePartCollection_indexOf(GK_MutablePartCollectionHandle collection, GK_MutablePartHandle part,
                                         GK_EH) {
    return guarded<int64_t>(handler, [&] {
        const auto& parts = parts_of(collection);
        const auto found = std::find(parts.begin(), parts.end(), shared_value(part));
        return found == parts.end() ? int64_t{-1} : static_cast<int64_t>(found - parts.begin());
    });
}

void GK_MutablePartCollection_insertPart(GK_MutablePartCollectionHandle collection, int64_t part_index,
                                         GK_MutablePartHandle part, GK_EH) {
    guarded<void>(handler, [&] {
        auto& parts = parts_of(collection);
        check_insert_position(part_index, parts.size(), "part");
        auto shared = shared_value(part);
        parts.insert(parts.begin() + part_index, std::move(shared));
    });
}

void GK_MutablePartCollection_removeAll(GK_MutablePartCollectionHandle collection, GK_EH) {
    guarded<void>(handler, [&] { parts_of(collection).clear(); });
}

void GK_MutablePartCollection_removePart(GK_MutablePartCollectionHandle collection, int64_t part_index,
                                         GK_EH) {
    guarded<void>(handler, [&] {
        auto& parts = parts_of(collection);
        check_collection_index(part_index, parts.size(), "part");
        parts.erase(parts.begin() + part_index);
    });
}

void GK_MutablePartCollection_setPart(GK_MutablePartCollectionHandle collection, int64_t part_index,
                                      GK_MutablePartHandle part, GK_EH) {
    guarded<void>(handler, [&] {
        auto& parts = parts_of(collection);
        check_collection_index(part_index, parts.size(), "part");
        parts[static_cast<size_t>(part_index)] = shared_value(part);
    });
}

void GK_MutablePointCollection_destroy(GK_MutablePointCollectionHandle collection, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(collection); });
}

GK_MutablePointCollectionHandle GK_MutablePointCollection_createWithSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_MutablePointCollectionHandle>(handler, [&] {
        return make_handle<GK_MutablePointCollectionHandle>(
            MutablePointCollectionValue{{}, spatial_reference_argument(spatial_reference)});
    });
}

GK_Bool GK_MutablePointCollection_getIsEmpty(GK_MutablePointCollectionHandle collection, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{points_of(collection).empty()}; });
}

int64_t GK_MutablePointCollection_getSize(GK_MutablePointCollectionHandle collection, GK_EH) {
    return guarded<int64_t>(handler, [&] { return points_of(collection).point_count(); });
}

GK_SpatialReferenceHandle GK_MutablePointCollection_getSpatialReference(
    GK_MutablePointCollectionHandle collection, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(collection).spatial_reference); });
}

void GK_MutablePointCollection_addPoint(GK_MutablePointCollectionHandle collection, GK_GeometryHandle point,
                                        GK_EH) {
    edit_points(handler, collection, [&](PartValue& points) {
        const GeometryValue& added = point_value_of(point);
        add_point(points, added.point, added.has_z, added.has_m);
    });
}

void GK_MutablePointCollection_addPointXY(GK_MutablePointCollectionHandle collection, double x, double y,
                                          GK_EH) {
    edit_points(handler, collection,
                [&](PartValue& points) { add_point(points, Vertex{x, y}, false, false); });
}

void GK_MutablePointCollection_addPointXYZ(GK_MutablePointCollectionHandle collection, double x, double y,
                                           double z, GK_EH) {
    edit_points(handler, collection,
                [&](PartValue& points) { add_point(points, Vertex{x, y, z}, true, false); });
}

// A vector of geometries, every one a point; nothing is added when one is not.
void GK_MutablePointCollection_addPoints(GK_MutablePointCollectionHandle collection, GK_VectorHandle points,
                                         GK_EH) {
    edit_points(handler, collection, [&](PartValue& target) {
        const VectorValue& vector = value_of(points);
        if (vector.value_type != GK_ELEMENT_TYPE_GEOMETRY)
            fail_type_mismatch(GK_ELEMENT_TYPE_GEOMETRY, vector.value_type);
        std::vector<const GeometryValue*> added;
        for (const Value& item : vector.items) {
            const auto* geometry =
                static_cast<const GeometryValue*>(std::get<std::shared_ptr<void>>(item.data).get());
            if (geometry->type != geometry_type_point) {
                fail(GK_ERROR_TYPE_MISMATCH, "type mismatch.",
                     "every geometry added as a point must be a point.");
            }
            added.push_back(geometry);
        }
        for (const GeometryValue* point : added) add_point(target, point->point, point->has_z, point->has_m);
    });
}

void GK_MutablePointCollection_addPointsFromImmutable(GK_MutablePointCollectionHandle collection,
                                                      GK_ImmutablePointCollectionHandle points, GK_EH) {
    edit_points(handler, collection, [&](PartValue& target) {
        const PartValue& source = *value_of(points).points;
        for (int64_t i = 0; i < source.point_count(); ++i)
            add_point(target, source.point(i), source.has_z, source.has_m);
    });
}

GK_GeometryHandle GK_MutablePointCollection_getPoint(GK_MutablePointCollectionHandle collection,
                                                     int64_t point_index, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const MutablePointCollectionValue& value = value_of(collection);
        value.points.check_point_index(point_index);
        return new_point(value.points.point(point_index), value.points.has_z, value.points.has_m,
                         value.spatial_reference);
    });
}

// The first point with the same x and y (and z and m where the collection has them), -1 when none.
int64_t GK_MutablePointCollection_indexOf(GK_MutablePointCollectionHandle collection, GK_GeometryHandle point,
                                          GK_EH) {
    return guarded<int64_t>(handler, [&] {
        const PartValue& points = points_of(collection);
        return index_of_point(points, point_value_of(point));
    });
}

void GK_MutablePointCollection_insertPoint(GK_MutablePointCollectionHandle collection, int64_t point_index,
                                           GK_GeometryHandle point, GK_EH) {
    edit_points(handler, collection, [&](PartValue& points) {
        const GeometryValue& added = point_value_of(point);
        insert_point(points, point_index, added.point, added.has_z, added.has_m);
    });
}

void GK_MutablePointCollection_insertPointXY(GK_MutablePointCollectionHandle collection, int64_t point_index,
                                             double x, double y, GK_EH) {
    edit_points(handler, collection,
                [&](PartValue& points) { insert_point(points, point_index, Vertex{x, y}, false, false); });
}

void GK_MutablePointCollection_insertPointXYZ(GK_MutablePointCollectionHandle collection, int64_t point_index,
                                              double x, double y, double z, GK_EH) {
    edit_points(handler, collection,
                [&](PartValue& points) { insert_point(points, point_index, Vertex{x, y, z}, true, false); });
}

void GK_MutablePointCollection_removeAll(GK_MutablePointCollectionHandle collection, GK_EH) {
    edit_points(handler, collection, [&](PartValue& points) { remove_all(points); });
}

void GK_MutablePointCollection_removePoint(GK_MutablePointCollectionHandle collection, int64_t point_index,
                                           GK_EH) {
    edit_points(handler, collection, [&](PartValue& points) { remove_point(points, point_index); });
}

void GK_MutablePointCollection_setPoint(GK_MutablePointCollectionHandle collection, int64_t point_index,
                                        GK_GeometryHandle point, GK_EH) {
    edit_points(handler, collection, [&](PartValue& points) {
        const GeometryValue& added = point_value_of(point);
        set_point(points, point_index, added.point, added.has_z, added.has_m);
    });
}
