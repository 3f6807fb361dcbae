// The geometry wrappers and builders of the binding against the real runtime core library.
#include <gtest/gtest.h>

#include "internal_failure_text.hpp"

#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "core/internal_failure.hpp"
#include "runtime/builders.hpp"
#include "runtime/geometry.hpp"
#include "runtime/library_probe.hpp"
#include "runtime/parts.hpp"
#include "runtime/segments.hpp"

namespace velmor::runtime {
namespace {

using core::Coord;

class RuntimeGeometry : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto loaded = load_from_path(VELMOR_TEST_GEOKERN_PATH);
        ASSERT_TRUE(loaded.has_value()) << loaded.error();
    }
};

// A group of straight parts, each given by its vertices.
PartGroup straight_parts(const std::vector<std::vector<Coord>>& parts) {
    return PartGroup{parts.size(),
                     [parts](std::size_t index, const MutablePart& part) -> RuntimeResult<void> {
                         for (const Coord& vertex : parts[index]) add_vertex(part, vertex);
                         return {};
                     }};
}

std::vector<Coord> read_vertices(const ImmutablePart& part) {
    std::vector<Coord> vertices;
    PointIterator points(points_of(part));
    while (auto point = points.next()) vertices.push_back(point_coord(point->get()));
    return vertices;
}

using velmor::test::internal_failure_of;

TEST_F(RuntimeGeometry, TwoGroupsOfPartsListTheFirstGroupFirst) {
    const std::array groups{
        straight_parts({{Coord::xy(0, 0), Coord::xy(1, 0)}}),
        straight_parts({{Coord::xy(10, 0), Coord::xy(11, 0)}, {Coord::xy(20, 0), Coord::xy(21, 1)}})};
    auto polyline = assemble_polyline(nullptr, groups);
    ASSERT_TRUE(polyline.has_value()) << polyline.error().display();
    PartIterator parts(runtime::parts(polyline->get()));
    ASSERT_EQ(parts.size(), 3);
    std::vector<double> first_x;
    while (auto part = parts.next()) first_x.push_back(read_vertices(*part).front().x());
    EXPECT_EQ(first_x, (std::vector<double>{0, 10, 20}));
    EXPECT_FALSE(has_z(polyline->get()));
    EXPECT_FALSE(has_curves(polyline->get()));
}

TEST_F(RuntimeGeometry, VertexWithMButNoZGoesThroughAPointWithXYAndM) {
    const std::array groups{straight_parts({{Coord::xym(0, 0, 5), Coord::xym(1, 2, 6)}})};
    auto polyline = assemble_polyline(nullptr, groups);
    ASSERT_TRUE(polyline.has_value());
    EXPECT_TRUE(has_m(polyline->get()));
    EXPECT_FALSE(has_z(polyline->get()));
    PartIterator parts(runtime::parts(polyline->get()));
    auto part = parts.next();
    ASSERT_TRUE(part.has_value());
    const std::vector<Coord> vertices = read_vertices(*part);
    ASSERT_EQ(vertices.size(), 2u);
    EXPECT_EQ(vertices[1].dims(), core::Dims::XYM);
    EXPECT_EQ(vertices[1].m(), 6.0);
    EXPECT_EQ(vertices[1].y(), 2.0);
}

TEST_F(RuntimeGeometry, DowncastToTheWrongKindReturnsTheConversionRecord) {
    const std::array groups{straight_parts({{Coord::xy(0, 0), Coord::xy(1, 0)}})};
    auto polyline = assemble_polyline(nullptr, groups);
    ASSERT_TRUE(polyline.has_value());
    GeometryOwned geometry = transfer<GeometryOwned>(std::move(*polyline));
    auto view = view_as_polygon(geometry);
    ASSERT_FALSE(view.has_value());
    auto polygon = downcast<Polygon>(std::move(geometry));
    ASSERT_FALSE(polygon.has_value());
    EXPECT_EQ(geometry.get(), nullptr);
    EXPECT_EQ(polygon.error().code, 100000);
    const std::string text = polygon.error().display();
    EXPECT_NE(text.find("GeometryOwned"), std::string::npos) << text;
    EXPECT_NE(text.find("geometry::polygon::Polygon"), std::string::npos) << text;
}

TEST_F(RuntimeGeometry, PolygonRingWithCurvedClosingSegmentReadsBack) {
    // A half disc: the diameter and the arc back to the start.
    const std::array groups{PartGroup{1, [](std::size_t, const MutablePart& part) -> RuntimeResult<void> {
                                          add_vertex(part, Coord::xy(0, 0));
                                          add_vertex(part, Coord::xy(2, 0));
                                          Point start = create_point(Coord::xy(2, 0)),
                                                end = create_point(Coord::xy(0, 0));
                                          Point interior = create_point(Coord::xy(1, 1));
                                          auto arc =
                                              create_circular_arc_through(start, end, interior, nullptr);
                                          if (!arc) return std::unexpected(arc.error());
                                          add_segment(part, arc->get());
                                          return {};
                                      }}};
    auto polygon = assemble_polygon(nullptr, groups);
    ASSERT_TRUE(polygon.has_value()) << polygon.error().display();
    EXPECT_TRUE(has_curves(polygon->get()));
    const EnvelopeBounds bounds = envelope_bounds(extent(polygon->get()));
    EXPECT_DOUBLE_EQ(bounds.ymax, 1.0);
    EXPECT_FALSE(bounds.zmin.has_value());
    ImmutablePartCollection rings = runtime::parts(polygon->get());
    ImmutablePart ring = part_at(rings, 0);
    EXPECT_EQ(point_count(ring), 2);
    auto closing_index = segment_index_ending_at(ring, 0);
    ASSERT_TRUE(closing_index.has_value());
    EXPECT_EQ(*closing_index, 1);
    auto closing = segment_at(ring, *closing_index);
    ASSERT_TRUE(closing.has_value());
    auto arc = view_segment<EllipticArcSegmentView>(*closing);
    ASSERT_TRUE(arc.has_value());
    EXPECT_TRUE(arc_is_circular(*arc));
    EXPECT_DOUBLE_EQ(arc_semi_major_axis(*arc), 1.0);
    EXPECT_DOUBLE_EQ(arc_central_angle(*arc), std::numbers::pi);
    auto as_bezier = view_segment<CubicBezierSegmentView>(*closing);
    ASSERT_FALSE(as_bezier.has_value());
    EXPECT_NE(as_bezier.error().display().find("geometry::cubic_bezier_segment::CubicBezierSegment"),
              std::string::npos);
}

TEST_F(RuntimeGeometry, BadIndicesFollowTheirErrorPolicies) {
    const std::array groups{straight_parts({{Coord::xy(0, 0), Coord::xy(1, 0)}})};
    auto polyline = assemble_polyline(nullptr, groups);
    ASSERT_TRUE(polyline.has_value());
    ImmutablePartCollection parts = runtime::parts(polyline->get());
    EXPECT_EQ(internal_failure_of([&] { part_at(parts, 1); }), "Internal error: Index of part out of range");
    ImmutablePart part = part_at(parts, 0);
    auto missing = point_at(part, 2);
    ASSERT_FALSE(missing.has_value());
    EXPECT_EQ(missing.error().code, GK_ERROR_OUT_OF_RANGE);
    EXPECT_FALSE(segment_at(part, 1).has_value());
    EXPECT_EQ(*segment_index_ending_at(part, 0), -1);
    ImmutablePointCollection points = points_of(part);
    EXPECT_EQ(internal_failure_of([&] { point_at(points, -1); }),
              "Internal error: Index of point out of range");
}

TEST_F(RuntimeGeometry, PointsAndEnvelopesUseTheCreationFormOfTheirValues) {
    Point flat = create_point(Coord::xy(1, 2));
    EXPECT_FALSE(point_z(flat).has_value());
    EXPECT_FALSE(point_m(flat).has_value());
    Point full = create_point(Coord::xyzm(1, 2, 3, 4));
    EXPECT_EQ(point_z(full), 3.0);
    EXPECT_EQ(point_m(full), 4.0);
    Envelope box = create_envelope({0, 0, 2, 1, 5, 6, std::nullopt, std::nullopt});
    const EnvelopeBounds bounds = envelope_bounds(box);
    EXPECT_EQ(bounds.zmax, 6.0);
    EXPECT_FALSE(bounds.mmin.has_value());
    EXPECT_EQ(point_x(envelope_center(box)), 1.0);
    EXPECT_EQ(object_type(box.get()), envelope_type);
}

TEST_F(RuntimeGeometry, EmptyGeometriesIterateToNothing) {
    auto multipoint = assemble_multipoint(nullptr, 0, [](std::size_t) { return Coord::xy(0, 0); });
    ASSERT_TRUE(multipoint.has_value());
    PointIterator points(runtime::points(multipoint->get()));
    EXPECT_EQ(points.size(), 0);
    EXPECT_FALSE(points.next().has_value());
    auto polygon = assemble_polygon(nullptr, {});
    ASSERT_TRUE(polygon.has_value());
    PartIterator parts(runtime::parts(polygon->get()));
    EXPECT_FALSE(parts.next().has_value());
}

TEST_F(RuntimeGeometry, AFailingPartWriterEndsTheAssemblyWithItsError) {
    const std::array groups{PartGroup{1, [](std::size_t, const MutablePart&) -> RuntimeResult<void> {
                                          Point start = create_point(Coord::xy(0, 0)),
                                                end = create_point(Coord::xy(2, 2));
                                          Point beyond = create_point(Coord::xy(3, 3));
                                          auto arc = create_circular_arc_through(start, end, beyond, nullptr);
                                          if (!arc) return std::unexpected(arc.error());
                                          return {};
                                      }}};
    auto polyline = assemble_polyline(nullptr, groups);
    ASSERT_FALSE(polyline.has_value());
    EXPECT_EQ(polyline.error().code, GK_ERROR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace velmor::runtime
