// The arc constructors against hand-computed centres, radii and angles, through the C interface.
#include <cmath>
#include <numbers>

#include "geometry_fixture.hpp"

using namespace geometry_test;

namespace {

constexpr double pi = std::numbers::pi;

struct ArcExpectation {
    double cx, cy, semi_major, ratio, start_angle, central_angle;
};

class EllipticArcTest : public GeometryTest {
  protected:
    void expect_arc(GK_SegmentHandle arc, const ArcExpectation& want) {
        ASSERT_NE(arc, nullptr);
        EXPECT_EQ(GK_Segment_getObjectType(arc, eh()), 3);
        Geometry center(GK_EllipticArcSegment_getCenterPoint(arc, eh()));
        EXPECT_NEAR(GK_Point_getX(center, eh()), want.cx, 1e-12);
        EXPECT_NEAR(GK_Point_getY(center, eh()), want.cy, 1e-12);
        EXPECT_NEAR(GK_EllipticArcSegment_getSemiMajorAxis(arc, eh()), want.semi_major, 1e-12);
        EXPECT_NEAR(GK_EllipticArcSegment_getMinorMajorRatio(arc, eh()), want.ratio, 1e-12);
        EXPECT_NEAR(GK_EllipticArcSegment_getStartAngle(arc, eh()), want.start_angle, 1e-12);
        EXPECT_NEAR(GK_EllipticArcSegment_getCentralAngle(arc, eh()), want.central_angle, 1e-12);
        EXPECT_EQ(GK_EllipticArcSegment_getIsCounterClockwise(arc, eh()), want.central_angle >= 0 ? 1 : 0);
        EXPECT_EQ(GK_EllipticArcSegment_getIsCircular(arc, eh()), want.ratio == 1.0 ? 1 : 0);
        expect_no_error();
    }
};

TEST_F(EllipticArcTest, CircularArcThroughAnInteriorPoint) {
    struct Case {
        double sx, sy, ex, ey, ix, iy;
        ArcExpectation want;
    };
    const double h = std::sqrt(0.5);
    const Case cases[] = {
        {0, 0, 2, 0, 1, 1, {1, 0, 1, 1, pi, -pi}},          // upper half circle, clockwise
        {0, 0, 2, 0, 1, -1, {1, 0, 1, 1, pi, pi}},          // lower half circle, counter-clockwise
        {1, 0, 0, 1, h, h, {0, 0, 1, 1, 0, pi / 2}},        // quarter circle
        {1, 0, 0, 1, -1, 0, {0, 0, 1, 1, 0, -3 * pi / 2}},  // the long way round, clockwise
        {0, 0, 0, 0, 2, 0, {1, 0, 1, 1, pi, 2 * pi}},       // coinciding ends: the full circle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "interior (" << c.ix << ", " << c.iy << ")");
        Geometry start = point(c.sx, c.sy), end = point(c.ex, c.ey), interior = point(c.ix, c.iy);
        Segment arc(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(
            start, end, interior, nullptr, eh()));
        expect_arc(arc, c.want);
    }
}

TEST_F(EllipticArcTest, CollinearInteriorPointGivesALineBetweenTheEndsAndAnErrorOtherwise) {
    Geometry start = point(0, 0), end = point(2, 2), between = point(1, 1), beyond = point(3, 3);
    Segment line(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(start, end, between,
                                                                                        nullptr, eh()));
    EXPECT_EQ(GK_Segment_getObjectType(line, eh()), 1);
    expect_no_error();
    Segment refused(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(start, end, beyond,
                                                                                           nullptr, eh()));
    EXPECT_EQ(refused.get(), nullptr);
    Segment at_end(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(start, end, end,
                                                                                          nullptr, eh()));
    EXPECT_EQ(at_end.get(), nullptr);
    EXPECT_EQ(take_errors(), (std::vector<int32_t>{GK_ERROR_INVALID_ARGUMENT, GK_ERROR_INVALID_ARGUMENT}));
}

TEST_F(EllipticArcTest, CircularArcWithCenterFollowsTheDirectionFlag) {
    struct Case {
        double ex, ey;
        GK_Bool minor, ccw;
        ArcExpectation want;
    };
    const Case cases[] = {
        {0, 2, 1, 1, {0, 0, 2, 1, 0, pi / 2}},
        {0, 2, 1, 0, {0, 0, 2, 1, 0, -3 * pi / 2}},
        {2, 0, 0, 1, {0, 0, 2, 1, 0, 2 * pi}},  // coinciding ends, major: full circle
        {2, 0, 1, 1, {0, 0, 2, 1, 0, 0}},       // coinciding ends, minor: empty arc
    };
    Geometry start = point(2, 0), center = point(0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "end (" << c.ex << ", " << c.ey << ") ccw " << int(c.ccw));
        Geometry end = point(c.ex, c.ey);
        Segment arc(GK_EllipticArcSegment_createCircularEllipticArcWithCenter(start, end, center, c.minor,
                                                                              c.ccw, nullptr, eh()));
        expect_arc(arc, c.want);
    }
    Geometry off_circle = point(0, 3);
    Segment refused(GK_EllipticArcSegment_createCircularEllipticArcWithCenter(start, off_circle, center, 1, 1,
                                                                              nullptr, eh()));
    EXPECT_EQ(refused.get(), nullptr);
    EXPECT_EQ(take_errors(), std::vector<int32_t>{GK_ERROR_INVALID_ARGUMENT});
}

TEST_F(EllipticArcTest, ArcsFromCentreAndAnglesKeepTheAnglesExactly) {
    // The values a reader of the arc relies on: circular arc from 0 to pi/2 on radius 2 around the
    // origin, and elliptic arcs of central angle exactly pi and -3.
    Geometry origin = point(0, 0);
    Segment quarter(GK_EllipticArcSegment_createCircularEllipticArcWithCenterRadiusAndAngles(
        origin, 2, 0, pi / 2, nullptr, eh()));
    EXPECT_EQ(GK_EllipticArcSegment_getStartAngle(quarter, eh()), 0.0);
    EXPECT_EQ(GK_EllipticArcSegment_getEndAngle(quarter, eh()), pi / 2);
    EXPECT_EQ(GK_EllipticArcSegment_getSemiMajorAxis(quarter, eh()), 2.0);
    const double mid = (GK_EllipticArcSegment_getStartAngle(quarter, eh()) +
                        GK_EllipticArcSegment_getEndAngle(quarter, eh())) *
                       0.5;
    EXPECT_EQ(std::cos(mid) * 2.0, 2 * std::cos(pi / 4));
    Geometry end(GK_Segment_getEndPoint(quarter, eh()));
    EXPECT_NEAR(GK_Point_getX(end, eh()), 0, 1e-15);
    EXPECT_EQ(GK_Point_getY(end, eh()), 2.0);

    Geometry center = point(1, 1);
    for (double central : {pi, -3.0}) {
        Segment arc(GK_EllipticArcSegment_createWithCenter(center, 0.4, 3, 0.5, 0.3, central, nullptr, eh()));
        EXPECT_EQ(GK_EllipticArcSegment_getCentralAngle(arc, eh()), central);
        EXPECT_EQ(GK_EllipticArcSegment_getStartAngle(arc, eh()), 0.3);
        EXPECT_EQ(GK_EllipticArcSegment_getIsCounterClockwise(arc, eh()), central > 0 ? 1 : 0);
        EXPECT_EQ(GK_EllipticArcSegment_getIsCircular(arc, eh()), 0);
        EXPECT_DOUBLE_EQ(GK_EllipticArcSegment_getSemiMinorAxis(arc, eh()), 1.5);
    }
    expect_no_error();
}

TEST_F(EllipticArcTest, EllipticArcWithCenterPlacesItsEndsOnTheEllipse) {
    Geometry center = point(1, 1);
    // Major axis along x: the point at polar angle 0 is a semi-major axis away, at pi/2 a semi-minor one.
    Segment flat(GK_EllipticArcSegment_createWithCenter(center, 0, 2, 0.5, 0, pi / 2, nullptr, eh()));
    Geometry flat_start(GK_Segment_getStartPoint(flat, eh())), flat_end(GK_Segment_getEndPoint(flat, eh()));
    EXPECT_NEAR(GK_Point_getX(flat_start, eh()), 3, 1e-15);
    EXPECT_NEAR(GK_Point_getY(flat_start, eh()), 1, 1e-15);
    EXPECT_NEAR(GK_Point_getX(flat_end, eh()), 1, 1e-15);
    EXPECT_NEAR(GK_Point_getY(flat_end, eh()), 2, 1e-15);
    // Rotated a quarter turn, the major axis is vertical; polar angles still count from the x axis.
    Segment upright(
        GK_EllipticArcSegment_createWithCenter(center, pi / 2, 2, 0.5, pi / 2, pi / 4, nullptr, eh()));
    Geometry upright_start(GK_Segment_getStartPoint(upright, eh())),
        upright_end(GK_Segment_getEndPoint(upright, eh()));
    EXPECT_NEAR(GK_Point_getX(upright_start, eh()), 1, 1e-15);
    EXPECT_NEAR(GK_Point_getY(upright_start, eh()), 3, 1e-15);
    // At polar angle 3 pi / 4 on x^2 + y^2 / 4 = 1: x = -y, so x^2 (1 + 1/4) = 1.
    const double x = -std::sqrt(0.8);
    EXPECT_NEAR(GK_Point_getX(upright_end, eh()), 1 + x, 1e-14);
    EXPECT_NEAR(GK_Point_getY(upright_end, eh()), 1 - x, 1e-14);
    // A ratio above one is the same ellipse with its axes swapped.
    Segment swapped(GK_EllipticArcSegment_createWithCenter(center, 0, 1, 2, pi / 2, pi / 4, nullptr, eh()));
    EXPECT_DOUBLE_EQ(GK_EllipticArcSegment_getSemiMajorAxis(swapped, eh()), 2);
    EXPECT_DOUBLE_EQ(GK_EllipticArcSegment_getMinorMajorRatio(swapped, eh()), 0.5);
    EXPECT_DOUBLE_EQ(GK_EllipticArcSegment_getRotationAngle(swapped, eh()), pi / 2);
    Geometry swapped_end(GK_Segment_getEndPoint(swapped, eh()));
    EXPECT_NEAR(GK_Point_getX(swapped_end, eh()), 1 + x, 1e-14);
    expect_no_error();
}

TEST_F(EllipticArcTest, ArcFromEndPointsPicksTheCentreTheFlagsSelect) {
    // x^2/4 + y^2 = 1 around (0, 0) and around (2, 1) both pass through (2, 0) and (0, 1).
    struct Case {
        GK_Bool minor, ccw;
        ArcExpectation want;
    };
    const Case cases[] = {
        {1, 1, {0, 0, 2, 0.5, 0, pi / 2}},
        {0, 1, {2, 1, 2, 0.5, -pi / 2, 3 * pi / 2}},
        {0, 0, {0, 0, 2, 0.5, 0, -3 * pi / 2}},
        {1, 0, {2, 1, 2, 0.5, -pi / 2, -pi / 2}},
    };
    Geometry start = point(2, 0), end = point(0, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "minor " << int(c.minor) << " ccw " << int(c.ccw));
        Segment arc(GK_EllipticArcSegment_createWithStartAndEndpoints(start, end, 0, c.minor, c.ccw, 2, 0.5,
                                                                      nullptr, eh()));
        expect_arc(arc, c.want);
        // The end points are kept exactly as given.
        Geometry arc_end(GK_Segment_getEndPoint(arc, eh()));
        EXPECT_EQ(GK_Point_getX(arc_end, eh()), 0.0);
        EXPECT_EQ(GK_Point_getY(arc_end, eh()), 1.0);
    }
}

TEST_F(EllipticArcTest, ArcFromEndPointsEnlargesAnAxisTooShortToReachBothEnds) {
    Geometry start = point(0, 0), end = point(4, 0);
    for (GK_Bool minor : {GK_Bool{0}, GK_Bool{1}}) {
        Segment arc(
            GK_EllipticArcSegment_createWithStartAndEndpoints(start, end, 0, minor, 1, 1, 1, nullptr, eh()));
        expect_arc(arc, {2, 0, 2, 1, pi, pi});
    }
    Segment same_ends(
        GK_EllipticArcSegment_createWithStartAndEndpoints(start, start, 0, 1, 1, 1, 1, nullptr, eh()));
    EXPECT_EQ(same_ends.get(), nullptr);
    Segment bad_axis(
        GK_EllipticArcSegment_createWithStartAndEndpoints(start, end, 0, 1, 1, -1, 1, nullptr, eh()));
    EXPECT_EQ(bad_axis.get(), nullptr);
    Segment bad_ratio(
        GK_EllipticArcSegment_createWithStartAndEndpoints(start, end, 0, 1, 1, 1, NAN, nullptr, eh()));
    EXPECT_EQ(bad_ratio.get(), nullptr);
    EXPECT_EQ(take_errors().size(), 3u);
}

TEST_F(EllipticArcTest, SegmentQueriesRefuseTheWrongKindOfSegment) {
    Segment line(GK_LineSegment_createWithXY(0, 0, 1, 1, eh()));
    EXPECT_EQ(GK_EllipticArcSegment_getCentralAngle(line, eh()), 0.0);
    Geometry none(GK_CubicBezierSegment_getControlPoint1(line, eh()));
    EXPECT_EQ(none.get(), nullptr);
    const auto errors = take_errors();
    ASSERT_FALSE(errors.empty());
    for (int32_t code : errors) EXPECT_EQ(code, GK_ERROR_TYPE_MISMATCH);
}

}  // namespace
