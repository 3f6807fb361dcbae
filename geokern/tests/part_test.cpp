// Parts as a reader sees them (counts, index mappings, rings with curved closing segments, bad indices)
// and how edits keep points and segments consistent.
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "geometry/bounds.hpp"
#include "geometry/part_editing.hpp"
#include "geometry_fixture.hpp"

using namespace geometry_test;
using geokern::PartValue;
using geokern::SegmentValue;
using geokern::Vertex;

namespace {

constexpr double pi = std::numbers::pi;

class PartTest : public GeometryTest {
  protected:
    // The square (0,0) (2,0) (2,2) (0,2), closed by a half circle through (-1, 1) back to (0, 0).
    MutablePart square_with_curved_closing() {
        MutablePart part(GK_MutablePart_createWithSpatialReference(nullptr, eh()));
        for (auto [x, y] : {std::pair{0.0, 0.0}, {2.0, 0.0}, {2.0, 2.0}, {0.0, 2.0}})
            GK_MutablePart_addPointXY(part, x, y, eh());
        Geometry from = point(0, 2), to = point(0, 0), interior = point(-1, 1);
        Segment arc(GK_EllipticArcSegment_createCircularEllipticArcWithStartEndAndInterior(from, to, interior,
                                                                                           nullptr, eh()));
        GK_MutablePart_addSegment(part, arc, eh());
        return part;
    }

    Geometry build(GK_GeometryBuilderHandle builder, GK_MutablePartHandle part) {
        PartCollection parts(GK_MutablePartCollection_createWithSpatialReference(nullptr, eh()));
        GK_MutablePartCollection_addPart(parts, part, eh());
        GK_MultipartBuilder_setParts(builder, parts, eh());
        return Geometry(GK_GeometryBuilder_toGeometry(builder, eh()));
    }

    ImmutablePart first_part(GK_GeometryHandle geometry) {
        ImmutableParts parts(GK_Multipart_getParts(geometry, eh()));
        return ImmutablePart(GK_ImmutablePartCollection_getPart(parts, 0, eh()));
    }
};

TEST_F(PartTest, RingKeepsItsCurvedClosingSegmentEndingAtPointZero) {
    MutablePart part = square_with_curved_closing();
    Builder builder(GK_PolygonBuilder_createFromSpatialReference(nullptr, eh()));
    Geometry polygon = build(builder, part);
    ImmutablePart ring = first_part(polygon);
    // The repeated first point is gone; the arc is now the closing segment, from point 3 to point 0.
    EXPECT_EQ(GK_ImmutablePart_getPointCount(ring, eh()), 4);
    EXPECT_EQ(GK_ImmutablePart_getSegmentCount(ring, eh()), 4);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromEndPointIndex(ring, 0, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromEndPointIndex(ring, 1, eh()), 0);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromStartPointIndex(ring, 3, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getEndPointIndexFromSegmentIndex(ring, 3, eh()), 0);
    EXPECT_EQ(GK_ImmutablePart_getStartPointIndexFromSegmentIndex(ring, 3, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getHasCurves(ring, eh()), 1);
    Segment closing(GK_ImmutablePart_getSegment(ring, 3, eh()));
    EXPECT_EQ(GK_Segment_getObjectType(closing, eh()), 3);
    Geometry closing_end(GK_Segment_getEndPoint(closing, eh()));
    EXPECT_EQ(GK_Point_getX(closing_end, eh()), 0.0);
    EXPECT_EQ(GK_Point_getY(closing_end, eh()), 0.0);
    Segment straight(GK_ImmutablePart_getSegment(ring, 1, eh()));
    EXPECT_EQ(GK_Segment_getObjectType(straight, eh()), 1);
    Geometry extent(GK_Geometry_getExtent(polygon, eh()));
    EXPECT_NEAR(GK_Envelope_getXMin(extent, eh()), -1, 1e-15);
    expect_no_error();

    // As a polyline the ring opens again, ending on its first point with the arc.
    Geometry polyline(GK_Polygon_toPolyline(polygon, eh()));
    ImmutablePart path = first_part(polyline);
    EXPECT_EQ(GK_ImmutablePart_getPointCount(path, eh()), 5);
    EXPECT_EQ(GK_ImmutablePart_getSegmentCount(path, eh()), 4);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromEndPointIndex(path, 0, eh()), -1);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromEndPointIndex(path, 4, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromPointIndex(path, 4, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromStartPointIndex(path, 4, eh()), -1);
    Segment last(GK_ImmutablePart_getSegment(path, 3, eh()));
    EXPECT_EQ(GK_Segment_getObjectType(last, eh()), 3);
    expect_no_error();
}

TEST_F(PartTest, RingWithAStraightClosingSegmentStaysImplicitlyClosed) {
    MutablePart part(GK_MutablePart_createWithSpatialReference(nullptr, eh()));
    for (auto [x, y] : {std::pair{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 0.0}})
        GK_MutablePart_addPointXY(part, x, y, eh());
    Builder builder(GK_PolygonBuilder_createFromSpatialReference(nullptr, eh()));
    Geometry polygon = build(builder, part);
    ImmutablePart ring = first_part(polygon);
    EXPECT_EQ(GK_ImmutablePart_getPointCount(ring, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getSegmentCount(ring, eh()), 3);
    EXPECT_EQ(GK_ImmutablePart_getHasCurves(ring, eh()), 0);
    Segment closing(GK_ImmutablePart_getSegment(ring, 2, eh()));
    EXPECT_EQ(GK_Segment_getObjectType(closing, eh()), 1);
    expect_no_error();
}

TEST_F(PartTest, BadIndicesAreErrors) {
    MutablePart part = square_with_curved_closing();
    Builder builder(GK_PolylineBuilder_createFromSpatialReference(nullptr, eh()));
    Geometry polyline = build(builder, part);
    ImmutablePart path = first_part(polyline);
    Geometry beyond(GK_ImmutablePart_getPoint(path, 5, eh()));
    Geometry negative(GK_ImmutablePart_getPoint(path, -1, eh()));
    Segment no_segment(GK_ImmutablePart_getSegment(path, 4, eh()));
    EXPECT_EQ(beyond.get(), nullptr);
    EXPECT_EQ(negative.get(), nullptr);
    EXPECT_EQ(no_segment.get(), nullptr);
    EXPECT_EQ(GK_ImmutablePart_getSegmentIndexFromEndPointIndex(path, 5, eh()), 0);
    EXPECT_EQ(GK_ImmutablePart_getEndPointIndexFromSegmentIndex(path, -1, eh()), 0);
    ImmutableParts parts(GK_Multipart_getParts(polyline, eh()));
    ImmutablePart missing(GK_ImmutablePartCollection_getPart(parts, 1, eh()));
    EXPECT_EQ(missing.get(), nullptr);
    GK_MutablePart_removePoint(part, 7, eh());
    EXPECT_EQ(take_errors(), std::vector<int32_t>(7, GK_ERROR_OUT_OF_RANGE));
    // A geometry of the wrong type is refused as such.
    Geometry lone = point(1, 1);
    ImmutableParts none(GK_Multipart_getParts(lone, eh()));
    EXPECT_EQ(none.get(), nullptr);
    EXPECT_EQ(take_errors(), std::vector<int32_t>{GK_ERROR_TYPE_MISMATCH});
}

TEST_F(PartTest, ZAndMArePartWide) {
    MutablePart part(GK_MutablePart_createWithSpatialReference(nullptr, eh()));
    GK_MutablePart_addPointXY(part, 0, 0, eh());
    GK_MutablePart_addPointXYZ(part, 1, 1, 5, eh());
    Geometry measured(GK_Point_createWithM(2, 2, 7, eh()));
    GK_MutablePart_addPoint(part, measured, eh());
    Geometry first(GK_MutablePart_getPoint(part, 0, eh()));
    Geometry second(GK_MutablePart_getPoint(part, 1, eh()));
    Geometry third(GK_MutablePart_getPoint(part, 2, eh()));
    EXPECT_EQ(GK_Geometry_getHasZ(first, eh()), 1);
    EXPECT_EQ(GK_Geometry_getHasM(first, eh()), 1);
    EXPECT_TRUE(std::isnan(GK_Point_getZ(first, eh())));
    EXPECT_EQ(GK_Point_getZ(second, eh()), 5.0);
    EXPECT_TRUE(std::isnan(GK_Point_getM(second, eh())));
    EXPECT_EQ(GK_Point_getM(third, eh()), 7.0);
    EXPECT_TRUE(std::isnan(GK_Point_getZ(third, eh())));
    expect_no_error();
}

// Editing on the part model directly: an open part 0..4 along the x axis whose segments 1 and 3 are
// arcs bulging upwards.
PartValue bumpy_path() {
    PartValue part;
    for (int i = 0; i < 5; ++i) geokern::add_point(part, Vertex{double(i), 0}, false, false);
    for (int64_t s : {1, 3}) {
        const double x = double(s);
        part.curves.push_back(
            {s, *geokern::circular_arc_through(Vertex{x, 0}, Vertex{x + 1, 0}, Vertex{x + 0.5, 0.5})});
    }
    return part;
}

std::vector<int64_t> curved_segments(const PartValue& part) {
    std::vector<int64_t> segments;
    for (const auto& entry : part.curves) segments.push_back(entry.segment);
    return segments;
}

// Every arc still runs from its segment's start point to its end point.
void expect_arcs_fit(const PartValue& part) {
    for (const auto& entry : part.curves) {
        const auto* found = std::get_if<geokern::EllipticArc>(&entry.curve);
        if (found == nullptr) continue;
        const auto& arc = *found;
        const Vertex start = part.point(entry.segment), end = part.point(part.end_point_of(entry.segment));
        EXPECT_NEAR(arc.start_point().x, start.x, 1e-12);
        EXPECT_NEAR(arc.start_point().y, start.y, 1e-12);
        EXPECT_NEAR(arc.end_point().x, end.x, 1e-12);
        EXPECT_NEAR(arc.end_point().y, end.y, 1e-12);
    }
}

SegmentValue bezier(Vertex start, Vertex end) {
    return SegmentValue{start, end, false, false, geokern::CubicBezier{start.x, 1, end.x, 1}, nullptr};
}

TEST(PartEditing, EditsKeepPointsAndCurvesConsistent) {
    struct Case {
        const char* name;
        void (*edit)(PartValue&);
        int64_t points;
        std::vector<int64_t> curves;
    };
    const Case cases[] = {
        {"insert a point inside a curved segment: both halves straight",
         [](PartValue& p) { geokern::insert_point(p, 2, Vertex{1.5, 0}, false, false); },
         6,
         {4}},
        {"insert a point at the start",
         [](PartValue& p) { geokern::insert_point(p, 0, Vertex{-1, 0}, false, false); },
         6,
         {2, 4}},
        {"remove an inner point: its two segments become one straight line",
         [](PartValue& p) { geokern::remove_point(p, 2); },
         4,
         {2}},
        {"remove the first point", [](PartValue& p) { geokern::remove_point(p, 0); }, 4, {0, 2}},
        {"remove the last point with its arc", [](PartValue& p) { geokern::remove_point(p, 4); }, 4, {1}},
        {"insert a segment at an inner point: neighbours keep their shapes",
         [](PartValue& p) { geokern::insert_segment(p, 2, bezier({2, 0}, {2, 3})); },
         7,
         {1, 2, 5}},
        {"insert a segment that starts elsewhere: joined by straight lines",
         [](PartValue& p) { geokern::insert_segment(p, 1, bezier({5, 5}, {6, 5})); },
         8,
         {2, 4, 6}},
        {"insert a segment at the front",
         [](PartValue& p) { geokern::insert_segment(p, 0, bezier({-1, 0}, {0, 0})); },
         6,
         {0, 2, 4}},
        {"append a segment",
         [](PartValue& p) { geokern::insert_segment(p, 4, bezier({4, 0}, {5, 0})); },
         6,
         {1, 3, 4}},
        {"move a point between two arcs: both refitted",
         [](PartValue& p) { geokern::set_point(p, 2, Vertex{2, 0.25}, false, false); },
         5,
         {1, 3}},
        {"remove an inner segment keeping its neighbours",
         [](PartValue& p) { geokern::remove_segment(p, 1, true); },
         5,
         {3}},
        {"remove the last segment", [](PartValue& p) { geokern::remove_segment(p, 3, true); }, 4, {1}},
        {"remove an inner segment merging its ends",
         [](PartValue& p) { geokern::remove_segment(p, 2, false); },
         4,
         {1, 2}},
        {"remove the first segment", [](PartValue& p) { geokern::remove_segment(p, 0, false); }, 4, {0, 2}},
        {"replace a segment by a straight one",
         [](PartValue& p) {
             geokern::set_segment(p, 1, SegmentValue{{1, 0}, {2, 0}, false, false, std::nullopt, nullptr});
         },
         5,
         {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PartValue part = bumpy_path();
        c.edit(part);
        EXPECT_EQ(part.point_count(), c.points);
        EXPECT_EQ(curved_segments(part), c.curves);
        expect_arcs_fit(part);
    }
}

TEST(PartEditing, MovedPointKeepsTheArcsDirectionAndSize) {
    PartValue part = bumpy_path();
    geokern::set_point(part, 2, Vertex{2, 0.25}, false, false);
    const auto& arc = std::get<geokern::EllipticArc>(part.curves[0].curve);
    EXPECT_FALSE(arc.is_counter_clockwise());
    EXPECT_NEAR(arc.semi_major, 0.5, 0.2);
    EXPECT_LT(std::fabs(arc.central_angle), pi + 1e-12);
}

}  // namespace

// Columns taken in lanes give the bounds that point by point gives, down to the sign of a zero at an
// end and the points skipped for a NaN, for every length around the lane count.
TEST(PartBounds, ColumnsInLanesMatchPointByPoint) {
    const double nan = std::nan("");
    const std::vector<std::pair<std::vector<double>, std::vector<double>>> columns = {
        {{3, -1, 7, 2, 9, -4, 5, 1, 8}, {2, 6, -3, 0.5, 4, 1, -2, 7, 3}},
        {{5, -0.0, 6, 7, 0.0}, {-5, 0.0, -6, -7, -0.0}},  // an earlier zero in a later lane
        {{0.0, -0.0, 3, 1, 2}, {-0.0, 0.0, -1, -2, -0.0}},
        {{1, nan, -5, 2, 3, 4}, {1, 9, 8, nan, 2, 3}},
        {{-INFINITY, 1, 2, 3, INFINITY}, {1, 2, 3, 4, 5}},
    };
    for (const auto& [xs, ys] : columns) {
        for (size_t length = 0; length <= xs.size(); ++length) {
            const std::vector<double> x(xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(length));
            const std::vector<double> y(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(length));
            geokern::Bounds lanes, one_by_one;
            lanes.add_columns(x, y);
            for (size_t i = 0; i < length; ++i) one_by_one.add(x[i], y[i]);
            for (auto [got, want] : {std::pair{lanes.xmin, one_by_one.xmin}, {lanes.xmax, one_by_one.xmax},
                                     {lanes.ymin, one_by_one.ymin}, {lanes.ymax, one_by_one.ymax}}) {
                if (std::isnan(want)) {
                    EXPECT_TRUE(std::isnan(got)) << "length " << length;
                } else {
                    EXPECT_EQ(got, want) << "length " << length;
                    EXPECT_EQ(std::signbit(got), std::signbit(want)) << "length " << length;
                }
            }
        }
    }
}
