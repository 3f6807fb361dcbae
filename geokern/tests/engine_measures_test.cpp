// Planar measures and proximity: closed forms for curves, tables of nearest points and positions along
// lines, and the errors of bad arguments.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "error_capture.hpp"
#include "geometry_fixture.hpp"

namespace {

using geometry_test::Geometry;
constexpr double pi = std::numbers::pi;

const char* const circle_r2 =
    R"({"curveRings": [[[2, 0], {"a": [[-2, 0], [0, 0], 0, 1]}, {"a": [[2, 0], [0, 0], 0, 1]}]]})";
// An ellipse of semi-axes 3 and 1.5, clockwise, from two elliptic half arcs.
const char* const ellipse_3_15 =
    R"({"curveRings": [[[3, 0], {"a": [[-3, 0], [0, 0], 0, 1, 0, 3, 0.5]}, {"a": [[3, 0], [0, 0], 0, 1, 0, 3, 0.5]}]]})";
// The Bezier arch over (0, 0)-(1, 0) with controls (0, 1) and (1, 1) bounds 0.6 above its chord
// (the integral of 18 t^2 (1 - t)^2), on top of the unit square below.
const char* const bezier_arch =
    R"({"curveRings": [[[0, 0], {"b": [[1, 0], [0, 1], [1, 1]]}, [1, -1], [0, -1], [0, 0]]]})";
const char* const square_with_hole =
    R"({"rings": [[[0, 0], [0, 10], [10, 10], [10, 0], [0, 0]], [[4, 4], [6, 4], [6, 6], [4, 6], [4, 4]]]})";
// A C open to the right: its centroid lies in the opening.
const char* const c_shape =
    R"({"rings": [[[0, 0], [0, 10], [10, 10], [10, 8], [2, 8], [2, 2], [10, 2], [10, 0], [0, 0]]]})";

class EngineMeasuresTest : public geokern_test::LibraryTest {
  protected:
    Geometry read(const std::string& json) {
        Geometry geometry(GK_Geometry_fromJSON(json.c_str(), h));
        EXPECT_NE(geometry.get(), nullptr) << json;
        return geometry;
    }
    Geometry point(double x, double y) {
        return read("{\"x\": " + std::to_string(x) + ", \"y\": " + std::to_string(y) + "}");
    }
    std::string json(GK_GeometryHandle geometry) { return geokern_test::take_text(GK_Geometry_toJSON(geometry, h)); }

    struct Proximity {
        double x, y, distance;
        int64_t part, point;
        bool empty;
    };
    Proximity take(GK_ProximityResultHandle result) {
        Proximity out{};
        EXPECT_NE(result, nullptr);
        if (result == nullptr) return out;
        Geometry coordinate(GK_ProximityResult_getCoordinate(result, h));
        out.empty = GK_Geometry_getIsEmpty(coordinate, h) != 0;
        out.x = GK_Point_getX(coordinate, h);
        out.y = GK_Point_getY(coordinate, h);
        out.distance = GK_ProximityResult_getDistance(result, h);
        out.part = GK_ProximityResult_getPartIndex(result, h);
        out.point = GK_ProximityResult_getPointIndex(result, h);
        GK_ProximityResult_destroy(result, h);
        return out;
    }
    std::string single_error() {
        std::vector<geokern_test::CapturedError> errors = take_errors();
        if (errors.size() != 1) return "expected one error, got " + std::to_string(errors.size());
        return errors[0].additional;
    }
};

TEST_F(EngineMeasuresTest, AreaAndLengthAreExactForEveryType) {
    struct Case {
        const char* json;
        double area, length;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {square_with_hole, 96.0, 48.0},
        // Counter-clockwise: the region it bounds, as its clockwise mirror measures.
        {R"({"rings": [[[0, 0], [10, 0], [10, 10], [0, 10], [0, 0]]]})", 100.0, 40.0},
        {circle_r2, 4.0 * pi, 4.0 * pi},
        {ellipse_3_15, pi * 3.0 * 1.5, 14.532672330821516},
        {bezier_arch, 1.6, nan},
        // Far from the origin the area keeps its digits.
        {R"({"rings": [[[1e9, 1e9], [1e9, 1000000001], [1000000001, 1000000001], [1000000001, 1e9]]]})", 1.0, 4.0},
        {R"({"xmin": 0, "ymin": 0, "xmax": 3, "ymax": 2})", 6.0, 10.0},
        {R"({"paths": [[[0, 0], [3, 4]], [[0, 0], [0, 1]]]})", 0.0, 6.0},
        {R"({"curvePaths": [[[2, 0], {"a": [[-2, 0], [0, 0], 0, 0]}]]})", 0.0, 2.0 * pi},
        {R"({"x": 1, "y": 2})", 0.0, 0.0},
        {R"({"points": [[1, 2], [3, 4]]})", 0.0, 0.0},
        {R"({"rings": []})", 0.0, 0.0},
    };
    for (const Case& c : cases) {
        Geometry g = read(c.json);
        EXPECT_NEAR(GK_GeometryEngine_area(g, h), c.area, 1e-13 * std::max(1.0, std::fabs(c.area))) << c.json;
        if (!std::isnan(c.length)) {
            EXPECT_NEAR(GK_GeometryEngine_length(g, h), c.length, 1e-13 * std::max(1.0, c.length)) << c.json;
        }
        EXPECT_TRUE(no_errors());
    }
}

TEST_F(EngineMeasuresTest, BezierAreaMatchesGreensIntegralOfAnAsymmetricCurve) {
    // Controls (1, 3) and (4, -2) from (0, 0) to (5, 1), closed by the straight segment back.
    Geometry g = read(R"({"curveRings": [[[0, 0], {"b": [[5, 1], [1, 3], [4, -2]]}, [0, 0]]]})");
    // Midpoint rule on the polynomial integrand, fine enough for 1e-10.
    const double px[4] = {0, 1, 4, 5}, py[4] = {0, 3, -2, 1};
    auto at = [](const double* p, double t) {
        const double s = 1 - t;
        return s * s * s * p[0] + 3 * s * s * t * p[1] + 3 * s * t * t * p[2] + t * t * t * p[3];
    };
    auto slope = [](const double* p, double t) {
        const double s = 1 - t;
        return 3 * (s * s * (p[1] - p[0]) + 2 * s * t * (p[2] - p[1]) + t * t * (p[3] - p[2]));
    };
    double twice = 0.0;
    const int steps = 200000;
    for (int i = 0; i < steps; ++i) {
        const double t = (i + 0.5) / steps;
        twice += (at(px, t) * slope(py, t) - at(py, t) * slope(px, t)) / steps;
    }
    EXPECT_NEAR(GK_GeometryEngine_area(g, h), std::fabs(0.5 * twice), 1e-9);
    EXPECT_TRUE(no_errors());
}

TEST_F(EngineMeasuresTest, DistanceIsExactFromPointsAndNaNForEmptyInput) {
    struct Case {
        const char* a;
        const char* b;
        double distance;
    };
    const Case cases[] = {
        {R"({"x": 3, "y": 4})", R"({"paths": [[[0, 0], [10, 0]]]})", 4.0},
        {R"({"x": 5, "y": 0})", circle_r2, 3.0},                 // exact on the arc, not its chords
        {circle_r2, R"({"x": 0.5, "y": 0.5})", 0.0},             // inside
        {R"({"x": 0, "y": 5})", ellipse_3_15, 3.5},
        {square_with_hole, R"({"rings": [[[13, 0], [13, 4], [17, 4], [17, 0]]]})", 3.0},
        {R"({"points": [[0, 0], [20, 20]]})", R"({"paths": [[[5, 5], [5, 15]]]})", 5.0 * std::sqrt(2.0)},
    };
    for (const Case& c : cases) {
        Geometry a = read(c.a), b = read(c.b);
        EXPECT_NEAR(GK_GeometryEngine_distance(a, b, h), c.distance, 1e-12) << c.a << " " << c.b;
        EXPECT_TRUE(no_errors());
    }
    Geometry empty = read(R"({"paths": []})"), line = read(R"({"paths": [[[0, 0], [1, 0]]]})");
    EXPECT_TRUE(std::isnan(GK_GeometryEngine_distance(empty, line, h)));
    EXPECT_TRUE(no_errors());

    Geometry wgs = read(R"({"x": 1, "y": 1, "spatialReference": {"wkid": 4326}})");
    Geometry mercator = read(R"({"x": 1, "y": 1, "spatialReference": {"wkid": 3857}})");
    GK_GeometryEngine_distance(wgs, mercator, h);
    EXPECT_NE(single_error().find("wkid 4326"), std::string::npos);
}

TEST_F(EngineMeasuresTest, NearestCoordinateTable) {
    struct Case {
        const char* geometry;
        double px, py;
        double x, y, distance;
        int64_t part, point;
    };
    const Case cases[] = {
        {R"({"paths": [[[0, 0], [2, 0], [2, 2]]]})", 1, -1, 1, 0, 1, 0, 0},
        {R"({"paths": [[[0, 0], [2, 0], [2, 2]]]})", 3, 1.5, 2, 1.5, 1, 0, 1},
        {R"({"paths": [[[0, 0], [2, 0]], [[0, 5], [2, 5]]]})", 1, 4, 1, 5, 1, 1, 0},
        {R"({"paths": [[[0, 0], [2, 0]]]})", -3, 4, 0, 0, 5, 0, 0},
        // Inside a polygon the point is its own nearest coordinate; in the hole it is not.
        {square_with_hole, 1, 1, 1, 1, 0, -1, -1},
        {square_with_hole, 5, 4.5, 5, 4, 0.5, 1, 0},
        {square_with_hole, 12, 5, 10, 5, 2, 0, 2},
        {circle_r2, 3, 4, 1.2, 1.6, 3, 0, 1},
        {ellipse_3_15, 0, 5, 0, 1.5, 3.5, 0, 1},
        {ellipse_3_15, 5, 0.0, 3, 0, 2, 0, 0},
        {R"({"curvePaths": [[[0, 0], {"b": [[1, 0], [0, 1], [1, 1]]}]]})", 0.5, 2, 0.5, 0.75, 1.25, 0, 0},
        {R"({"points": [[0, 0], [4, 4], [1, 1]]})", 3, 3, 4, 4, std::sqrt(2.0), 0, 1},
        {R"({"x": 3, "y": 4})", 0, 0, 3, 4, 5, 0, 0},
        {R"({"xmin": 0, "ymin": 0, "xmax": 3, "ymax": 2})", 1, 5, 1, 2, 3, 0, 1},
    };
    for (const Case& c : cases) {
        Geometry g = read(c.geometry), p = point(c.px, c.py);
        const Proximity r = take(GK_GeometryEngine_nearestCoordinate(g, p, h));
        EXPECT_TRUE(no_errors());
        SCOPED_TRACE(std::string(c.geometry) + " from " + std::to_string(c.px) + " " + std::to_string(c.py));
        EXPECT_NEAR(r.x, c.x, 1e-12);
        EXPECT_NEAR(r.y, c.y, 1e-12);
        EXPECT_NEAR(r.distance, c.distance, 1e-12);
        EXPECT_EQ(r.part, c.part);
        EXPECT_EQ(r.point, c.point);
    }
}

TEST_F(EngineMeasuresTest, NearestCoordinateInterpolatesZAndM) {
    Geometry g = read(R"({"hasZ": true, "hasM": true, "paths": [[[0, 0, 0, 100], [10, 0, 10, 200]]]})");
    Geometry p = point(4, 3);
    GK_ProximityResultHandle result = GK_GeometryEngine_nearestCoordinate(g, p, h);
    Geometry coordinate(GK_ProximityResult_getCoordinate(result, h));
    EXPECT_DOUBLE_EQ(GK_Point_getZ(coordinate, h), 4.0);
    EXPECT_DOUBLE_EQ(GK_Point_getM(coordinate, h), 140.0);
    GK_ProximityResult_destroy(result, h);
    EXPECT_TRUE(no_errors());
}

TEST_F(EngineMeasuresTest, NearestVertexTable) {
    struct Case {
        const char* geometry;
        double px, py;
        double x, y, distance;
        int64_t part, point;
    };
    const Case cases[] = {
        {R"({"paths": [[[0, 0], [2, 0], [2, 2]]]})", 1.2, -1, 2, 0, std::hypot(0.8, 1.0), 0, 1},
        {square_with_hole, 5, 5, 4, 4, std::sqrt(2.0), 1, 0},  // the first of four equally near
        {square_with_hole, 9, 11, 10, 10, std::sqrt(2.0), 0, 2},
        {circle_r2, 0, 3, 2, 0, std::sqrt(13.0), 0, 0},
        {R"({"points": [[0, 0], [4, 4], [1, 1]]})", 2, 2, 1, 1, std::sqrt(2.0), 0, 2},
    };
    for (const Case& c : cases) {
        Geometry g = read(c.geometry), p = point(c.px, c.py);
        const Proximity r = take(GK_GeometryEngine_nearestVertex(g, p, h));
        EXPECT_TRUE(no_errors());
        SCOPED_TRACE(c.geometry);
        EXPECT_DOUBLE_EQ(r.x, c.x);
        EXPECT_DOUBLE_EQ(r.y, c.y);
        EXPECT_DOUBLE_EQ(r.distance, c.distance);
        EXPECT_EQ(r.part, c.part);
        EXPECT_EQ(r.point, c.point);
    }
}

TEST_F(EngineMeasuresTest, ProximityOfEmptyInputIsEmptyWithNoIndex) {
    for (const char* pair : {R"({"paths": []})", R"({"rings": [[[0, 0], [0, 1], [1, 1]]]})"}) {
        Geometry g = read(pair);
        const bool empty_geometry = GK_Geometry_getIsEmpty(g, h) != 0;
        Geometry p = empty_geometry ? point(1, 1) : read(R"({"x": "NaN", "y": "NaN"})");
        for (auto* find : {&GK_GeometryEngine_nearestCoordinate, &GK_GeometryEngine_nearestVertex}) {
            const Proximity r = take(find(g, p, h));
            EXPECT_TRUE(no_errors());
            EXPECT_TRUE(r.empty);
            EXPECT_TRUE(std::isnan(r.distance));
            EXPECT_EQ(r.part, -1);
            EXPECT_EQ(r.point, -1);
        }
    }
    Geometry line = read(R"({"paths": [[[0, 0], [1, 0]]]})");
    EXPECT_EQ(GK_GeometryEngine_nearestCoordinate(line, line, h), nullptr);
    EXPECT_EQ(take_errors().size(), 1u);
}

TEST_F(EngineMeasuresTest, FractionAlongTable) {
    const char* const two_parts = R"({"paths": [[[0, 0], [10, 0]], [[0, 5], [10, 5]]]})";
    const char* const half_circle = R"({"curvePaths": [[[2, 0], {"a": [[-2, 0], [0, 0], 0, 0]}]]})";
    struct Case {
        const char* line;
        double px, py, tolerance, fraction;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {R"({"paths": [[[0, 0], [10, 0]]]})", 2.5, 1, 2, 0.25},
        {R"({"paths": [[[0, 0], [10, 0]]]})", 2.5, 1, 0.5, nan},  // too far
        {R"({"paths": [[[0, 0], [10, 0]]]})", -5, 0, 10, 0.0},
        {two_parts, 5, 4, 1, 0.75},
        {half_circle, 0, 5, 3, 0.5},
        {half_circle, 2, 2, 1, 0.25},
        {R"({"paths": [[[1, 1], [1, 1]]]})", 1, 1, 0, 0.0},  // no length
        {R"({"paths": []})", 1, 1, 1, nan},
    };
    for (const Case& c : cases) {
        Geometry line = read(c.line), p = point(c.px, c.py);
        const double fraction = GK_GeometryEngine_fractionAlong(line, p, c.tolerance, h);
        EXPECT_TRUE(no_errors());
        if (std::isnan(c.fraction)) EXPECT_TRUE(std::isnan(fraction)) << c.line;
        else EXPECT_NEAR(fraction, c.fraction, 1e-14) << c.line;
    }
    Geometry line = read(R"({"paths": [[[0, 0], [10, 0]]]})"), p = point(1, 1);
    GK_GeometryEngine_fractionAlong(line, p, -1.0, h);
    EXPECT_NE(single_error().find("tolerance"), std::string::npos);
}

TEST_F(EngineMeasuresTest, CreatePointAlongTable) {
    struct Case {
        const char* line;
        double distance, x, y;
    };
    const char* const zm_line = R"({"hasZ": true, "paths": [[[0, 0, 1], [10, 0, 11]], [[0, 5, 0], [0, 10, 5]]]})";
    const Case cases[] = {
        {zm_line, 2.5, 2.5, 0},
        {zm_line, 12, 0, 7},
        {zm_line, -1, 0, 0},    // clamped to the start
        {zm_line, 100, 0, 10},  // clamped to the end
        {R"({"curvePaths": [[[2, 0], {"a": [[-2, 0], [0, 0], 0, 0]}]]})", pi, 0, 2},
    };
    for (const Case& c : cases) {
        Geometry line = read(c.line);
        Geometry p(GK_GeometryEngine_createPointAlong(line, c.distance, h));
        EXPECT_TRUE(no_errors());
        EXPECT_NEAR(GK_Point_getX(p, h), c.x, 1e-14) << c.line << " " << c.distance;
        EXPECT_NEAR(GK_Point_getY(p, h), c.y, 1e-14) << c.line << " " << c.distance;
    }
    Geometry line = read(zm_line);
    Geometry p(GK_GeometryEngine_createPointAlong(line, 12, h));
    EXPECT_DOUBLE_EQ(GK_Point_getZ(p, h), 2.0);
    Geometry empty(GK_GeometryEngine_createPointAlong(Geometry(read(R"({"paths": []})")), 1.0, h));
    EXPECT_TRUE(GK_Geometry_getIsEmpty(empty, h));
    EXPECT_TRUE(no_errors());
    GK_GeometryEngine_createPointAlong(line, std::nan(""), h);
    EXPECT_NE(single_error().find("not a number"), std::string::npos);
}

// Along curves the two functions invert each other: the point at d lies at fraction d / length.
TEST_F(EngineMeasuresTest, PointAlongAndFractionAlongInvertEachOtherOnCurves) {
    const char* const curved = R"({"curvePaths": [[[3, 0], {"a": [[0, 1.5], [0, 0], 1, 0, 0, 3, 0.5]},
        {"b": [[-4, 3], [-1, 3], [-3, 0]]}, [-6, 3]]]})";
    Geometry line = read(curved);
    const double length = GK_GeometryEngine_length(line, h);
    EXPECT_TRUE(no_errors());
    for (double share : {0.05, 0.2, 0.4, 0.55, 0.7, 0.95}) {
        Geometry p(GK_GeometryEngine_createPointAlong(line, share * length, h));
        EXPECT_NEAR(GK_GeometryEngine_fractionAlong(line, p, 1e-9, h), share, 1e-12) << share;
        const Proximity near = take(GK_GeometryEngine_nearestCoordinate(line, p, h));
        EXPECT_LT(near.distance, 1e-12);
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(EngineMeasuresTest, LabelPointLiesInsideWhereTheCentroidDoesNot) {
    Geometry polygon = read(c_shape);
    Geometry label(GK_GeometryEngine_labelPoint(polygon, h));
    EXPECT_TRUE(no_errors());
    EXPECT_TRUE(GK_GeometryEngine_contains(polygon, label, h));
    // The deepest spots of this C are its outer corners, 4 - 2 sqrt 2 from the boundary (the circle
    // touching both outer sides and the inner corner); the centroid lies in the opening.
    Geometry boundary_distance(read(R"({"paths": [[[0, 0], [0, 10], [10, 10], [10, 8], [2, 8], [2, 2], [10, 2], [10, 0], [0, 0]]]})"));
    EXPECT_NEAR(GK_GeometryEngine_distance(label, boundary_distance, h), 4.0 - 2.0 * std::sqrt(2.0), 1e-3);

    Geometry with_hole = read(square_with_hole);
    Geometry hole_label(GK_GeometryEngine_labelPoint(with_hole, h));
    EXPECT_TRUE(GK_GeometryEngine_contains(with_hole, hole_label, h));
    Geometry empty(GK_GeometryEngine_labelPoint(Geometry(read(R"({"rings": []})")), h));
    EXPECT_TRUE(GK_Geometry_getIsEmpty(empty, h));
    EXPECT_TRUE(no_errors());

    Geometry line = read(R"({"paths": [[[0, 0], [1, 0]]]})");
    EXPECT_EQ(GK_GeometryEngine_labelPoint(line, h), nullptr);
    EXPECT_EQ(take_errors().size(), 1u);
}

}  // namespace

namespace {

// Shapes that once made GEOS's inscribed circle or the length quadrature run without end.
TEST_F(EngineMeasuresTest, HostileShapesAnswerInTime) {
    const char* const polygons[] = {
        R"({"rings": [[[0, 0], [0, 0.001], [100000, 0.001], [100000, 0]]]})",           // long and thin
        R"({"rings": [[[1e16, 1e16], [1e16, 10000000000000064], [10000000000000064, 10000000000000064], [10000000000000064, 1e16]]]})",  // far away
        R"({"rings": [[[0, 0], [0, 1e12], [1, 1e12], [1, 0]]]})",
    };
    for (const char* text : polygons) {
        Geometry polygon = read(text);
        Geometry label(GK_GeometryEngine_labelPoint(polygon, h));
        EXPECT_TRUE(no_errors()) << text;
        EXPECT_TRUE(GK_GeometryEngine_contains(polygon, label, h)) << text;
    }
    Geometry overflowing = read(R"({"curvePaths": [[[0, 0], {"b": [[1e300, 1], [1.7e308, -1.7e308], [3, 4]]}]]})");
    EXPECT_TRUE(std::isinf(GK_GeometryEngine_length(overflowing, h)));
    Geometry line = read(R"({"paths": [[[0, 0], [1, 1]]]})");
    // Both start at the origin; the curve's 65536 chords are compared through an index.
    EXPECT_EQ(GK_GeometryEngine_distance(overflowing, line, h), 0.0);
    EXPECT_TRUE(no_errors());
}

}  // namespace
