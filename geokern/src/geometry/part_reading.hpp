#pragma once

// The read side that mutable and immutable parts share, expanded once per part family. The expanding file
// defines part_of(handle) (the PartValue) and spatial_of(handle) (its spatial reference).
#include "geometry/containers.hpp"
#include "geometry/part_editing.hpp"
#include "report.hpp"

#define GEOKERN_PART_READERS(Family, Handle)                                                               \
    GK_GeometryHandle GK_##Family##_getStartPoint(Handle part, GK_EH) {                                    \
        return guarded<GK_GeometryHandle>(handler,                                                         \
                                          [&] { return part_point(part_of(part), spatial_of(part), 0); }); \
    }                                                                                                      \
    GK_GeometryHandle GK_##Family##_getEndPoint(Handle part, GK_EH) {                                      \
        return guarded<GK_GeometryHandle>(handler, [&] {                                                   \
            return part_point(part_of(part), spatial_of(part), part_of(part).point_count() - 1);           \
        });                                                                                                \
    }                                                                                                      \
    GK_Bool GK_##Family##_getHasCurves(Handle part, GK_EH) {                                               \
        return guarded<GK_Bool>(handler, [&] { return GK_Bool{part_of(part).has_curves()}; });             \
    }                                                                                                      \
    GK_Bool GK_##Family##_getIsEmpty(Handle part, GK_EH) {                                                 \
        return guarded<GK_Bool>(handler, [&] { return GK_Bool{part_of(part).empty()}; });                  \
    }                                                                                                      \
    int64_t GK_##Family##_getPointCount(Handle part, GK_EH) {                                              \
        return guarded<int64_t>(handler, [&] { return part_of(part).point_count(); });                     \
    }                                                                                                      \
    int64_t GK_##Family##_getSegmentCount(Handle part, GK_EH) {                                            \
        return guarded<int64_t>(handler, [&] { return part_of(part).segment_count(); });                   \
    }                                                                                                      \
    GK_SpatialReferenceHandle GK_##Family##_getSpatialReference(Handle part, GK_EH) {                      \
        return guarded<GK_SpatialReferenceHandle>(                                                         \
            handler, [&] { return spatial_reference_result(spatial_of(part)); });                          \
    }                                                                                                      \
    GK_GeometryHandle GK_##Family##_getPoint(Handle part, int64_t point_index, GK_EH) {                    \
        return guarded<GK_GeometryHandle>(                                                                 \
            handler, [&] { return part_point(part_of(part), spatial_of(part), point_index); });            \
    }                                                                                                      \
    GK_SegmentHandle GK_##Family##_getSegment(Handle part, int64_t segment_index, GK_EH) {                 \
        return guarded<GK_SegmentHandle>(handler, [&] {                                                    \
            return make_handle<GK_SegmentHandle>(                                                          \
                segment_at(part_of(part), segment_index, spatial_of(part)));                               \
        });                                                                                                \
    }                                                                                                      \
    int64_t GK_##Family##_getEndPointIndexFromSegmentIndex(Handle part, int64_t segment_index, GK_EH) {    \
        return guarded<int64_t>(handler, [&] { return part_of(part).end_point_of(segment_index); });       \
    }                                                                                                      \
    int64_t GK_##Family##_getStartPointIndexFromSegmentIndex(Handle part, int64_t segment_index, GK_EH) {  \
        return guarded<int64_t>(handler, [&] { return part_of(part).start_point_of(segment_index); });     \
    }                                                                                                      \
    int64_t GK_##Family##_getSegmentIndexFromEndPointIndex(Handle part, int64_t point_index, GK_EH) {      \
        return guarded<int64_t>(handler, [&] { return part_of(part).segment_ending_at(point_index); });    \
    }                                                                                                      \
    int64_t GK_##Family##_getSegmentIndexFromStartPointIndex(Handle part, int64_t point_index, GK_EH) {    \
        return guarded<int64_t>(handler, [&] { return part_of(part).segment_starting_at(point_index); });  \
    }                                                                                                      \
    int64_t GK_##Family##_getSegmentIndexFromPointIndex(Handle part, int64_t point_index, GK_EH) {         \
        return guarded<int64_t>(handler, [&] { return segment_touching(part_of(part), point_index); });    \
    }

namespace geokern {

inline GK_GeometryHandle part_point(const PartValue& part, const SpatialReferenceRef& spatial_reference,
                                    int64_t index) {
    part.check_point_index(index);
    return new_point(part.point(index), part.has_z, part.has_m, spatial_reference);
}

// The segment starting at a point, or for the last point of a path the one ending there; -1 when the
// part has no segment.
inline int64_t segment_touching(const PartValue& part, int64_t point) {
    const int64_t starting = part.segment_starting_at(point);
    return starting >= 0 ? starting : part.segment_ending_at(point);
}

}  // namespace geokern
