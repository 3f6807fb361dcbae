// Set operations and buffers: result types, errors, z and m of created vertices, curves kept through
// GEOS, buffer areas against closed forms.
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "engine/geos_conversion.hpp"
#include "geometry/geometry_value.hpp"
#include "json_test_support.hpp"

namespace {

using geometry_test::Geometry;
using Binary = GK_GeometryHandle (*)(GK_GeometryHandle, GK_GeometryHandle, const GK_ErrorHandler*);

constexpr double pi = std::numbers::pi;

const char* const square = R"({"rings": [[[0, 0], [0, 2], [2, 2], [2, 0], [0, 0]]]})";
const char* const crossing_line = R"({"paths": [[[-1, 1], [3, 1]]]})";
const char* const two_points = R"({"points": [[1, 1], [5, 5]]})";
const char* const inner_point = R"({"x": 1, "y": 1})";
const char* const envelope = R"({"xmin": 1, "ymin": 1, "xmax": 3, "ymax": 3})";
const char* const far_square = R"({"rings": [[[10, 10], [10, 12], [12, 12], [12, 10]]]})";

double polygon_area(const geokern::GeometryValue& polygon) {
    double area = 0.0;
    for (const auto& part : polygon.parts) {
        EXPECT_FALSE(part->has_curves());
        area -= geokern::engine::signed_area2(part->xs, part->ys) / 2.0;
    }
    return area;
}

class Overlay : public json_test::JsonTest {
  protected:
    std::string binary(Binary operation, const char* a, const char* b) {
        Geometry first = read(a), second = read(b);
        Geometry result(operation(first, second, h));
        return result.get() == nullptr ? "error: " + single_error() : write(result);
    }
    GK_VectorHandle geometry_vector(const std::vector<std::string>& texts) {
        GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_GEOMETRY, h);
        for (const std::string& text : texts) {
            Geometry geometry = read(text);
            GK_ElementHandle element = GK_Element_fromGeometry(geometry, h);
            GK_Vector_add(vector, element, h);
            GK_Element_destroy(element, h);
        }
        return vector;
    }
    GK_VectorHandle number_vector(const std::vector<double>& numbers) {
        GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_FLOAT64, h);
        for (double number : numbers) {
            GK_ElementHandle element = GK_Element_fromFloat64(number, h);
            GK_Vector_add(vector, element, h);
            GK_Element_destroy(element, h);
        }
        return vector;
    }
    // The geometries of an array, as values, the array released.
    std::vector<geokern::GeometryValue> values_of(GK_ArrayHandle array) {
        std::vector<geokern::GeometryValue> values;
        if (array == nullptr) return values;
        for (uint64_t i = 0; i < GK_Array_getSize(array, h); ++i) {
            GK_ElementHandle element = GK_Array_at(array, i, h);
            Geometry geometry(GK_Element_getValueAsGeometry(element, h));
            values.push_back(geokern::value_of(geometry.get()));
            GK_Element_destroy(element, h);
        }
        GK_Array_destroy(array, h);
        return values;
    }
};

struct TypeCase {
    const char* name;
    Binary operation;
    const char* a;
    const char* b;
    std::string expected;  // the result as JSON, or "error: " and the message
};

class OverlayTypes : public Overlay, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(OverlayTypes, GiveTheTypeOfTheirDimensionRule) {
    const TypeCase& c = GetParam();
    EXPECT_EQ(binary(c.operation, c.a, c.b), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverlayTypes,
    ::testing::Values(
        TypeCase{"intersection_polygon_line", GK_GeometryEngine_intersection, square, crossing_line,
                 R"({"paths":[[[0,1],[2,1]]]})"},
        TypeCase{"intersection_polygon_multipoint", GK_GeometryEngine_intersection, square, two_points,
                 R"({"points":[[1,1]]})"},
        TypeCase{"intersection_line_point_is_a_point", GK_GeometryEngine_intersection, crossing_line, inner_point,
                 R"({"x":1,"y":1})"},
        TypeCase{"intersection_envelope_as_rectangle", GK_GeometryEngine_intersection, envelope, square,
                 R"({"rings":[[[1,2],[2,2],[2,1],[1,1],[1,2]]]})"},
        TypeCase{"intersection_apart_is_empty", GK_GeometryEngine_intersection, far_square, crossing_line,
                 R"({"paths":[]})"},
        TypeCase{"union_points_give_multipoint", GK_GeometryEngine_union, inner_point, two_points,
                 R"({"points":[[1,1],[5,5]]})"},
        TypeCase{"union_polygon_and_line_refused", GK_GeometryEngine_union, square, crossing_line,
                 "error: union needs geometries of one dimension: got polygon and polyline."},
        TypeCase{"symmetric_difference_line_and_point_refused", GK_GeometryEngine_symmetricDifference,
                 crossing_line, inner_point,
                 "error: symmetric difference needs geometries of one dimension: got polyline and point."},
        TypeCase{"difference_by_lower_dimension_unchanged", GK_GeometryEngine_difference, square, crossing_line,
                 R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[0,0]]]})"},
        TypeCase{"difference_line_by_polygon", GK_GeometryEngine_difference, crossing_line, square,
                 R"({"paths":[[[-1,1],[0,1]],[[2,1],[3,1]]]})"},
        TypeCase{"difference_point_by_polygon_is_empty_point", GK_GeometryEngine_difference, inner_point, square,
                 R"({"x":NaN,"y":NaN})"},
        TypeCase{"different_spatial_references_refused", GK_GeometryEngine_intersection,
                 R"({"x": 1, "y": 1, "spatialReference": {"wkid": 4326}})",
                 R"({"x": 1, "y": 1, "spatialReference": {"wkid": 3857}})",
                 "error: the geometries have different spatial references: wkid 4326 and wkid 3857."},
        TypeCase{"infinite_coordinate_refused", GK_GeometryEngine_union, R"({"paths": [[[0, 0], [Infinity, 1]]]})",
                 crossing_line, "error: geometry 1 has a coordinate that is not finite."}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST_F(Overlay, IntersectionsComeInAscendingDimension) {
    // Overlapping in a unit square, sharing an edge piece of length 0.5 and touching at the origin.
    const char* const other = R"({"rings": [[[1, 1], [1, 3], [3, 3], [3, 1]], [[2, -1], [2, 0.5], [3, 0.5], [3, -1]],
                                            [[-1, -1], [-1, 0], [0, 0]]]})";
    Geometry a = read(square), b = read(other);
    const std::vector<geokern::GeometryValue> pieces = values_of(GK_GeometryEngine_intersections(a, b, h));
    ASSERT_TRUE(no_errors());
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].type, geokern::geometry_type_multipoint);
    ASSERT_EQ(pieces[0].points->xs.size(), 1u);
    EXPECT_EQ(pieces[0].points->xs[0], 0.0);
    EXPECT_EQ(pieces[0].points->ys[0], 0.0);
    EXPECT_EQ(pieces[1].type, geokern::geometry_type_polyline);
    EXPECT_DOUBLE_EQ(geokern::part_length(*pieces[1].parts.at(0)), 0.5);
    EXPECT_EQ(pieces[2].type, geokern::geometry_type_polygon);
    EXPECT_DOUBLE_EQ(polygon_area(pieces[2]), 1.0);

    Geometry far = read(far_square);
    EXPECT_TRUE(values_of(GK_GeometryEngine_intersections(a, far, h)).empty());
    EXPECT_TRUE(no_errors());
}

TEST_F(Overlay, CreatedVertexInterpolatesZAndM) {
    EXPECT_EQ(binary(GK_GeometryEngine_union,
                     R"({"hasZ": true, "hasM": true, "paths": [[[0, 0, 0, 100], [10, 0, 10, 200]]]})",
                     R"({"paths": [[[4, -5], [4, 5]]]})"),
              R"({"hasZ":true,"hasM":true,"paths":[[[0,0,0,100],[4,0,4,140]],[[4,0,4,140],[10,0,10,200)"
              R"(]],[[4,-5,NaN,NaN],[4,0,4,140]],[[4,0,4,140],[4,5,NaN,NaN]]]})");
    // Kept input vertices keep theirs, created ones are interpolated on the input segment.
    EXPECT_EQ(binary(GK_GeometryEngine_intersection,
                     R"({"hasZ": true, "paths": [[[-1, 1, 7], [1, 1, 9], [3, 1, 11]]]})", square),
              R"({"hasZ":true,"paths":[[[0,1,8],[1,1,9],[2,1,10]]]})");
}

// Two unit circles, each ring two half circles, centres 1.5 apart.
const char* const left_disk =
    R"({"curveRings": [[[-1, 0], {"a": [[1, 0], [0, 0], false, true]}, {"a": [[-1, 0], [0, 0], false, true]}]]})";
const char* const right_disk =
    R"({"curveRings": [[[0.5, 0], {"a": [[2.5, 0], [1.5, 0], false, true]}, {"a": [[0.5, 0], [1.5, 0], false, true]}]]})";

struct ArcSummary {
    int count = 0;
    double sweep = 0;  // total, per centre
};

TEST_F(Overlay, UnionOfCurvedPolygonsKeepsTheirArcs) {
    Geometry a = read(left_disk), b = read(right_disk);
    Geometry united(GK_GeometryEngine_union(a, b, h));
    ASSERT_TRUE(no_errors());
    const geokern::GeometryValue& value = geokern::value_of(united.get());
    ASSERT_EQ(value.parts.size(), 1u);
    ArcSummary left, right;
    for (const geokern::CurveEntry& entry : value.parts[0]->curves) {
        const auto& arc = std::get<geokern::EllipticArc>(entry.curve);
        EXPECT_TRUE(arc.is_circular());
        EXPECT_DOUBLE_EQ(arc.semi_major, 1.0);
        EXPECT_NEAR(arc.cy, 0.0, 1e-12);
        EXPECT_LT(arc.central_angle, 0.0) << "an outer ring runs clockwise";
        ArcSummary& side = arc.cx < 0.75 ? left : right;
        EXPECT_NEAR(arc.cx, arc.cx < 0.75 ? 0.0 : 1.5, 1e-12);
        ++side.count;
        side.sweep += std::fabs(arc.central_angle);
    }
    EXPECT_EQ(left.count, 2);
    EXPECT_EQ(right.count, 2);
    // Each disk keeps its boundary outside the other, but for the chords cut at the crossings.
    const double kept = 2 * pi - 2 * std::acos(0.75);
    const double chord_step = 2 * std::acos(1 - 2.5e-9);
    for (const ArcSummary& side : {left, right}) {
        EXPECT_LE(side.sweep, kept + 1e-9);
        EXPECT_GE(side.sweep, kept - 2 * chord_step);
    }
    // Vertices: the far ends of the disks, and at each crossing the created vertex between the last chord
    // vertices of either circle, joined to them by straight bits.
    EXPECT_EQ(value.parts[0]->xs.size(), 8u);
    EXPECT_EQ(value.parts[0]->curves.size(), 4u);
}

TEST_F(Overlay, ACircleThroughGeosComesBackAsTwoHalves) {
    // One full circle as the only segment of its ring; a ring needs two vertices, so two arcs come back.
    Geometry circle = read(R"({"curveRings": [[[0, 0], {"a": [[0, 0], [1, 0], false, true]}]]})");
    Geometry united(GK_GeometryEngine_union(circle, circle, h));
    ASSERT_TRUE(no_errors());
    const geokern::GeometryValue& value = geokern::value_of(united.get());
    ASSERT_EQ(value.parts.size(), 1u);
    const geokern::PartValue& ring = *value.parts[0];
    ASSERT_EQ(ring.xs.size(), 2u);
    EXPECT_EQ(ring.xs[0], 0.0);
    EXPECT_EQ(ring.ys[0], 0.0);
    ASSERT_EQ(ring.curves.size(), 2u);
    double sweep = 0;
    for (const geokern::CurveEntry& entry : ring.curves) {
        const auto& arc = std::get<geokern::EllipticArc>(entry.curve);
        EXPECT_EQ(arc.cx, 1.0);
        EXPECT_EQ(arc.cy, 0.0);
        EXPECT_DOUBLE_EQ(arc.semi_major, 1.0);
        EXPECT_NEAR(std::fabs(arc.central_angle), pi, 1e-3);
        sweep += arc.central_angle;
    }
    EXPECT_NEAR(sweep, -2 * pi, 1e-12);
}

TEST_F(Overlay, IntersectionKeepsWholeAndPartialCurvesOfBothKinds) {
    // A half disk with a Bezier bottom, cut by a square that keeps all of the Bezier and part of the arc.
    const char* const shape =
        R"({"curveRings": [[[-1, 0], {"a": [[1, 0], [0, 0], false, true]}, {"b": [[-1, 0], [0, -1], [-0.5, -1]]}]]})";
    const char* const window = R"({"rings": [[[-2, -2], [-2, 0.5], [2, 0.5], [2, -2]]]})";
    Geometry a = read(shape), b = read(window);
    Geometry cut(GK_GeometryEngine_intersection(a, b, h));
    ASSERT_TRUE(no_errors());
    const geokern::GeometryValue& value = geokern::value_of(cut.get());
    ASSERT_EQ(value.parts.size(), 1u);
    int arcs = 0, beziers = 0;
    for (const geokern::CurveEntry& entry : value.parts[0]->curves) {
        if (const auto* arc = std::get_if<geokern::EllipticArc>(&entry.curve)) {
            ++arcs;
            EXPECT_NEAR(arc->cx, 0.0, 1e-12);
            EXPECT_NEAR(arc->cy, 0.0, 1e-12);
            EXPECT_DOUBLE_EQ(arc->semi_major, 1.0);
        } else {
            ++beziers;
            const auto& bezier = std::get<geokern::CubicBezier>(entry.curve);
            EXPECT_EQ(bezier.c1x, 0.0);
            EXPECT_EQ(bezier.c1y, -1.0);
        }
    }
    EXPECT_EQ(arcs, 2);  // the two ends of the arc below the square's top
    EXPECT_EQ(beziers, 1);
}

TEST_F(Overlay, PiecesOfAnEllipticArcStayOnItsEllipse) {
    // Half an ellipse (axes 3 and 1.5, turned by 0.3), cut by a band: two pieces of it remain.
    Geometry path = read(R"({"curvePaths": [[[0, 0], {"a": [[4, 0], [2, 0], false, false, 0.3, 3, 0.5]}]]})");
    Geometry band = read(R"({"rings": [[[1, -5], [1, 5], [2, 5], [2, -5], [1, -5]]]})");
    Geometry whole(GK_Geometry_fromJSON(
        R"({"curvePaths": [[[0, 0], {"a": [[4, 0], [2, 0], false, false, 0.3, 3, 0.5]}]]})", h));
    Geometry outside(GK_GeometryEngine_difference(path, band, h));
    ASSERT_TRUE(no_errors());
    const auto& original = std::get<geokern::EllipticArc>(geokern::value_of(whole.get()).parts[0]->curves[0].curve);
    const geokern::GeometryValue& value = geokern::value_of(outside.get());
    ASSERT_EQ(value.parts.size(), 2u);
    double sweep = 0;
    for (const auto& part : value.parts) {
        ASSERT_EQ(part->curves.size(), 1u);
        const auto& arc = std::get<geokern::EllipticArc>(part->curves[0].curve);
        EXPECT_EQ(arc.cx, original.cx);
        EXPECT_EQ(arc.cy, original.cy);
        EXPECT_EQ(arc.rotation, original.rotation);
        EXPECT_EQ(arc.semi_major, original.semi_major);
        EXPECT_EQ(arc.ratio, original.ratio);
        EXPECT_EQ(std::signbit(arc.sweep_param), std::signbit(original.sweep_param));
        sweep += std::fabs(arc.sweep_param);
    }
    EXPECT_LT(sweep, std::fabs(original.sweep_param));
}

TEST_F(Overlay, UnionOfAnEmptyCollectionIsRefused) {
    GK_VectorHandle none = geometry_vector({});
    Geometry united(GK_GeometryEngine_unionCollection(none, h));
    GK_Vector_destroy(none, h);
    EXPECT_EQ(united.get(), nullptr);
    EXPECT_EQ(single_error(), "the union of a collection needs at least one geometry: the vector is empty.");
}

TEST_F(Overlay, UnionOfACollection) {
    GK_VectorHandle squares = geometry_vector({square, envelope, far_square});
    Geometry united(GK_GeometryEngine_unionCollection(squares, h));
    GK_Vector_destroy(squares, h);
    ASSERT_TRUE(no_errors());
    EXPECT_DOUBLE_EQ(polygon_area(geokern::value_of(united.get())), 4 + 4 - 1 + 4);

    GK_VectorHandle mixed = geometry_vector({square, far_square, crossing_line});
    Geometry refused(GK_GeometryEngine_unionCollection(mixed, h));
    GK_Vector_destroy(mixed, h);
    EXPECT_EQ(single_error(),
              "the union of a collection needs geometries of one dimension: geometry 1 is a polygon and geometry 3 "
              "a polyline.");
}

// The outline's chords lie inside the round parts, at most 1e-3 of the distance in.
void expect_buffer_area(double area, double exact) {
    EXPECT_LE(area, exact * (1 + 1e-12));
    EXPECT_GE(area, exact * (1 - 2e-3));
}

TEST_F(Overlay, BufferAreasMatchClosedForms) {
    struct Case {
        const char* geometry;
        double distance;
        double exact;
    };
    const Case cases[] = {
        {R"({"x": 3, "y": 4})", 2.0, pi * 4},
        {R"({"paths": [[[0, 0], [10, 0]]]})", 1.0, 2 * 10 + pi},
        {R"({"rings": [[[0, 0], [0, 2], [2, 2], [2, 0]]]})", 1.0, 4 + 4 * 2 + pi},
        {R"({"rings": [[[0, 0], [0, 4], [4, 4], [4, 0]]]})", -1.0, 4},
    };
    for (const Case& c : cases) {
        Geometry geometry = read(c.geometry);
        Geometry buffer(GK_GeometryEngine_buffer(geometry, c.distance, h));
        ASSERT_TRUE(no_errors()) << c.geometry;
        expect_buffer_area(polygon_area(geokern::value_of(buffer.get())), c.exact);
    }
}

TEST_F(Overlay, BufferOfAnArcMatchesItsAnnulusSector) {
    // A quarter circle of radius 10, buffered by 1: a quarter annulus and two half disks.
    Geometry arc = read(R"({"curvePaths": [[[10, 0], {"a": [[0, 10], [0, 0], true, false]}]]})");
    Geometry buffer(GK_GeometryEngine_buffer(arc, 1.0, h));
    ASSERT_TRUE(no_errors());
    const double exact = pi / 2 * (11 * 11 - 9 * 9) / 2 + pi;
    // The inner side's chords bulge out of the annulus by the chord deviation only.
    EXPECT_NEAR(polygon_area(geokern::value_of(buffer.get())), exact, 2e-3 * pi);
}

TEST_F(Overlay, BufferEdgeCases) {
    struct Case {
        const char* geometry;
        double distance;
        std::string expected;
    };
    const Case cases[] = {
        {crossing_line, 0.0, R"({"rings":[]})"},
        {inner_point, -1.0, R"({"rings":[]})"},
        {R"({"rings": [[[0, 0], [0, 1], [1, 1], [1, 0]]]})", -0.5, R"({"rings":[]})"},
        // Below the spacing of the coordinates a polygon stays as it is; a point cannot grow at all.
        {R"({"rings": [[[1e16, 1e16], [1e16, 3e16], [3e16, 3e16], [3e16, 1e16]]]})", 1.0,
         R"({"rings":[[[10000000000000000,10000000000000000],[10000000000000000,30000000000000000],)"
         R"([30000000000000000,30000000000000000],[30000000000000000,10000000000000000],)"
         R"([10000000000000000,10000000000000000]]]})"},
        {inner_point, 1e-300,
         "error: the buffer distance is below the precision of the geometry's coordinates: their spacing there is "
         "2.22e-16."},
        // A line grown by less than the spacing at its far end is refused even where its start could move.
        {R"({"paths": [[[0, 0], [1e6, 0]]]})", 1e-11,
         "error: the buffer distance is below the precision of the geometry's coordinates: their spacing there is "
         "1.16e-10."},
        {inner_point, NAN, "error: the buffer distance must be a finite number: got NaN."},
        {inner_point, 1e200, "error: the buffer distance is beyond 1e150 in size, out of the range buffers are computed in."},
        {R"({"x": 1e160, "y": 0})", 1.0,
         "error: the geometry has a coordinate beyond 1e150 in size, out of the range this operation computes in."},
    };
    for (const Case& c : cases) {
        Geometry geometry = read(c.geometry);
        Geometry buffer(GK_GeometryEngine_buffer(geometry, c.distance, h));
        EXPECT_EQ(buffer.get() == nullptr ? "error: " + single_error() : write(buffer), c.expected) << c.geometry;
    }
}

TEST_F(Overlay, BufferCollectionBroadcastsItsLastDistance) {
    GK_VectorHandle points = geometry_vector({R"({"x": 0, "y": 0})", R"({"x": 10, "y": 0})", R"({"x": 20, "y": 0})"});
    GK_VectorHandle distances = number_vector({1.0, 2.0});
    std::vector<geokern::GeometryValue> separate = values_of(GK_GeometryEngine_bufferCollection(points, distances, 0, h));
    std::vector<geokern::GeometryValue> joined = values_of(GK_GeometryEngine_bufferCollection(points, distances, 1, h));
    ASSERT_TRUE(no_errors());
    ASSERT_EQ(separate.size(), 3u);
    expect_buffer_area(polygon_area(separate[0]), pi);
    expect_buffer_area(polygon_area(separate[1]), 4 * pi);
    expect_buffer_area(polygon_area(separate[2]), 4 * pi);
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0].parts.size(), 3u);
    expect_buffer_area(polygon_area(joined[0]), 9 * pi);

    GK_VectorHandle none = number_vector({});
    EXPECT_TRUE(values_of(GK_GeometryEngine_bufferCollection(points, none, 1, h)).empty());
    EXPECT_EQ(single_error(), "a buffer of 3 geometries needs at least one distance: the distance vector is empty.");
    GK_VectorHandle no_points = geometry_vector({});
    EXPECT_TRUE(values_of(GK_GeometryEngine_bufferCollection(no_points, none, 1, h)).empty());
    EXPECT_TRUE(no_errors());
    for (GK_VectorHandle vector : {points, distances, none, no_points}) GK_Vector_destroy(vector, h);
}

}  // namespace
