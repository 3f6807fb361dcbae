// The EllipticArcSegment family; the arc itself is described in elliptic_arc.hpp. Angles are polar and in
// radians. Arcs made from end points keep those points exactly (with their z and m).
#include "geometry/segment_building.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

template <class Read>
auto read_arc(const GK_ErrorHandler* handler, GK_SegmentHandle segment, Read&& read) {
    using Result = decltype(read(std::declval<const EllipticArc&>()));
    return guarded<Result>(handler, [&] { return read(elliptic_arc_of(value_of(segment))); });
}

}  // namespace

GK_SegmentHandle GK_EllipticArcSegment_createWithCenter(GK_GeometryHandle center, double rotation_angle,
                                                        double semi_major_axis, double minor_major_ratio,
                                                        double start_angle, double central_angle,
                                                        GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& centre = point_value_of(center);
        const EllipticArc arc =
            arc_with_center(centre.point.x, centre.point.y, rotation_angle, semi_major_axis,
                            minor_major_ratio, start_angle, central_angle);
        return new_segment_from_arc(arc, centre, spatial_reference);
    });
}

GK_SegmentHandle GK_EllipticArcSegment_createWithStartAndEndpoints(
    GK_GeometryHandle start_point, GK_GeometryHandle end_point, double rotation_angle, GK_Bool is_minor,
    GK_Bool is_counter_clockwise, double semi_major_axis, double minor_major_ratio,
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& start = point_value_of(start_point);
        const GeometryValue& end = point_value_of(end_point);
        const EllipticArc arc =
            arc_from_endpoints(start.point, end.point, rotation_angle, is_minor != 0,
                               is_counter_clockwise != 0, semi_major_axis, minor_major_ratio);
        return new_segment(start, end, Curve{arc}, spatial_reference);
    });
}

GK_SegmentHandle GK_EllipticArcSegment_createCircularEllipticArcWithCenter(
    GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_GeometryHandle center, GK_Bool is_minor,
    GK_Bool is_counter_clockwise, GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& start = point_value_of(start_point);
        const GeometryValue& end = point_value_of(end_point);
        const EllipticArc arc = circular_arc_with_center(start.point, end.point, point_value_of(center).point,
                                                         is_minor != 0, is_counter_clockwise != 0);
        return new_segment(start, end, Curve{arc}, spatial_reference);
    });
}

GK_SegmentHandle GK_EllipticArcSegment_createCircularEllipticArcWithCenterRadiusAndAngles(
    GK_GeometryHandle center, double radius, double start_angle, double central_angle,
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& centre = point_value_of(center);
        const EllipticArc arc =
            arc_with_center(centre.point.x, centre.point.y, 0.0, radius, 1.0, start_angle, central_angle);
        return new_segment_from_arc(arc, centre, spatial_reference);
    });
}

// Collinear points with the interior one between the ends give a straight line segment.
GK_SegmentHandle GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(
    GK_GeometryHandle start_point, GK_GeometryHandle end_point, GK_GeometryHandle interior_point,
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const GeometryValue& start = point_value_of(start_point);
        const GeometryValue& end = point_value_of(end_point);
        const std::optional<EllipticArc> arc =
            circular_arc_through(start.point, end.point, point_value_of(interior_point).point);
        return new_segment(start, end, arc ? std::optional<Curve>(*arc) : std::nullopt, spatial_reference);
    });
}

GK_GeometryHandle GK_EllipticArcSegment_getCenterPoint(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        const EllipticArc& arc = elliptic_arc_of(value);
        return new_point(Vertex{arc.cx, arc.cy}, false, false, value.spatial_reference);
    });
}

double GK_EllipticArcSegment_getCentralAngle(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.central_angle; });
}
double GK_EllipticArcSegment_getEndAngle(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.end_angle(); });
}
GK_Bool GK_EllipticArcSegment_getIsCircular(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return GK_Bool{arc.is_circular()}; });
}
GK_Bool GK_EllipticArcSegment_getIsCounterClockwise(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment,
                    [](const EllipticArc& arc) { return GK_Bool{arc.is_counter_clockwise()}; });
}
double GK_EllipticArcSegment_getMinorMajorRatio(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.ratio; });
}
double GK_EllipticArcSegment_getRotationAngle(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.rotation; });
}
double GK_EllipticArcSegment_getSemiMajorAxis(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.semi_major; });
}
double GK_EllipticArcSegment_getSemiMinorAxis(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.semi_minor(); });
}
double GK_EllipticArcSegment_getStartAngle(GK_SegmentHandle segment, GK_EH) {
    return read_arc(handler, segment, [](const EllipticArc& arc) { return arc.start_angle; });
}
