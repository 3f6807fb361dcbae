#pragma once

#include "error.hpp"
#include "owned.hpp"

namespace velmor::runtime {

// Runtime segments: construction of curves (failures returned), typed views of a borrowed segment, and
// the accessors of arcs and Bezier curves (failures internal). Flags are one byte each.

inline constexpr GK_SegmentType line_segment_type = 1;
inline constexpr GK_SegmentType cubic_bezier_segment_type = 2;
inline constexpr GK_SegmentType elliptic_arc_segment_type = 3;

RuntimeResult<CubicBezierSegment> create_cubic_bezier(const Point& start, const Point& control1,
                                                      const Point& control2, const Point& end,
                                                      const SpatialReference* spatial_reference);
RuntimeResult<EllipticArcSegment> create_elliptic_arc(const Point& start, const Point& end, double rotation,
                                                      bool minor, bool counter_clockwise,
                                                      double semi_major_axis, double minor_major_ratio,
                                                      const SpatialReference* spatial_reference);
RuntimeResult<EllipticArcSegment> create_circular_arc_with_center(const Point& start, const Point& end,
                                                                  const Point& center, bool minor,
                                                                  bool counter_clockwise,
                                                                  const SpatialReference* spatial_reference);
// Three collinear points with the interior one between the ends make a straight line in the runtime
// core, so this answers a segment of any kind.
RuntimeResult<SegmentOwned> create_circular_arc_through(const Point& start, const Point& end,
                                                        const Point& interior,
                                                        const SpatialReference* spatial_reference);

// Typed views of a borrowed segment.
struct LineSegmentView {
    static constexpr GK_SegmentType code = line_segment_type;
    static constexpr const char* name = "geometry::line_segment::LineSegment";
    GK_SegmentHandle handle;
};
struct CubicBezierSegmentView {
    static constexpr GK_SegmentType code = cubic_bezier_segment_type;
    static constexpr const char* name = "geometry::cubic_bezier_segment::CubicBezierSegment";
    GK_SegmentHandle handle;
};
struct EllipticArcSegmentView {
    static constexpr GK_SegmentType code = elliptic_arc_segment_type;
    static constexpr const char* name = "geometry::elliptic_arc_segment::EllipticArcSegment";
    GK_SegmentHandle handle;
};

GK_SegmentType segment_object_type_for_view(GK_SegmentHandle segment);

// The view when the segment is of that kind; the conversion record (source "SegmentOwned") otherwise.
// The handle form serves every segment owner (SegmentOwned, EllipticArcSegment, ...).
template <class View>
RuntimeResult<View> view_segment(GK_SegmentHandle segment) {
    if (segment_object_type_for_view(segment) != View::code) {
        return std::unexpected(conversion_error("SegmentOwned", View::name));
    }
    return View{segment};
}
template <class View>
RuntimeResult<View> view_segment(const SegmentOwned& segment) {
    return view_segment<View>(segment.get());
}

Point control_point1(CubicBezierSegmentView bezier);
Point control_point2(CubicBezierSegmentView bezier);

Point arc_center(EllipticArcSegmentView arc);
double arc_start_angle(EllipticArcSegmentView arc);
double arc_end_angle(EllipticArcSegmentView arc);
double arc_central_angle(EllipticArcSegmentView arc);
double arc_rotation(EllipticArcSegmentView arc);
double arc_semi_major_axis(EllipticArcSegmentView arc);
double arc_minor_major_ratio(EllipticArcSegmentView arc);
bool arc_is_circular(EllipticArcSegmentView arc);
bool arc_is_counter_clockwise(EllipticArcSegmentView arc);

}  // namespace velmor::runtime
