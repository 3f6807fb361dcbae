// The Segment family (any segment) and the LineSegment family.
#include <cmath>

#include "geometry/hashing.hpp"
#include "geometry/segment_building.hpp"
#include "report.hpp"

using namespace geokern;

void GK_Segment_destroy(GK_SegmentHandle segment, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(segment); });
}

GK_GeometryHandle GK_Segment_getStartPoint(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        return new_point(value.start, value.has_z, value.has_m, value.spatial_reference);
    });
}

GK_GeometryHandle GK_Segment_getEndPoint(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        return new_point(value.end, value.has_z, value.has_m, value.spatial_reference);
    });
}

GK_Bool GK_Segment_getIsClosed(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        return GK_Bool{same_xy(value.start, value.end)};
    });
}

GK_Bool GK_Segment_getIsCurve(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(segment).curve.has_value()}; });
}

GK_SegmentType GK_Segment_getObjectType(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_SegmentType>(handler, [&] { return segment_type(value_of(segment)); });
}

GK_SpatialReferenceHandle GK_Segment_getSpatialReference(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(segment).spatial_reference); });
}

namespace {

bool same_vertex(const Vertex& a, const Vertex& b) {
    return same_number(a.x, b.x) && same_number(a.y, b.y) && same_number(a.z, b.z) && same_number(a.m, b.m);
}

}  // namespace

GK_Bool GK_Segment_equals(GK_SegmentHandle segment, GK_SegmentHandle other, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        const SegmentValue& a = value_of(segment);
        const SegmentValue& b = value_of(other);
        return GK_Bool{a.has_z == b.has_z && a.has_m == b.has_m && same_vertex(a.start, b.start) &&
                       same_vertex(a.end, b.end) && same_curve(a.curve, b.curve) &&
                       same_spatial_reference(a.spatial_reference, b.spatial_reference)};
    });
}

uint64_t GK_Segment_getHash(GK_SegmentHandle segment, GK_EH) {
    return guarded<uint64_t>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        uint64_t seed = curve_hash(value.curve);
        for (double number : {value.start.x, value.start.y, value.start.z, value.start.m, value.end.x,
                              value.end.y, value.end.z, value.end.m}) {
            seed = hash_number(seed, number);
        }
        return seed;
    });
}

namespace {

GK_SegmentHandle line(const GK_ErrorHandler* handler, GK_GeometryHandle start, GK_GeometryHandle end,
                      GK_SpatialReferenceHandle spatial_reference) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        return new_segment(point_value_of(start), point_value_of(end), std::nullopt, spatial_reference);
    });
}

GK_SegmentHandle line_xyz(const GK_ErrorHandler* handler, const Vertex& start, const Vertex& end, bool has_z,
                          GK_SpatialReferenceHandle spatial_reference) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        return make_handle<GK_SegmentHandle>(SegmentValue{start, end, has_z, false, std::nullopt,
                                                          spatial_reference_argument(spatial_reference)});
    });
}

}  // namespace

// Without a spatial reference argument, a line takes its start point's.
GK_SegmentHandle GK_LineSegment_create(GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& start = point_value_of(start_point);
        SegmentValue value{start.point,
                           point_value_of(end_point).point,
                           start.has_z || point_value_of(end_point).has_z,
                           start.has_m || point_value_of(end_point).has_m,
                           std::nullopt,
                           start.spatial_reference};
        return make_handle<GK_SegmentHandle>(std::move(value));
    });
}

GK_SegmentHandle GK_LineSegment_createWithSpatialReference(GK_GeometryHandle start_point,
                                                           GK_GeometryHandle end_point,
                                                           GK_SpatialReferenceHandle spatial_reference,
                                                           GK_EH) {
    return line(handler, start_point, end_point, spatial_reference);
}

GK_SegmentHandle GK_LineSegment_createWithXY(double x_start, double y_start, double x_end, double y_end,
                                             GK_EH) {
    return line_xyz(handler, {x_start, y_start}, {x_end, y_end}, false, nullptr);
}

GK_SegmentHandle GK_LineSegment_createWithXYSpatialReference(double x_start, double y_start, double x_end,
                                                             double y_end,
                                                             GK_SpatialReferenceHandle spatial_reference,
                                                             GK_EH) {
    return line_xyz(handler, {x_start, y_start}, {x_end, y_end}, false, spatial_reference);
}

GK_SegmentHandle GK_LineSegment_createWithXYZ(double x_start, double y_start, double z_start, double x_end,
                                              double y_end, double z_end, GK_EH) {
    return line_xyz(handler, {x_start, y_start, z_start}, {x_end, y_end, z_end}, true, nullptr);
}

GK_SegmentHandle GK_LineSegment_createWithXYZSpatialReference(double x_start, double y_start, double z_start,
                                                              double x_end, double y_end, double z_end,
                                                              GK_SpatialReferenceHandle spatial_reference,
                                                              GK_EH) {
    return line_xyz(handler, {x_start, y_start, z_start}, {x_end, y_end, z_end}, true, spatial_reference);
}

// The end point keeps the start point's z and m; the angle is counter-clockwise from the x axis.
GK_SegmentHandle GK_LineSegment_createLineAtAngleFromStartPoint(GK_GeometryHandle start_point, double angle,
                                                                double length, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& start = point_value_of(start_point);
        if (!std::isfinite(angle) || !std::isfinite(length)) {
            fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
                 "the angle and length must be finite numbers.");
        }
        Vertex end = start.point;
        end.x += length * std::cos(angle);
        end.y += length * std::sin(angle);
        return make_handle<GK_SegmentHandle>(
            SegmentValue{start.point, end, start.has_z, start.has_m, std::nullopt, start.spatial_reference});
    });
}
