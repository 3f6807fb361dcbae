// The engine's frame: curves as chords within the deviation, GEOS conversions both ways, and where
// result vertices get their z and m.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"
#include "engine/vertex_attributes.hpp"
#include "json_test_support.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

class EngineFrameTest : public json_test::JsonTest {
  protected:
    const GeometryValue& value(const geometry_test::Geometry& g) { return geokern::value_of(g.get()); }
};

double distance_to_circle(const Vertex& p, double cx, double cy, double r) {
    return std::fabs(std::hypot(p.x - cx, p.y - cy) - r);
}

TEST_F(EngineFrameTest, ChordsOfACircularArcStayWithinTheDeviation) {
    // A half circle of radius 10 around (0, 0), from (10, 0) counter-clockwise to (-10, 0).
    auto g = read(R"({"curvePaths": [[[10, 0], {"a": [[-10, 0], [0, 0], 0, 0]}]]})");
    ASSERT_TRUE(no_errors());
    for (double deviation : {1.0, 1e-3, 1e-7}) {
        LinearPart linear = linearize(*value(g).parts[0], deviation);
        ASSERT_GE(linear.size(), 3u);
        EXPECT_EQ(linear.source.front(), 0);
        EXPECT_EQ(linear.source.back(), 1);
        double worst = 0.0;
        for (size_t i = 1; i < linear.size(); ++i) {
            const Vertex a = linear.point(i - 1), b = linear.point(i);
            EXPECT_LT(distance_to_circle(a, 0, 0, 10), 1e-12);
            // The chord's midpoint is where it strays furthest from the arc.
            worst = std::max(worst, distance_to_circle({(a.x + b.x) / 2, (a.y + b.y) / 2}, 0, 0, 10));
            EXPECT_GT(a.y, -1e-12) << "the arc runs through the upper half";
        }
        EXPECT_LE(worst, deviation * (1 + 1e-9));
        EXPECT_GT(worst, deviation / 4) << "no needless chords";
    }
    // A deviation too fine for the arc's size is bounded by the chord limit instead.
    EXPECT_EQ(linearize(*value(g).parts[0], 1e-12).size(), size_t{max_chords_per_curve} + 1);
}

TEST_F(EngineFrameTest, BezierChordsStayWithinTheDeviation) {
    auto g = read(R"({"curvePaths": [[[0, 0], {"b": [[3, 0], [0, 2], [3, 2]]}]]})");
    ASSERT_TRUE(no_errors());
    const double deviation = 1e-4;
    LinearPart linear = linearize(*value(g).parts[0], deviation);
    auto bezier = [](double t) {
        const double u = 1 - t;
        return Vertex{3 * u * t * t * 3 + t * t * t * 3, 3 * u * u * t * 2 + 3 * u * t * t * 2};
    };
    // Every chord's midpoint is close to the curve between its ends' parameters.
    for (size_t i = 1; i < linear.size(); ++i) {
        const double t = (i - 0.5) / (linear.size() - 1.0);
        const Vertex mid{(linear.xs[i - 1] + linear.xs[i]) / 2, (linear.ys[i - 1] + linear.ys[i]) / 2};
        const Vertex on = bezier(t);
        EXPECT_LE(std::hypot(mid.x - on.x, mid.y - on.y), deviation);
    }
}

TEST_F(EngineFrameTest, PolygonRingsAreGroupedByOrientation) {
    // Two clockwise outer rings, a counter-clockwise hole inside the second, and a counter-clockwise
    // ring that no outer ring holds, which stands as a polygon of its own.
    auto g = read(R"({"rings": [[[0,0],[0,10],[10,10],[10,0],[0,0]],
                                 [[20,0],[20,10],[30,10],[30,0],[20,0]],
                                 [[22,2],[28,2],[28,8],[22,8],[22,2]],
                                 [[40,0],[41,0],[41,1],[40,1],[40,0]]]})");
    ASSERT_TRUE(no_errors());
    GeosGeometry geos_form = to_geos(value(g), 1e-9);
    ASSERT_EQ(GEOSGetNumGeometries_r(geos(), geos_form.get()), 3);
    const GEOSGeometry* second = GEOSGetGeometryN_r(geos(), geos_form.get(), 1);
    EXPECT_EQ(GEOSGetNumInteriorRings_r(geos(), second), 1);
    double area = 0;
    GEOSArea_r(geos(), geos_form.get(), &area);
    EXPECT_DOUBLE_EQ(area, 100 + 100 - 36 + 1);

    // Back from GEOS: outer rings clockwise, each followed by its counter-clockwise holes.
    GeometryValue back = from_geos(geos_form.get(), ResultShape{geometry_type_polygon});
    ASSERT_EQ(back.parts.size(), 4u);
    const bool clockwise[] = {true, true, false, true};
    for (size_t i = 0; i < 4; ++i) {
        LinearPart ring = linearize(*back.parts[i], 1.0);
        EXPECT_EQ(signed_area2(ring.xs, ring.ys) < 0, clockwise[i]) << "ring " << i;
        EXPECT_TRUE(back.parts[i]->closed);
    }
}

TEST_F(EngineFrameTest, ResultVerticesTakeZAndMFromTheInputs) {
    auto g = read(R"({"hasZ": true, "hasM": true, "paths": [[[0, 0, 10, 100], [10, 0, 20, 200]]]})");
    ASSERT_TRUE(no_errors());
    VertexAttributes attributes;
    attributes.add(value(g), 1e-9);
    struct Case {
        Vertex at;
        double z, m;
    };
    const Case cases[] = {
        {{0, 0}, 10, 100},                    // an input vertex
        {{10, 0}, 20, 200},                   // the other one
        {{2.5, 0}, 12.5, 125},                // on the segment: interpolated
        {{5, 1e-12}, 15, 150},                // a hair off it, as GEOS's intersections are
        {{5, 1}, nan_value, nan_value},       // elsewhere
        {{11, 0}, nan_value, nan_value},      // past the end
    };
    for (const Case& c : cases) {
        Vertex v = c.at;
        attributes.fill(v);
        EXPECT_TRUE(same_number(v.z, c.z) && same_number(v.m, c.m)) << c.at.x << "," << c.at.y << ": " << v.z << " " << v.m;
    }
}

TEST_F(EngineFrameTest, EmptyAndDegenerateInputsConvert) {
    for (const char* text : {R"({"rings": []})", R"({"paths": []})", R"({"points": []})", R"({"x": null, "y": 0})",
                             R"({"rings": [[[0,0],[1,1],[0,0]]]})", R"({"paths": [[[1,1]]]})"}) {
        auto g = read(text);
        ASSERT_TRUE(no_errors()) << text;
        GeosGeometry geos_form = to_geos(value(g), 1e-9);
        double length = -1;
        GEOSLength_r(geos(), geos_form.get(), &length);
        EXPECT_EQ(length, 0.0) << text;
    }
}

}  // namespace
