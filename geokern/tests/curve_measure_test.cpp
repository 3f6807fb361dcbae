// Extents and lengths of curves against closed forms, and the elliptic arc length against independent
// integrations.
#include <cmath>
#include <numbers>

#include "geometry/cubic_bezier.hpp"
#include "geometry/elliptic_arc.hpp"
#include "geometry/part.hpp"
#include "geometry_fixture.hpp"

using namespace geometry_test;
using geokern::EllipticArc;
using geokern::Vertex;

namespace {

constexpr double pi = std::numbers::pi;

// Composite Simpson's rule with n (even) intervals: an integration independent of the library's.
template <class F>
double simpson(const F& f, double a, double b, int n) {
    const double h = (b - a) / n;
    double sum = f(a) + f(b);
    for (int i = 1; i < n; ++i) sum += f(a + i * h) * (i % 2 == 1 ? 4 : 2);
    return sum * h / 3;
}

void expect_relative(double actual, double expected, double relative) {
    EXPECT_NEAR(actual, expected, relative * std::fabs(expected))
        << "relative error " << (actual - expected) / expected;
}

class CurveMeasureTest : public GeometryTest {
  protected:
    // A one-part polyline made of the given segment.
    Geometry polyline_of(GK_SegmentHandle segment) {
        MutablePart part(GK_MutablePart_createWithSpatialReference(nullptr, eh()));
        GK_MutablePart_addSegment(part, segment, eh());
        PartCollection parts(GK_MutablePartCollection_createWithSpatialReference(nullptr, eh()));
        GK_MutablePartCollection_addPart(parts, part, eh());
        Builder builder(GK_PolylineBuilder_createFromSpatialReference(nullptr, eh()));
        GK_MultipartBuilder_setParts(builder, parts, eh());
        return Geometry(GK_GeometryBuilder_toGeometry(builder, eh()));
    }

    void expect_extent(GK_GeometryHandle geometry, double xmin, double ymin, double xmax, double ymax) {
        Geometry extent(GK_Geometry_getExtent(geometry, eh()));
        EXPECT_NEAR(GK_Envelope_getXMin(extent, eh()), xmin, 1e-12);
        EXPECT_NEAR(GK_Envelope_getYMin(extent, eh()), ymin, 1e-12);
        EXPECT_NEAR(GK_Envelope_getXMax(extent, eh()), xmax, 1e-12);
        EXPECT_NEAR(GK_Envelope_getYMax(extent, eh()), ymax, 1e-12);
        expect_no_error();
    }
};

TEST_F(CurveMeasureTest, ExtentIncludesTheBulgeOfArcs) {
    Geometry start = point(0, 0), end = point(2, 0), top = point(1, 1);
    Segment half(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(start, end, top,
                                                                                        nullptr, eh()));
    Geometry upper = polyline_of(half);
    expect_extent(upper, 0, 0, 2, 1);
    EXPECT_EQ(GK_Geometry_getHasCurves(upper, eh()), 1);

    // Three quarters of the unit circle clockwise from (1, 0) to (0, 1) sweep through the left and the
    // bottom: the extent is the whole circle's.
    Geometry east = point(1, 0), north = point(0, 1), west = point(-1, 0);
    Segment long_way(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(east, north, west,
                                                                                            nullptr, eh()));
    Geometry three_quarters = polyline_of(long_way);
    expect_extent(three_quarters, -1, -1, 1, 1);

    // A full ellipse with axes 2 and 1 turned by 45 degrees reaches sqrt(a^2 cos^2 + b^2 sin^2) each way.
    Geometry origin = point(0, 0);
    Segment ellipse(GK_EllipticArcSegment_createWithCenter(origin, pi / 4, 2, 0.5, 0, 2 * pi, nullptr, eh()));
    const double reach = std::sqrt(2.5);
    Geometry whole = polyline_of(ellipse);
    expect_extent(whole, -reach, -reach, reach, reach);
}

TEST_F(CurveMeasureTest, ExtentIncludesTheBulgeOfBezierCurves) {
    Geometry start = point(0, 0), first = point(0, 1), second = point(1, 1), end = point(1, 0);
    Segment bezier(GK_CubicBezierSegment_create(start, first, second, end, nullptr, eh()));
    // y(t) = 3 t (1 - t) peaks at t = 1/2 with 3/4.
    Geometry curve = polyline_of(bezier);
    expect_extent(curve, 0, 0, 1, 0.75);
    // Control points beyond the ends in x put both x extremes inside the curve; a dense sampling of
    // x(t) bounds them from inside.
    Geometry wide_first = point(-1, 1), wide_second = point(2, 1);
    Segment wide(GK_CubicBezierSegment_create(start, wide_first, wide_second, end, nullptr, eh()));
    const auto x_at = [](double t) {
        return 3 * t * (1 - t) * (1 - t) * -1 + 3 * t * t * (1 - t) * 2 + t * t * t;
    };
    double low = 0, high = 1;
    for (int i = 0; i <= 1000000; ++i) {
        low = std::min(low, x_at(i / 1e6));
        high = std::max(high, x_at(i / 1e6));
    }
    Geometry wide_curve = polyline_of(wide);
    Geometry extent(GK_Geometry_getExtent(wide_curve, eh()));
    EXPECT_NEAR(GK_Envelope_getXMin(extent, eh()), low, 1e-10);
    EXPECT_NEAR(GK_Envelope_getXMax(extent, eh()), high, 1e-10);
    EXPECT_LE(GK_Envelope_getXMin(extent, eh()), low);
    EXPECT_GE(GK_Envelope_getXMax(extent, eh()), high);
}

// Controls (c, c) and (-c, -c) between (0, 0) and (0, 0): x(t) = y(t) = 3 c t (1 - t) (1 - 2 t), whose
// extremes are +-c / (2 sqrt(3)). The roots of the derivative were sought from its coefficients, whose
// squares overflow for c beyond about 1e150: the extent was the end points' alone.
TEST_F(CurveMeasureTest, ExtentOfBezierCurvesHoldsForEveryFiniteControlPoint) {
    const double reach = 1 / (2 * std::sqrt(3.0));
    for (double c : {1.0, 1e100, 1e160, 1e200, 1e300, 1e308, 1e-300}) {
        SCOPED_TRACE(c);
        Geometry start = point(0, 0), first = point(c, c), second = point(-c, -c), end = point(0, 0);
        Segment bezier(GK_CubicBezierSegment_create(start, first, second, end, nullptr, eh()));
        Geometry curve = polyline_of(bezier);
        Geometry extent(GK_Geometry_getExtent(curve, eh()));
        for (double bound : {GK_Envelope_getXMax(extent, eh()), GK_Envelope_getYMax(extent, eh()),
                             -GK_Envelope_getXMin(extent, eh()), -GK_Envelope_getYMin(extent, eh())}) {
            EXPECT_NEAR(bound / c, reach, 1e-14);
        }
    }
}

TEST_F(CurveMeasureTest, CircularArcLengthIsExact) {
    const EllipticArc quarter = geokern::arc_with_center(0, 0, 0, 2, 1, 0, pi / 2);
    EXPECT_EQ(geokern::arc_length(quarter), pi);
    const auto half = geokern::circular_arc_through(Vertex{0, 0}, Vertex{2, 0}, Vertex{1, 1});
    ASSERT_TRUE(half.has_value());
    EXPECT_DOUBLE_EQ(geokern::arc_length(*half), pi);
}

TEST_F(CurveMeasureTest, EllipticArcLengthAgreesWithEllipticIntegrals) {
    struct Case {
        double ratio, start, central;
    };
    const Case cases[] = {{0.5, 0, 2 * pi}, {0.5, 0.3, 1.2}, {0.1, -2, -3},
                          {0.999, 1, 5},    {1e-3, 0, pi},   {0.7, 0.2, 1e-4}};
    const double a = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "ratio " << c.ratio << " start " << c.start << " central " << c.central);
        // Start and central angles as eccentric anomalies: with rotation 0 the library's polar angles
        // map onto them through tan(polar) = ratio tan(t).
        const EllipticArc arc = geokern::arc_with_center(0, 0, 0, a, c.ratio, 0, 0);
        EllipticArc sweep = arc;
        sweep.start_param = c.start;
        sweep.sweep_param = c.central;
        const double e = std::sqrt(1 - c.ratio * c.ratio);
        const double t0 = std::min(c.start, c.start + c.central), t1 = std::max(c.start, c.start + c.central);
        // Length from t0 to t1 is a [E(t1 - pi/2, e) - E(t0 - pi/2, e)].
        const double by_integrals = a * (std::ellint_2(e, t1 - pi / 2) - std::ellint_2(e, t0 - pi / 2));
        const double b = a * c.ratio;
        const double by_simpson =
            simpson([&](double t) { return std::hypot(a * std::sin(t), b * std::cos(t)); }, t0, t1, 400000);
        const double length = geokern::arc_length(sweep);
        expect_relative(length, by_simpson, 1e-12);
        if (t1 - t0 > 0.1) expect_relative(length, by_integrals, 1e-12);
    }
    // The full ellipse against the complete integral.
    EllipticArc full = geokern::arc_with_center(0, 0, 0.3, a, 0.5, 0, 2 * pi);
    expect_relative(geokern::arc_length(full), 4 * a * std::comp_ellint_2(std::sqrt(0.75)), 1e-13);
}

TEST_F(CurveMeasureTest, BezierLengthAgreesWithAnIndependentIntegration) {
    struct Case {
        Vertex start, end;
        geokern::CubicBezier curve;
    };
    const Case cases[] = {
        {{0, 0}, {1, 0}, {0, 1, 1, 1}},
        {{0, 0}, {3, 0}, {1, 0, 2, 0}},   // a straight line in disguise: length 3
        {{0, 0}, {1, 0}, {2, 1, -1, 1}},  // a loop with a sharp turn
    };
    for (const Case& c : cases) {
        const auto speed = [&](double t) {
            const double s = 1 - t;
            const double dx = 3 * (s * s * (c.curve.c1x - c.start.x) +
                                   2 * s * t * (c.curve.c2x - c.curve.c1x) + t * t * (c.end.x - c.curve.c2x));
            const double dy = 3 * (s * s * (c.curve.c1y - c.start.y) +
                                   2 * s * t * (c.curve.c2y - c.curve.c1y) + t * t * (c.end.y - c.curve.c2y));
            return std::hypot(dx, dy);
        };
        expect_relative(geokern::bezier_length(c.start, c.curve, c.end), simpson(speed, 0, 1, 400000), 1e-12);
    }
    EXPECT_NEAR(geokern::bezier_length({0, 0}, {1, 0, 2, 0}, {3, 0}), 3, 1e-14);
}

TEST_F(CurveMeasureTest, PartLengthAddsStraightAndCurvedSegments) {
    // A half disc: a diameter of 2 and the half circle over it.
    geokern::PartValue ring;
    ring.xs = {0, 2};
    ring.ys = {0, 0};
    ring.closed = true;
    ring.curves.push_back({1, *geokern::circular_arc_through(Vertex{2, 0}, Vertex{0, 0}, Vertex{1, 1})});
    EXPECT_DOUBLE_EQ(geokern::part_length(ring), 2 + pi);
    const geokern::Bounds bounds = geokern::part_bounds(ring);
    EXPECT_DOUBLE_EQ(bounds.ymax, 1);
}

}  // namespace
