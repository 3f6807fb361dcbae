// The MutablePart family: a part being assembled. How each edit keeps points and segments consistent is
// described in part_editing.hpp.
#include "geometry/part_reading.hpp"

using namespace geokern;

namespace {

PartValue& part_of(GK_MutablePartHandle part) {
    return value_of(part).part;
}
const SpatialReferenceRef& spatial_of(GK_MutablePartHandle part) {
    return value_of(part).spatial_reference;
}

template <class Edit>
void edit(const GK_ErrorHandler* handler, GK_MutablePartHandle part, Edit&& change) {
    guarded<void>(handler, [&] { change(part_of(part)); });
}

}  // namespace

void GK_MutablePart_destroy(GK_MutablePartHandle part, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(part); });
}

GK_MutablePartHandle GK_MutablePart_createWithSpatialReference(GK_SpatialReferenceHandle spatial_reference,
                                                               GK_EH) {
    return guarded<GK_MutablePartHandle>(handler, [&] {
        return make_handle<GK_MutablePartHandle>(
            MutablePartValue{{}, spatial_reference_argument(spatial_reference)});
    });
}

GEOKERN_PART_READERS(MutablePart, GK_MutablePartHandle)

// The points as they are now: the collection is a copy, later edits of the part do not show in it.
GK_ImmutablePointCollectionHandle GK_MutablePart_getPoints(GK_MutablePartHandle part, GK_EH) {
    return guarded<GK_ImmutablePointCollectionHandle>(handler, [&] {
        PartValue points = part_of(part);
        points.curves.clear();
        return make_handle<GK_ImmutablePointCollectionHandle>(ImmutablePointCollectionValue{
            std::make_shared<const PartValue>(std::move(points)), spatial_of(part)});
    });
}

void GK_MutablePart_addPoint(GK_MutablePartHandle part, GK_GeometryHandle point, GK_EH) {
    edit(handler, part, [&](PartValue& value) {
        const GeometryValue& added = point_value_of(point);
        add_point(value, added.point, added.has_z, added.has_m);
    });
}

void GK_MutablePart_addPointXY(GK_MutablePartHandle part, double x, double y, GK_EH) {
    edit(handler, part, [&](PartValue& value) { add_point(value, Vertex{x, y}, false, false); });
}

void GK_MutablePart_addPointXYZ(GK_MutablePartHandle part, double x, double y, double z, GK_EH) {
    edit(handler, part, [&](PartValue& value) { add_point(value, Vertex{x, y, z}, true, false); });
}

void GK_MutablePart_addSegment(GK_MutablePartHandle part, GK_SegmentHandle segment, GK_EH) {
    edit(handler, part, [&](PartValue& value) { add_segment(value, value_of(segment)); });
}

void GK_MutablePart_insertPoint(GK_MutablePartHandle part, int64_t point_index, GK_GeometryHandle point,
                                GK_EH) {
    edit(handler, part, [&](PartValue& value) {
        const GeometryValue& added = point_value_of(point);
        insert_point(value, point_index, added.point, added.has_z, added.has_m);
    });
}

void GK_MutablePart_insertPointXY(GK_MutablePartHandle part, int64_t point_index, double x, double y, GK_EH) {
    edit(handler, part,
         [&](PartValue& value) { insert_point(value, point_index, Vertex{x, y}, false, false); });
}

void GK_MutablePart_insertPointXYZ(GK_MutablePartHandle part, int64_t point_index, double x, double y,
                                   double z, GK_EH) {
    edit(handler, part,
         [&](PartValue& value) { insert_point(value, point_index, Vertex{x, y, z}, true, false); });
}

void GK_MutablePart_insertSegment(GK_MutablePartHandle part, int64_t segment_index, GK_SegmentHandle segment,
                                  GK_EH) {
    edit(handler, part, [&](PartValue& value) { insert_segment(value, segment_index, value_of(segment)); });
}

void GK_MutablePart_removeAll(GK_MutablePartHandle part, GK_EH) {
    edit(handler, part, [&](PartValue& value) { remove_all(value); });
}

void GK_MutablePart_removePoint(GK_MutablePartHandle part, int64_t point_index, GK_EH) {
    edit(handler, part, [&](PartValue& value) { remove_point(value, point_index); });
}

void GK_MutablePart_removeSegment(GK_MutablePartHandle part, int64_t segment_index,
                                  GK_Bool preserve_adjacent_segments, GK_EH) {
    edit(handler, part,
         [&](PartValue& value) { remove_segment(value, segment_index, preserve_adjacent_segments != 0); });
}

void GK_MutablePart_setPoint(GK_MutablePartHandle part, int64_t point_index, GK_GeometryHandle point, GK_EH) {
    edit(handler, part, [&](PartValue& value) {
        const GeometryValue& added = point_value_of(point);
        set_point(value, point_index, added.point, added.has_z, added.has_m);
    });
}

void GK_MutablePart_setSegment(GK_MutablePartHandle part, int64_t segment_index, GK_SegmentHandle segment,
                               GK_EH) {
    edit(handler, part, [&](PartValue& value) { set_segment(value, segment_index, value_of(segment)); });
}
