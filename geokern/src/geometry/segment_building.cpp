#include "geometry/segment_building.hpp"

namespace geokern {

GK_SegmentHandle new_segment(const GeometryValue& start, const GeometryValue& end, std::optional<Curve> curve,
                             GK_SpatialReferenceHandle spatial_reference) {
    return make_handle<GK_SegmentHandle>(SegmentValue{start.point, end.point, start.has_z || end.has_z,
                                                      start.has_m || end.has_m, std::move(curve),
                                                      spatial_reference_argument(spatial_reference)});
}

GK_SegmentHandle new_segment_from_arc(const EllipticArc& arc, const GeometryValue& reference,
                                      GK_SpatialReferenceHandle spatial_reference) {
    Vertex start = arc.start_point(), end = arc.end_point();
    start.z = end.z = reference.point.z;
    start.m = end.m = reference.point.m;
    return make_handle<GK_SegmentHandle>(SegmentValue{start, end, reference.has_z, reference.has_m,
                                                      Curve{arc},
                                                      spatial_reference_argument(spatial_reference)});
}

}  // namespace geokern
