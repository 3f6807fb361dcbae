// Runtime segments to curve data and back, against the real runtime core library.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "convert_test_support.hpp"
#include "core/curve_data.hpp"
#include "runtime/builders.hpp"
#include "runtime/convert/segment_conversion.hpp"
#include "runtime/function_table.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"
#include "runtime/segments.hpp"

namespace velmor::runtime::convert {
namespace {

using core::Coord;
using core::CurveData;
using std::numbers::pi;

class SegmentConversion : public test::WithGeokern {};

Point xy(double x, double y) {
    return create_point(Coord::xy(x, y));
}

CurveData converted(GK_SegmentHandle segment) {
    auto curve = curve_data_from_segment(segment);
    EXPECT_TRUE(curve.has_value()) << curve.error().display();
    return curve ? *curve : CurveData{};
}

TEST_F(SegmentConversion, CircularArcKeepsThePointHalfwayAlongItsAngle) {
    // Start angle 0, end angle a quarter turn, radius 2 around the origin.
    auto arc = create_circular_arc_with_center(xy(2, 0), xy(0, 2), xy(0, 0), true, true, nullptr);
    ASSERT_TRUE(arc.has_value());
    const auto curve = std::get<core::CircularArc>(converted(arc->get()));
    EXPECT_DOUBLE_EQ(curve.interior_x, 2 * std::cos(pi / 4));
    EXPECT_DOUBLE_EQ(curve.interior_y, 2 * std::sin(pi / 4));
}

struct EllipticCase {
    const char* name;
    Coord end;
    bool minor;
    bool counter_clockwise;
};

TEST_F(SegmentConversion, EllipticArcKeepsItsShapeAndFlags) {
    // An ellipse of semi-axes 2 and 1 around the origin, from (2, 0) to a point on it.
    const EllipticCase cases[] = {
        {"quarter counter-clockwise", Coord::xy(0, 1), true, true},
        {"three quarters clockwise", Coord::xy(0, 1), false, false},
        {"half turn is not minor", Coord::xy(-2, 0), false, true},
    };
    for (const EllipticCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto arc = create_elliptic_arc(xy(2, 0), create_point(c.end), 0, c.minor, c.counter_clockwise, 2, 0.5,
                                       nullptr);
        ASSERT_TRUE(arc.has_value()) << arc.error().display();
        const auto curve = std::get<core::EllipticArc>(converted(arc->get()));
        EXPECT_NEAR(curve.center_x, 0, 1e-12);
        EXPECT_NEAR(curve.center_y, 0, 1e-12);
        EXPECT_NEAR(curve.rotation, 0, 1e-12);
        EXPECT_DOUBLE_EQ(curve.axis, 2);
        EXPECT_DOUBLE_EQ(curve.ratio, 0.5);
        EXPECT_EQ(curve.minor, c.minor);
        EXPECT_EQ(curve.clockwise, !c.counter_clockwise);
    }
}

TEST_F(SegmentConversion, BezierKeepsItsControlPointsAndALineIsLinear) {
    auto bezier = create_cubic_bezier(xy(0, 0), xy(1, 2), xy(3, -4), xy(5, 0), nullptr);
    ASSERT_TRUE(bezier.has_value());
    EXPECT_EQ(converted(bezier->get()), CurveData(core::BezierCurve{1, 2, 3, -4}));

    // Through a collinear interior point the runtime makes a straight line.
    auto line = create_circular_arc_through(xy(0, 0), xy(2, 0), xy(1, 0), nullptr);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(converted(line->get()), CurveData(core::Linear{}));
}

TEST_F(SegmentConversion, AnUnknownSegmentKindIsAGeokernError) {
    auto bezier = create_cubic_bezier(xy(0, 0), xy(1, 2), xy(3, -4), xy(5, 0), nullptr);
    ASSERT_TRUE(bezier.has_value());
    const test::UnknownSegmentKind unknown;
    auto curve = curve_data_from_segment(bezier->get());
    ASSERT_FALSE(curve.has_value());
    EXPECT_EQ(curve.error().kind(), core::ErrorKind::Geokern);
    EXPECT_EQ(curve.error().display(), "Geokern library error: 'Got segment of invalid type from geokern'");
}

// Each curve kind written into a runtime part and read back from the segment ending at the vertex.
TEST_F(SegmentConversion, CurveDataWrittenIntoAPartReadsBackAsTheSameCurve) {
    const Coord start = Coord::xyz(2, 0, 7);
    const Coord end = Coord::xyz(0, 2, 8);
    const CurveData curves[] = {
        core::Linear{},
        core::CircularArc{2 * std::cos(pi / 4), 2 * std::sin(pi / 4)},
        core::EllipticArc{0, 0, 0, 2, 0.5, true, false},
        core::BezierCurve{1, 1, 0.5, 1.5},
    };
    for (const CurveData& curve : curves) {
        SCOPED_TRACE(curve.index());
        // The ellipse needs end points that lie on it.
        const Coord to = std::holds_alternative<core::EllipticArc>(curve) ? Coord::xyz(0, 1, 8) : end;
        MutablePart part = new_mutable_part(nullptr);
        add_vertex(part, start);
        auto added = add_curve_vertex(part, start, to, curve, nullptr);
        ASSERT_TRUE(added.has_value()) << added.error().display();
        ASSERT_EQ(invoke_or_fail(VELMOR_GK(MutablePart_getPointCount), part.get()), 2);
        auto segment =
            SegmentOwned::take(invoke_or_fail(VELMOR_GK(MutablePart_getSegment), part.get(), int64_t{0}));
        const CurveData back = converted(segment.get());
        ASSERT_EQ(back.index(), curve.index());
        if (const auto* arc = std::get_if<core::CircularArc>(&curve)) {
            EXPECT_NEAR(std::get<core::CircularArc>(back).interior_x, arc->interior_x, 1e-12);
            EXPECT_NEAR(std::get<core::CircularArc>(back).interior_y, arc->interior_y, 1e-12);
        } else if (const auto* ellipse = std::get_if<core::EllipticArc>(&curve)) {
            const auto& got = std::get<core::EllipticArc>(back);
            EXPECT_NEAR(got.center_x, ellipse->center_x, 1e-12);
            EXPECT_NEAR(got.center_y, ellipse->center_y, 1e-12);
            EXPECT_EQ(got.minor, ellipse->minor);
            EXPECT_EQ(got.clockwise, ellipse->clockwise);
        } else {
            EXPECT_EQ(back, curve);
        }
    }
}

TEST_F(SegmentConversion, RefusedCurveComesBackAsAGeokernError) {
    // An "interior" point on the line through the ends but beyond them lies on no arc between them.
    MutablePart part = new_mutable_part(nullptr);
    add_vertex(part, Coord::xy(0, 0));
    auto added = add_curve_vertex(part, Coord::xy(0, 0), Coord::xy(2, 2), core::CircularArc{3, 3}, nullptr);
    ASSERT_FALSE(added.has_value());
    EXPECT_EQ(added.error().kind(), core::ErrorKind::Geokern);
    EXPECT_EQ(invoke_or_fail(VELMOR_GK(MutablePart_getPointCount), part.get()), 1);
}

}  // namespace
}  // namespace velmor::runtime::convert
