#include "segments.hpp"

#include "core/internal_failure.hpp"
#include "error_capture.hpp"
#include "geometry.hpp"
#include "owned_result.hpp"

namespace velmor::runtime {
namespace {

GK_Bool flag(bool value) {
    return value ? GK_Bool{1} : GK_Bool{0};
}

}  // namespace

RuntimeResult<CubicBezierSegment> create_cubic_bezier(const Point& start, const Point& control1,
                                                      const Point& control2, const Point& end,
                                                      const SpatialReference* spatial_reference) {
    return owned_or_error<CubicBezierSegment>(invoke(functions().CubicBezierSegment_create, start.get(),
                                                     control1.get(), control2.get(), end.get(),
                                                     handle_of(spatial_reference)));
}

RuntimeResult<EllipticArcSegment> create_elliptic_arc(const Point& start, const Point& end, double rotation,
                                                      bool minor, bool counter_clockwise,
                                                      double semi_major_axis, double minor_major_ratio,
                                                      const SpatialReference* spatial_reference) {
    return owned_or_error<EllipticArcSegment>(
        invoke(functions().EllipticArcSegment_createWithStartAndEndpoints, start.get(), end.get(), rotation,
               flag(minor), flag(counter_clockwise), semi_major_axis, minor_major_ratio,
               handle_of(spatial_reference)));
}

RuntimeResult<EllipticArcSegment> create_circular_arc_with_center(const Point& start, const Point& end,
                                                                  const Point& center, bool minor,
                                                                  bool counter_clockwise,
                                                                  const SpatialReference* spatial_reference) {
    return owned_or_error<EllipticArcSegment>(
        invoke(functions().EllipticArcSegment_createCircularEllipticArcWithCenter, start.get(), end.get(),
               center.get(), flag(minor), flag(counter_clockwise), handle_of(spatial_reference)));
}

RuntimeResult<SegmentOwned> create_circular_arc_through(const Point& start, const Point& end,
                                                        const Point& interior,
                                                        const SpatialReference* spatial_reference) {
    return owned_or_error<SegmentOwned>(
        invoke(functions().EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior, start.get(),
               end.get(), interior.get(), handle_of(spatial_reference)));
}

GK_SegmentType segment_object_type_for_view(GK_SegmentHandle segment) {
    auto code = invoke(functions().Segment_getObjectType, segment);
    if (!code) {
        core::internal_failure(
            "Internal error: Unexpectedly failed to get object type for downcast_ref of SegmentOwned: " +
            code.error().debug());
    }
    return *code;
}

Point control_point1(CubicBezierSegmentView bezier) {
    return Point::take(invoke_or_fail(VELMOR_GK(CubicBezierSegment_getControlPoint1), bezier.handle));
}

Point control_point2(CubicBezierSegmentView bezier) {
    return Point::take(invoke_or_fail(VELMOR_GK(CubicBezierSegment_getControlPoint2), bezier.handle));
}

Point arc_center(EllipticArcSegmentView arc) {
    return Point::take(invoke_or_fail(VELMOR_GK(EllipticArcSegment_getCenterPoint), arc.handle));
}

double arc_start_angle(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getStartAngle), arc.handle);
}
double arc_end_angle(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getEndAngle), arc.handle);
}
double arc_central_angle(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getCentralAngle), arc.handle);
}
double arc_rotation(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getRotationAngle), arc.handle);
}
double arc_semi_major_axis(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getSemiMajorAxis), arc.handle);
}
double arc_minor_major_ratio(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getMinorMajorRatio), arc.handle);
}
bool arc_is_circular(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getIsCircular), arc.handle) != 0;
}
bool arc_is_counter_clockwise(EllipticArcSegmentView arc) {
    return invoke_or_fail(VELMOR_GK(EllipticArcSegment_getIsCounterClockwise), arc.handle) != 0;
}

}  // namespace velmor::runtime
