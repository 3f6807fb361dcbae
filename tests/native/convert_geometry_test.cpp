// Native polylines, polygons and multipoints through the runtime core and back.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "convert_test_support.hpp"
#include "core/curve_part.hpp"
#include "core/multipoint.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "native_model_helpers.hpp"
#include "runtime/convert/multipart_geometry_conversion.hpp"
#include "runtime/convert/multipoint_conversion.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"

namespace velmor::runtime::convert {
namespace {

using core::Coord;
using core::CurveData;
using core::Dims;
using std::numbers::sqrt2;

class GeometryConversion : public test::WithGeokern {};

// A vertex at (x, y) with z and m in the given dimensionality; each vertex gets its own z and m.
Coord at(Dims dims, double x, double y, double tag) {
    switch (dims) {
        case Dims::XY:
            return Coord::xy(x, y);
        case Dims::XYZ:
            return Coord::xyz(x, y, 100 + tag);
        case Dims::XYM:
            return Coord::xym(x, y, 200 + tag);
        case Dims::XYZM:
            return Coord::xyzm(x, y, 100 + tag, 200 + tag);
    }
    return Coord::xy(x, y);
}

struct CurveVertexSpec {
    double x, y;
    CurveData curve;
};

core::SharedPart straight_part(Dims dims, const std::vector<std::pair<double, double>>& points, double tag) {
    core::Part part(dims);
    for (const auto& [x, y] : points) part.push(at(dims, x, y, tag++));
    return core::SharedPart(std::move(part));
}

core::SharedCurvePart curve_part(Dims dims, const std::vector<CurveVertexSpec>& vertices, double tag) {
    core::CurvePart part(dims);
    for (const CurveVertexSpec& v : vertices) EXPECT_TRUE(part.push(at(dims, v.x, v.y, tag++), v.curve));
    return core::SharedCurvePart(std::move(part));
}

// Curve data computed by the runtime may differ from the written one in the last bits.
void expect_same_curve(const CurveData& got, const CurveData& want) {
    ASSERT_EQ(got.index(), want.index());
    constexpr double eps = 1e-9;
    if (const auto* arc = std::get_if<core::CircularArc>(&want)) {
        EXPECT_NEAR(std::get<core::CircularArc>(got).interior_x, arc->interior_x, eps);
        EXPECT_NEAR(std::get<core::CircularArc>(got).interior_y, arc->interior_y, eps);
    } else if (const auto* ellipse = std::get_if<core::EllipticArc>(&want)) {
        const auto& e = std::get<core::EllipticArc>(got);
        EXPECT_NEAR(e.center_x, ellipse->center_x, eps);
        EXPECT_NEAR(e.center_y, ellipse->center_y, eps);
        EXPECT_NEAR(e.rotation, ellipse->rotation, eps);
        EXPECT_NEAR(e.axis, ellipse->axis, eps);
        EXPECT_NEAR(e.ratio, ellipse->ratio, eps);
        EXPECT_EQ(e.minor, ellipse->minor);
        EXPECT_EQ(e.clockwise, ellipse->clockwise);
    } else {
        EXPECT_EQ(got, want);
    }
}

void expect_same_part(const core::Part& got, const core::Part& want) {
    ASSERT_EQ(got.dims(), want.dims());
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_TRUE(test::same_coord(*got.get(i), *want.get(i))) << i << ": " << got.get(i)->text();
    }
}

void expect_same_curve_part(const core::CurvePart& got, const core::CurvePart& want) {
    expect_same_part(got.vertices(), want.vertices());
    for (std::size_t i = 0; i < std::min(got.size(), want.size()); ++i) {
        SCOPED_TRACE(i);
        expect_same_curve(*got.curve(i), *want.curve(i));
    }
}

template <class PartT>
void expect_same_container(const core::Shared<core::PartContainer<PartT>>& got,
                           const std::vector<core::Shared<PartT>>& want) {
    const auto container = got.lock();
    ASSERT_EQ(container->size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const auto part = container->get(i)->lock();
        if constexpr (std::is_same_v<PartT, core::Part>) {
            expect_same_part(*part, *want[i].lock());
        } else {
            expect_same_curve_part(*part, *want[i].lock());
        }
    }
}

// One curved segment of each kind, between end points that lie on it.
struct CurveKind {
    const char* name;
    std::vector<CurveVertexSpec> path;
};

std::vector<CurveKind> curve_kinds() {
    return {
        {"circular arc", {{2, 0, core::Linear{}}, {0, 2, core::CircularArc{sqrt2, sqrt2}}}},
        {"elliptic arc", {{2, 0, core::Linear{}}, {0, 1, core::EllipticArc{0, 0, 0, 2, 0.5, true, false}}}},
        {"clockwise major elliptic arc",
         {{2, 0, core::Linear{}}, {0, 1, core::EllipticArc{0, 0, 0, 2, 0.5, false, true}}}},
        {"bezier", {{0, 0, core::Linear{}}, {5, 0, core::BezierCurve{1, 2, 3, -4}}, {6, 1, core::Linear{}}}},
    };
}

const Dims all_dims[] = {Dims::XY, Dims::XYZ, Dims::XYM, Dims::XYZM};

core::Polyline round_trip(const core::Polyline& polyline) {
    auto runtime = polyline_to_runtime(polyline);
    EXPECT_TRUE(runtime.has_value()) << runtime.error().display();
    auto back = polyline_from_runtime(*runtime);
    EXPECT_TRUE(back.has_value()) << back.error().display();
    return std::move(*back);
}

core::Polygon round_trip(const core::Polygon& polygon) {
    auto runtime = polygon_to_runtime(polygon);
    EXPECT_TRUE(runtime.has_value()) << runtime.error().display();
    auto back = polygon_from_runtime(*runtime);
    EXPECT_TRUE(back.has_value()) << back.error().display();
    return std::move(*back);
}

TEST_F(GeometryConversion, PolylineOfEveryCurveKindAndDimensionalityComesBackEqual) {
    for (const Dims dims : all_dims) {
        for (const CurveKind& kind : curve_kinds()) {
            SCOPED_TRACE(std::string(kind.name) + " " + std::to_string(int(dims)));
            const std::vector paths{straight_part(dims, {{10, 10}, {11, 12}, {13, 11}}, 0)};
            const std::vector curve_paths{curve_part(dims, kind.path, 10)};
            auto polyline = core::Polyline::build(dims, paths, curve_paths, std::nullopt);
            ASSERT_TRUE(polyline.has_value());
            const core::Polyline back = round_trip(*polyline);
            EXPECT_EQ(back.dims(), dims);
            expect_same_container(back.paths(), paths);
            expect_same_container(back.curve_paths(), curve_paths);
            EXPECT_FALSE(back.spatial_reference().has_value());
        }
    }
}

TEST_F(GeometryConversion, PolygonRingsOfEveryDimensionalityComeBackEqual) {
    // A circle of two half arcs (its closing segment curved), and a square implicitly closed.
    const std::vector<CurveVertexSpec> circle{
        {2, 0, core::Linear{}}, {-2, 0, core::CircularArc{0, 2}}, {2, 0, core::CircularArc{0, -2}}};
    for (const Dims dims : all_dims) {
        SCOPED_TRACE(int(dims));
        // The repeated first vertex closes the ring, so it carries the first vertex's z and m.
        core::CurvePart closed(dims);
        for (std::size_t i = 0; i < circle.size(); ++i) {
            const double tag = i + 1 == circle.size() ? 0 : double(i);
            ASSERT_TRUE(closed.push(at(dims, circle[i].x, circle[i].y, tag), circle[i].curve));
        }
        const std::vector curve_rings{core::SharedCurvePart(std::move(closed))};
        const std::vector rings{straight_part(dims, {{10, 10}, {10, 20}, {20, 20}, {20, 10}}, 5)};
        auto polygon = core::Polygon::build(dims, rings, curve_rings, std::nullopt);
        ASSERT_TRUE(polygon.has_value());
        const core::Polygon back = round_trip(*polygon);
        EXPECT_EQ(back.dims(), dims);
        expect_same_container(back.rings(), rings);
        expect_same_container(back.curve_rings(), curve_rings);
    }
}

TEST_F(GeometryConversion, RingWithACurvedClosingSegmentReadsBackWithItsFirstVertexRepeated) {
    // The runtime ring holds two points; the Bezier closing it ends at its first point.
    const std::vector curve_rings{curve_part(
        Dims::XY, {{0, 0, core::Linear{}}, {4, 0, core::Linear{}}, {0, 0, core::BezierCurve{3, 3, 1, 3}}},
        0)};
    auto polygon = core::Polygon::build(Dims::XY, {}, curve_rings, std::nullopt);
    ASSERT_TRUE(polygon.has_value());
    auto runtime = polygon_to_runtime(*polygon);
    ASSERT_TRUE(runtime.has_value());
    PartIterator parts(runtime::parts(runtime->get()));
    ASSERT_EQ(point_count(*parts.next()), 2);

    auto back = polygon_from_runtime(*runtime);
    ASSERT_TRUE(back.has_value());
    expect_same_container(back->curve_rings(), curve_rings);
}

TEST_F(GeometryConversion, PartsAreRegroupedByWhetherTheyHoldCurves) {
    // Runtime order: curve paths first (A straight, B curved), then paths (C); A comes back straight.
    const auto a = curve_part(Dims::XY, {{0, 0, core::Linear{}}, {1, 0, core::Linear{}}}, 0);
    const auto b = curve_part(Dims::XY, {{0, 1, core::Linear{}}, {2, 1, core::BezierCurve{0, 2, 2, 2}}}, 0);
    const auto c = straight_part(Dims::XY, {{0, 2}, {1, 2}}, 0);
    auto polyline = core::Polyline::build(Dims::XY, {c}, {a, b}, std::nullopt);
    ASSERT_TRUE(polyline.has_value());

    auto runtime = polyline_to_runtime(*polyline);
    ASSERT_TRUE(runtime.has_value());
    std::vector<double> first_y;
    PartIterator parts(runtime::parts(runtime->get()));
    while (auto part = parts.next()) first_y.push_back(point_coord((*point_at(*part, 0)).get()).y());
    EXPECT_EQ(first_y, (std::vector<double>{0, 1, 2}));

    auto back = polyline_from_runtime(*runtime);
    ASSERT_TRUE(back.has_value());
    expect_same_container(back->curve_paths(), std::vector{b});
    expect_same_container(back->paths(), std::vector{straight_part(Dims::XY, {{0, 0}, {1, 0}}, 0), c});
}

// A runtime geometry takes its z and m from its vertices, so an empty one has neither whatever the
// native dimensionality was.
TEST_F(GeometryConversion, EmptyGeometriesStayEmpty) {
    for (const Dims dims : all_dims) {
        SCOPED_TRACE(int(dims));
        const core::Polyline polyline = round_trip(core::Polyline(dims));
        EXPECT_TRUE(polyline.is_empty());
        const core::Polygon polygon = round_trip(core::Polygon(dims));
        EXPECT_TRUE(polygon.is_empty());
        auto multipoint = multipoint_to_runtime(core::Multipoint(dims));
        ASSERT_TRUE(multipoint.has_value());
        EXPECT_TRUE(multipoint_from_runtime(*multipoint).is_empty());
    }
}

TEST_F(GeometryConversion, MultipointOfEveryDimensionalityComesBackEqual) {
    for (const Dims dims : all_dims) {
        SCOPED_TRACE(int(dims));
        const auto points = straight_part(dims, {{1, 2}, {3, 4}, {-5, 0.25}}, 0);
        auto runtime = multipoint_to_runtime(core::Multipoint(points));
        ASSERT_TRUE(runtime.has_value());
        const core::Multipoint back = multipoint_from_runtime(*runtime);
        EXPECT_EQ(back.dims(), dims);
        expect_same_part(*back.points().lock(), *points.lock());
    }
}

TEST_F(GeometryConversion, SpatialReferenceIsKept) {
    core::SpatialReference wgs84;
    wgs84.wkid = 4326;

    core::Polyline polyline(Dims::XY);
    ASSERT_TRUE(polyline.push_path(straight_part(Dims::XY, {{0, 0}, {1, 1}}, 0)));
    polyline.set_spatial_reference(wgs84);
    EXPECT_EQ(round_trip(polyline).spatial_reference(), wgs84);

    core::Polygon polygon(Dims::XY);
    polygon.set_spatial_reference(wgs84);
    EXPECT_EQ(round_trip(polygon).spatial_reference(), wgs84);

    core::Multipoint multipoint(straight_part(Dims::XYZ, {{0, 0}}, 0), wgs84);
    auto runtime = multipoint_to_runtime(multipoint);
    ASSERT_TRUE(runtime.has_value());
    EXPECT_EQ(multipoint_from_runtime(*runtime).spatial_reference(), wgs84);
}

TEST_F(GeometryConversion, UnknownSpatialReferenceIsAGeokernError) {
    core::SpatialReference unknown;
    unknown.wkid = 999999;
    core::Polyline polyline(Dims::XY);
    polyline.set_spatial_reference(unknown);
    auto runtime = polyline_to_runtime(polyline);
    ASSERT_FALSE(runtime.has_value());
    EXPECT_EQ(runtime.error().kind(), core::ErrorKind::Geokern);
}

TEST_F(GeometryConversion, SegmentOfAnUnknownKindFailsTheConversionBack) {
    const std::vector curve_paths{
        curve_part(Dims::XY, {{0, 0, core::Linear{}}, {2, 0, core::BezierCurve{0, 1, 2, 1}}}, 0)};
    auto polyline = core::Polyline::build(Dims::XY, {}, curve_paths, std::nullopt);
    ASSERT_TRUE(polyline.has_value());
    auto runtime = polyline_to_runtime(*polyline);
    ASSERT_TRUE(runtime.has_value());
    const test::UnknownSegmentKind unknown;
    auto back = polyline_from_runtime(*runtime);
    ASSERT_FALSE(back.has_value());
    EXPECT_EQ(back.error().display(), "Geokern library error: 'Got segment of invalid type from geokern'");
}

TEST_F(GeometryConversion, RefusedCurveEndsTheConversionWithItsError) {
    // An interior point beyond the ends, on the line through them, lies on no arc between them.
    const std::vector curve_paths{
        curve_part(Dims::XY, {{0, 0, core::Linear{}}, {2, 2, core::CircularArc{3, 3}}}, 0)};
    auto polyline = core::Polyline::build(Dims::XY, {}, curve_paths, std::nullopt);
    ASSERT_TRUE(polyline.has_value());
    auto runtime = polyline_to_runtime(*polyline);
    ASSERT_FALSE(runtime.has_value());
    EXPECT_EQ(runtime.error().kind(), core::ErrorKind::Geokern);
}

TEST_F(GeometryConversion, PoisonedPartOrContainerLockIsAnInternalFailure) {
    core::Polyline polyline(Dims::XY);
    const auto part = straight_part(Dims::XY, {{0, 0}, {1, 1}}, 0);
    ASSERT_TRUE(polyline.push_path(part));
    test::poison(part);
    EXPECT_EQ(test::internal_failure_of([&] { (void)polyline_to_runtime(polyline); }), "Lock poisoned");

    core::Polygon polygon(Dims::XY);
    test::poison(polygon.curve_rings());
    EXPECT_EQ(test::internal_failure_of([&] { (void)polygon_to_runtime(polygon); }), "Lock poisoned");

    const auto points = straight_part(Dims::XY, {{0, 0}}, 0);
    test::poison(points);
    EXPECT_EQ(test::internal_failure_of([&] { (void)multipoint_to_runtime(core::Multipoint(points)); }),
              "Lock poisoned");
}

}  // namespace
}  // namespace velmor::runtime::convert
