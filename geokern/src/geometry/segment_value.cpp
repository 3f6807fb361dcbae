#include "geometry/segment_value.hpp"

#include <string>

#include "failure.hpp"

namespace geokern {
namespace {

[[noreturn]] void fail_not(const char* expected, const SegmentValue& segment) {
    static constexpr const char* names[] = {"", "a line segment", "a cubic Bezier segment",
                                            "an elliptic arc segment"};
    fail(GK_ERROR_TYPE_MISMATCH, "type mismatch.",
         std::string("expected ") + expected + ", got " + names[segment_type(segment)] + ".");
}

}  // namespace

GK_SegmentType segment_type(const SegmentValue& segment) {
    if (!segment.curve.has_value()) return segment_type_line;
    return std::holds_alternative<EllipticArc>(*segment.curve) ? segment_type_elliptic_arc
                                                               : segment_type_cubic_bezier;
}

const EllipticArc& elliptic_arc_of(const SegmentValue& segment) {
    if (segment_type(segment) != segment_type_elliptic_arc) fail_not("an elliptic arc segment", segment);
    return std::get<EllipticArc>(*segment.curve);
}

const CubicBezier& cubic_bezier_of(const SegmentValue& segment) {
    if (segment_type(segment) != segment_type_cubic_bezier) fail_not("a cubic Bezier segment", segment);
    return std::get<CubicBezier>(*segment.curve);
}

}  // namespace geokern
