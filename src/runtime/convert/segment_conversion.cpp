#include "runtime/convert/segment_conversion.hpp"

#include <cmath>
#include <numbers>
#include <variant>

#include "runtime/builders.hpp"
#include "runtime/geometry.hpp"
#include "runtime/segments.hpp"

namespace velmor::runtime::convert {
namespace {

constexpr const char* kInvalidSegment = "Got segment of invalid type from geokern";

// A circle keeps only the point halfway along its angle: with the end vertices that fixes it again.
core::CircularArc circular_arc_of(EllipticArcSegmentView arc) {
    const Point center = arc_center(arc);
    const double mid = (arc_start_angle(arc) + arc_end_angle(arc)) * 0.5;
    const double radius = arc_semi_major_axis(arc);
    return core::CircularArc{point_x(center) + std::cos(mid) * radius,
                             point_y(center) + std::sin(mid) * radius};
}

core::EllipticArc elliptic_arc_of(EllipticArcSegmentView arc) {
    const Point center = arc_center(arc);
    return core::EllipticArc{
        .center_x = point_x(center),
        .center_y = point_y(center),
        .rotation = arc_rotation(arc),
        .axis = arc_semi_major_axis(arc),
        .ratio = arc_minor_major_ratio(arc),
        // A NaN angle compares false, so it is not minor.
        .minor = std::abs(arc_central_angle(arc)) < std::numbers::pi,
        .clockwise = !arc_is_counter_clockwise(arc),
    };
}

core::CurveData arc_curve_data(EllipticArcSegmentView arc) {
    if (arc_is_circular(arc)) return circular_arc_of(arc);
    return elliptic_arc_of(arc);
}

core::BezierCurve bezier_curve_data(CubicBezierSegmentView bezier) {
    const Point first = control_point1(bezier);
    const Point second = control_point2(bezier);
    return core::BezierCurve{point_x(first), point_y(first), point_x(second), point_y(second)};
}

core::Result<std::optional<SegmentOwned>> as_segment(RuntimeResult<SegmentOwned> created) {
    if (!created) return core::fail(to_native_error(created.error()));
    return std::optional<SegmentOwned>(std::move(*created));
}

template <class Typed>
core::Result<std::optional<SegmentOwned>> as_segment(RuntimeResult<Typed> created) {
    if (!created) return core::fail(to_native_error(created.error()));
    return std::optional<SegmentOwned>(transfer<SegmentOwned>(std::move(*created)));
}

// Auxiliary points of a curve are two-dimensional; the end points carry z and m.
Point xy_point(double x, double y) {
    return create_point(core::Coord::xy(x, y));
}

struct SegmentMaker {
    const core::Coord& start;
    const core::Coord& end;
    const SpatialReference* spatial_reference;

    core::Result<std::optional<SegmentOwned>> operator()(const core::Linear&) const {
        return std::optional<SegmentOwned>();
    }
    core::Result<std::optional<SegmentOwned>> operator()(const core::CircularArc& arc) const {
        return as_segment(create_circular_arc_through(create_point(start), create_point(end),
                                                      xy_point(arc.interior_x, arc.interior_y),
                                                      spatial_reference));
    }
    // The runtime derives the center from the end points, so the stored one is not passed.
    core::Result<std::optional<SegmentOwned>> operator()(const core::EllipticArc& arc) const {
        return as_segment(create_elliptic_arc(create_point(start), create_point(end), arc.rotation, arc.minor,
                                              !arc.clockwise, arc.axis, arc.ratio, spatial_reference));
    }
    core::Result<std::optional<SegmentOwned>> operator()(const core::BezierCurve& bezier) const {
        return as_segment(create_cubic_bezier(
            create_point(start), xy_point(bezier.control1_x, bezier.control1_y),
            xy_point(bezier.control2_x, bezier.control2_y), create_point(end), spatial_reference));
    }
};

}  // namespace

core::Result<core::CurveData> curve_data_from_segment(GK_SegmentHandle segment) {
    switch (segment_object_type_for_view(segment)) {
        case LineSegmentView::code:
            return core::Linear{};
        case EllipticArcSegmentView::code:
            return arc_curve_data(EllipticArcSegmentView{segment});
        case CubicBezierSegmentView::code:
            return bezier_curve_data(CubicBezierSegmentView{segment});
        default:
            return core::fail(core::NativeError::geokern(kInvalidSegment));
    }
}

core::Result<std::optional<SegmentOwned>> segment_from_curve_data(const core::Coord& start,
                                                                  const core::Coord& end,
                                                                  const core::CurveData& curve,
                                                                  const SpatialReference* spatial_reference) {
    return std::visit(SegmentMaker{start, end, spatial_reference}, curve);
}

core::Result<void> add_curve_vertex(const MutablePart& part, const core::Coord& start, const core::Coord& end,
                                    const core::CurveData& curve, const SpatialReference* spatial_reference) {
    VELMOR_TRY_ASSIGN(std::optional<SegmentOwned> segment,
                      segment_from_curve_data(start, end, curve, spatial_reference));
    if (segment) {
        add_segment(part, segment->get());
    } else {
        add_vertex(part, end);
    }
    return {};
}

}  // namespace velmor::runtime::convert
