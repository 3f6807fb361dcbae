// cut, simplify, isSimple, offset, extend, reshape and autoComplete of the planar engine, through the
// C interface with geometries written as JSON text.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "geometry/geometry_value.hpp"
#include "json_test_support.hpp"

namespace {

using geometry_test::Geometry;

class TopologyTest : public json_test::JsonTest {
  protected:
    std::string json_of(GK_GeometryHandle handle) {
        if (handle == nullptr) return "null";
        Geometry owned(handle);
        return write(owned);
    }
    std::vector<std::string> texts_of(GK_ArrayHandle array) {
        std::vector<std::string> texts;
        if (array == nullptr) return {"null array"};
        const uint64_t size = GK_Array_getSize(array, h);
        for (uint64_t i = 0; i < size; ++i) {
            GK_ElementHandle element = GK_Array_at(array, i, h);
            texts.push_back(json_of(GK_Element_getValueAsGeometry(element, h)));
            GK_Element_destroy(element, h);
        }
        GK_Array_destroy(array, h);
        return texts;
    }
    std::vector<std::string> cut(const std::string& geometry, const std::string& cutter) {
        Geometry g = read(geometry), c = read(cutter);
        return texts_of(GK_GeometryEngine_cut(g, c, h));
    }
    std::string simplify(const std::string& geometry) {
        Geometry g = read(geometry);
        return json_of(GK_GeometryEngine_simplify(g, h));
    }
    bool is_simple(const std::string& geometry) {
        Geometry g = read(geometry);
        return GK_GeometryEngine_isSimple(g, h) != 0;
    }
    std::string offset(const std::string& geometry, double distance, int32_t type, double ratio = 0.0) {
        Geometry g = read(geometry);
        return json_of(GK_GeometryEngine_offset(g, distance, type, ratio, 0.0, h));
    }
    std::string extend(const std::string& line, const std::string& extender, int32_t options) {
        Geometry g = read(line), e = read(extender);
        return json_of(GK_GeometryEngine_extend(g, e, options, h));
    }
    std::string reshape(const std::string& geometry, const std::string& reshaper) {
        Geometry g = read(geometry), r = read(reshaper);
        return json_of(GK_GeometryEngine_reshape(g, r, h));
    }
    GK_VectorHandle vector_of(const std::vector<std::string>& texts) {
        GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_GEOMETRY, h);
        for (const std::string& text : texts) {
            Geometry g = read(text);
            GK_ElementHandle element = GK_Element_create(h);
            GK_Element_setValueFromGeometry(element, g, h);
            GK_Vector_add(vector, element, h);
            GK_Element_destroy(element, h);
        }
        return vector;
    }
};

const char* square = R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[0,0]]]})";

// ---- cut ----

struct CutCase {
    const char* name;
    const char* geometry;
    const char* cutter;
    std::vector<std::string> pieces;
};

TEST_F(TopologyTest, CutGivesLeftPiecesThenRightThenUncut) {
    const std::vector<CutCase> cases = {
        {"square by an upward line: left half, right half", square, R"({"paths":[[[1,-1],[1,3]]]})",
         {R"({"rings":[[[0,0],[0,2],[1,2],[1,0],[0,0]]]})", R"({"rings":[[[1,2],[2,2],[2,0],[1,0],[1,2]]]})"}},
        {"square by a downward line: the sides swap", square, R"({"paths":[[[1,3],[1,-1]]]})",
         {R"({"rings":[[[1,2],[2,2],[2,0],[1,0],[1,2]]]})", R"({"rings":[[[0,0],[0,2],[1,2],[1,0],[0,0]]]})"}},
        {"a line crossed twice by a U: two left pieces, one right", R"({"paths":[[[0,0],[4,0]]]})",
         R"({"paths":[[[1,-1],[1,1],[3,1],[3,-1]]]})",
         {R"({"paths":[[[0,0],[1,0]]]})", R"({"paths":[[[3,0],[4,0]]]})", R"({"paths":[[[1,0],[3,0]]]})"}},
        {"a line touching the cutter at a vertex is not cut", R"({"paths":[[[0,0],[1,1],[2,0]]]})",
         R"({"paths":[[[0,1],[2,1]]]})", {}},
        {"an uncut curved path keeps its curve",
         R"({"curvePaths":[[[0,0],[2,0]],[[5,5],{"a":[[7,5],[6,5],0,1]}]]})", R"({"paths":[[[1,-1],[1,1]]]})",
         {R"({"paths":[[[0,0],[1,0]]]})", R"({"paths":[[[1,0],[2,0]]]})",
          R"({"curvePaths":[[[5,5],{"a":[[7,5],[6,5],0,1]}]]})"}},
        {"an uncut path comes last", R"({"paths":[[[0,0],[2,0]],[[5,5],[6,5]]]})", R"({"paths":[[[1,-1],[1,1]]]})",
         {R"({"paths":[[[0,0],[1,0]]]})", R"({"paths":[[[1,0],[2,0]]]})", R"({"paths":[[[5,5],[6,5]]]})"}},
        {"an uncut polygon part comes last, kept whole",
         R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[0,0]],[[5,0],[5,2],[7,2],[7,0],[5,0]]]})",
         R"({"paths":[[[1,-1],[1,3]]]})",
         {R"({"rings":[[[0,0],[0,2],[1,2],[1,0],[0,0]]]})", R"({"rings":[[[1,2],[2,2],[2,0],[1,0],[1,2]]]})",
          R"({"rings":[[[5,0],[5,2],[7,2],[7,0],[5,0]]]})"}},
        {"a cutter ending inside a polygon cuts nothing", square, R"({"paths":[[[1,-1],[1,1]]]})", {}},
        {"a cutter beside the geometry cuts nothing", square, R"({"paths":[[[5,-1],[5,3]]]})", {}},
        {"points are never cut", R"({"points":[[1,0],[1,1]]})", R"({"paths":[[[1,-1],[1,3]]]})", {}},
        {"a polygon with a hole cut through the hole",
         R"({"rings":[[[0,0],[0,4],[4,4],[4,0],[0,0]],[[1,1],[3,1],[3,3],[1,3],[1,1]]]})",
         R"({"paths":[[[2,-1],[2,5]]]})",
         {R"({"rings":[[[0,0],[0,4],[2,4],[2,3],[1,3],[1,1],[2,1],[2,0],[0,0]]]})",
          R"({"rings":[[[2,4],[4,4],[4,0],[2,0],[2,1],[3,1],[3,3],[2,3],[2,4]]]})"}},
    };
    for (const CutCase& c : cases) {
        std::vector<std::string> expected;
        for (const std::string& piece : c.pieces) expected.push_back(json_of(GK_Geometry_fromJSON(piece.c_str(), h)));
        EXPECT_EQ(cut(c.geometry, c.cutter), expected) << c.name;
        EXPECT_TRUE(no_errors()) << c.name;
    }
}

TEST_F(TopologyTest, CutKeepsZOfVerticesAndInterpolatesItAtCuts) {
    EXPECT_EQ(cut(R"({"hasZ":true,"paths":[[[0,0,0],[4,0,8]]]})", R"({"paths":[[[1,1],[1,-1]]]})"),
              (std::vector<std::string>{R"({"hasZ":true,"paths":[[[1,0,2],[4,0,8]]]})",
                                        R"({"hasZ":true,"paths":[[[0,0,0],[1,0,2]]]})"}));
    EXPECT_TRUE(no_errors());
}

TEST_F(TopologyTest, CutRefusesACutterThatIsNotAPolyline) {
    EXPECT_EQ(cut(square, square), std::vector<std::string>{"null array"});
    EXPECT_EQ(single_error(), "the cutter must be a polyline: got a polygon.");
}

// ---- simplify and isSimple ----

struct SimpleCase {
    const char* name;
    const char* geometry;
    bool simple;
    const char* simplified;  // null: the input itself
};

TEST_F(TopologyTest, SimplifyRepairsWhatIsSimpleRejects) {
    const char* curved = R"({"curveRings":[[[0,0],[0,2],{"a":[[2,2],[1,2],0,1]},[2,0],[0,0]]]})";
    const std::vector<SimpleCase> cases = {
        {"a clockwise square", square, true, nullptr},
        {"a square with a clockwise hole kept counter-clockwise",
         R"({"rings":[[[0,0],[0,4],[4,4],[4,0],[0,0]],[[1,1],[3,1],[3,3],[1,3],[1,1]]]})", true, nullptr},
        {"a hole touching its ring at its first point",
         R"({"rings":[[[0,0],[0,4],[4,4],[4,0],[0,0]],[[0,2],[2,1],[2,3],[0,2]]]})", true, nullptr},
        {"a curved ring that is already simple keeps its curves", curved, true, nullptr},
        {"a bow-tie keeps both lobes as outer rings", R"({"rings":[[[0,0],[2,2],[2,0],[0,2],[0,0]]]})", false,
         R"({"rings":[[[0,2],[1,1],[0,0],[0,2]],[[2,2],[2,0],[1,1],[2,2]]]})"},
        {"a counter-clockwise outer ring is turned", R"({"rings":[[[0,0],[2,0],[2,2],[0,2],[0,0]]]})", false,
         R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[0,0]]]})"},
        {"a repeated vertex goes", R"({"rings":[[[0,0],[0,2],[0,2],[2,2],[2,0],[0,0]]]})", false, square},
        {"a repeated vertex beside a curve goes, the curve stays",
         R"({"curveRings":[[[0,0],[0,2],[0,2],{"a":[[2,2],[1,2],0,1]},[2,0],[0,0]]]})", false, curved},
        {"a spike goes", R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[1,0],[1,-1],[1,0],[0,0]]]})", false,
         R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[1,0],[0,0]]]})"},
        {"a ring of two distinct points goes", R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[0,0]],[[5,5],[6,6],[5,5]]]})",
         false, square},
        {"a path of one point and repeated vertices go", R"({"paths":[[[0,0],[1,1],[1,1],[2,0]],[[3,3]]]})", false,
         R"({"paths":[[[0,0],[1,1],[2,0]]]})"},
        {"a path of no length goes", R"({"paths":[[[0,0],[1,1]],[[3,3],[3,3]]]})", false,
         R"({"paths":[[[0,0],[1,1]]]})"},
        {"crossing paths are simple", R"({"paths":[[[0,0],[2,2]],[[0,2],[2,0]]]})", true, nullptr},
        {"a multipoint loses equal points", R"({"points":[[0,0],[1,1],[0,0]]})", false,
         R"({"points":[[0,0],[1,1]]})"},
        {"an envelope is simple", R"({"xmin":0,"ymin":0,"xmax":1,"ymax":1})", true, nullptr},
        {"an empty polygon is simple", R"({"rings":[]})", true, nullptr},
    };
    for (const SimpleCase& c : cases) {
        EXPECT_EQ(is_simple(c.geometry), c.simple) << c.name;
        const std::string expected = c.simplified == nullptr ? json_of(GK_Geometry_fromJSON(c.geometry, h))
                                                             : json_of(GK_Geometry_fromJSON(c.simplified, h));
        EXPECT_EQ(simplify(c.geometry), expected) << c.name;
        EXPECT_TRUE(is_simple(simplify(c.geometry))) << c.name;
        EXPECT_TRUE(no_errors()) << c.name;
    }
}

TEST_F(TopologyTest, SimplifyClosesAnUnclosedRing) {
    auto ring = std::make_shared<geokern::PartValue>();
    ring->xs = {0, 0, 2, 2};
    ring->ys = {0, 2, 2, 0};
    ring->closed = false;
    geokern::GeometryValue value;
    value.type = geokern::geometry_type_polygon;
    value.parts.push_back(ring);
    Geometry polygon(geokern::new_geometry(value));
    EXPECT_FALSE(GK_GeometryEngine_isSimple(polygon, h));
    EXPECT_EQ(json_of(GK_GeometryEngine_simplify(polygon, h)), R"({"rings":[[[0,0],[0,2],[2,2],[2,0],[0,0]]]})");
    Geometry closed(GK_GeometryEngine_simplify(polygon, h));
    EXPECT_TRUE(GK_GeometryEngine_isSimple(closed, h));
    EXPECT_TRUE(no_errors());
}

TEST_F(TopologyTest, IsSimpleAnswersFalseForBadCoordinatesWhereSimplifyFails) {
    const char* bad = R"({"paths":[[[0,0],[NaN,1]]]})";
    EXPECT_FALSE(is_simple(bad));
    EXPECT_TRUE(no_errors());
    EXPECT_EQ(simplify(bad), "null");
    EXPECT_EQ(single_error(), "simplify needs finite coordinates: a vertex or curve of the geometry has a NaN or infinite coordinate.");
}

// ---- offset ----

TEST_F(TopologyTest, OffsetOfAStraightLineLiesAtTheDistanceOnTheRight) {
    for (const double d : {0.5, -2.0}) {
        Geometry line = read(R"({"paths":[[[0,0],[3,4],[6,8]]]})");
        Geometry moved(GK_GeometryEngine_offset(line, d, 2, 0.0, 0.0, h));
        ASSERT_TRUE(no_errors());
        const geokern::GeometryValue& value = geokern::value_of(moved.get());
        ASSERT_EQ(value.parts.size(), 1u);
        const geokern::PartValue& part = *value.parts[0];
        EXPECT_GE(part.point_count(), 2);
        for (int64_t i = 0; i < part.point_count(); ++i) {
            // Signed distance from the line through (0,0) and (3,4): positive on its right.
            EXPECT_NEAR((4.0 * part.xs[i] - 3.0 * part.ys[i]) / 5.0, d, 1e-12) << d << " " << i;
        }
        EXPECT_TRUE(no_errors());
    }
}

TEST_F(TopologyTest, OffsetJoinsOnARightAngle) {
    // Up, then right: the outer corner is on the left, so a distance of -1 shows the joins.
    const char* corner = R"({"paths":[[[0,0],[0,10],[10,10]]]})";
    EXPECT_EQ(offset(corner, -1.0, 0), R"({"paths":[[[-1,0],[-1,11],[10,11]]]})");
    EXPECT_EQ(offset(corner, -1.0, 1), R"({"paths":[[[-1,0],[-1,10],[0,11],[10,11]]]})");
    // A mitre longer than the ratio allows is cut square at ratio times the distance.
    EXPECT_EQ(offset(corner, -1.0, 0, 1.0), offset(corner, -1.0, 3));
    const std::string squared = offset(corner, -1.0, 3);
    EXPECT_NE(squared.find("[-1,10.414213562373096]"), std::string::npos) << squared;
    // Rounded: every vertex of the join within the chord error of the unit circle around the corner.
    Geometry line = read(corner);
    Geometry round(GK_GeometryEngine_offset(line, -1.0, 2, 0.0, 0.0, h));
    ASSERT_TRUE(no_errors());
    const geokern::PartValue& part = *geokern::value_of(round.get()).parts.at(0);
    EXPECT_GT(part.point_count(), 10);
    for (int64_t i = 1; i + 1 < part.point_count(); ++i) {
        EXPECT_NEAR(std::hypot(part.xs[i], part.ys[i] - 10.0), 1.0, 1e-12) << i;
    }
    // On the inner side every join gives the same corner.
    for (int32_t type = 0; type < 4; ++type) {
        EXPECT_EQ(offset(corner, 1.0, type), R"({"paths":[[[1,0],[1,9],[10,9]]]})") << type;
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(TopologyTest, OffsetOfAPolygonGrowsOrShrinksIt) {
    EXPECT_EQ(offset(square, -0.5, 0), R"({"rings":[[[0.5,0.5],[0.5,1.5],[1.5,1.5],[1.5,0.5],[0.5,0.5]]]})");
    EXPECT_EQ(offset(square, 1.0, 0), R"({"rings":[[[-1,-1],[-1,3],[3,3],[3,-1],[-1,-1]]]})");
    EXPECT_TRUE(no_errors());
}

TEST_F(TopologyTest, OffsetRefusesUnknownTypesAndPoints) {
    EXPECT_EQ(offset(square, 1.0, 4), "null");
    EXPECT_EQ(single_error(), "offset type must be 0 (mitered), 1 (bevelled), 2 (rounded) or 3 (squared): got 4.");
    EXPECT_EQ(offset(R"({"x":1,"y":2})", 1.0, 0), "null");
    EXPECT_EQ(single_error(), "offset needs a polyline or a polygon: got a point.");
    EXPECT_EQ(offset(square, std::nan(""), 0), "null");
    EXPECT_EQ(single_error(), "offset distance must be a finite number.");
    EXPECT_EQ(offset(R"({"curvePaths": [[[5, 1], {"b": [[19, 0], [3, 5], [7, -5]]}, [202, 9]]]})", -1e300, 0), "null");
    EXPECT_EQ(single_error(), "the offset distance is beyond 1e150 in size, out of the range offsets are computed in.");
}

// ---- extend ----

struct ExtendCase {
    int32_t options;
    const char* result;
};

TEST_F(TopologyTest, ExtendFollowsItsFlags) {
    const char* line = R"({"hasZ":true,"paths":[[[0,0,5],[1,0,6]]]})";
    const char* walls = R"({"hasZ":true,"paths":[[[4,-1,10],[4,1,20]],[[-2,-1,30],[-2,1,40]]]})";
    const std::vector<ExtendCase> cases = {
        {0, R"({"hasZ":true,"paths":[[[-2,0,35],[0,0,5],[1,0,6],[4,0,15]]]})"},
        {1, R"({"hasZ":true,"paths":[[[-2,0,35],[4,0,15]]]})"},
        {2, R"({"hasZ":true,"paths":[[[-2,0,5],[0,0,5],[1,0,6],[4,0,6]]]})"},
        {4, R"({"hasZ":true,"paths":[[[-2,0,NaN],[0,0,5],[1,0,6],[4,0,NaN]]]})"},
        {8, R"({"hasZ":true,"paths":[[[0,0,5],[1,0,6],[4,0,15]]]})"},
        {16, R"({"hasZ":true,"paths":[[[-2,0,35],[0,0,5],[1,0,6]]]})"},
        {1 | 2 | 16, R"({"hasZ":true,"paths":[[[-2,0,5],[1,0,6]]]})"},
        {8 | 16, "null"},
    };
    for (const ExtendCase& c : cases) {
        EXPECT_EQ(extend(line, walls, c.options), c.result) << c.options;
        EXPECT_TRUE(no_errors()) << c.options;
    }
}

TEST_F(TopologyTest, ExtendGivesNoGeometryWhenNoEndReaches) {
    EXPECT_EQ(extend(R"({"paths":[[[0,0],[1,0]]]})", R"({"paths":[[[4,1],[4,2]]]})", 0), "null");
    EXPECT_TRUE(no_errors());
    // Into a polygon: the ray from inside meets its boundary.
    EXPECT_EQ(extend(R"({"paths":[[[1,1],[1,1.5]]]})", square, 16), R"({"paths":[[[1,0],[1,1],[1,1.5]]]})");
    EXPECT_TRUE(no_errors());
    EXPECT_EQ(extend(R"({"paths":[[[0,0],[1,0]]]})", R"({"paths":[[[4,1],[4,-2]]]})", 6), "null");
    EXPECT_EQ(single_error(), "extend options KEEP_END_ATTRIBUTES (2) and NO_END_ATTRIBUTES (4) exclude each other.");
}

// ---- reshape ----

TEST_F(TopologyTest, ReshapeReplacesTheStretchBetweenTheMeetings) {
    EXPECT_EQ(reshape(R"({"paths":[[[0,0],[10,0]]]})", R"({"paths":[[[2,-1],[2,0],[3,2],[6,2],[6,0],[6,-1]]]})"),
              R"({"paths":[[[0,0],[2,0],[3,2],[6,2],[6,0],[10,0]]]})");
    // A reshaper drawn against the line's direction is reversed into it.
    EXPECT_EQ(reshape(R"({"paths":[[[0,0],[10,0]]]})", R"({"paths":[[[6,0],[6,2],[3,2],[2,0]]]})"),
              R"({"paths":[[[0,0],[2,0],[3,2],[6,2],[6,0],[10,0]]]})");
    // A bump out of the top edge of a square adds to it.
    EXPECT_EQ(reshape(square, R"({"paths":[[[0.5,1],[0.5,3],[1.5,3],[1.5,1]]]})"),
              R"({"rings":[[[0.5,2],[0.5,3],[1.5,3],[1.5,2],[2,2],[2,0],[0,0],[0,2],[0.5,2]]]})");
    // A line across the square keeps the larger side.
    EXPECT_EQ(reshape(square, R"({"paths":[[[1.5,-1],[1.5,3]]]})"),
              R"({"rings":[[[1.5,0],[0,0],[0,2],[1.5,2],[1.5,0]]]})");
    EXPECT_TRUE(no_errors());
}

TEST_F(TopologyTest, ReshapeRefusesAReshaperThatMeetsOnce) {
    EXPECT_EQ(reshape(R"({"paths":[[[0,0],[10,0]]]})", R"({"paths":[[[2,-1],[2,1]]]})"), "null");
    EXPECT_EQ(single_error(), "the reshaper must meet the polyline at two distinct points of one path: it does not.");
}

// ---- autoComplete ----

TEST_F(TopologyTest, AutoCompleteFillsTheGapANewLineCloses) {
    GK_VectorHandle existing = vector_of({R"({"rings":[[[0,0],[0,2],[1,2],[1,0],[0,0]]]})"});
    GK_VectorHandle closing = vector_of({R"({"paths":[[[1,0],[2,0],[2,2],[1,2]]]})"});
    EXPECT_EQ(texts_of(GK_GeometryEngine_autoComplete(existing, closing, h)),
              std::vector<std::string>{R"({"rings":[[[1,0],[1,2],[2,2],[2,0],[1,0]]]})"});
    GK_VectorHandle dangling = vector_of({R"({"paths":[[[1,0],[2,0],[2,2]]]})"});
    EXPECT_EQ(texts_of(GK_GeometryEngine_autoComplete(existing, dangling, h)), std::vector<std::string>{});
    // A line across the existing polygon closes nothing outside it.
    GK_VectorHandle across = vector_of({R"({"paths":[[[0.5,-1],[0.5,3]]]})"});
    EXPECT_EQ(texts_of(GK_GeometryEngine_autoComplete(existing, across, h)), std::vector<std::string>{});
    EXPECT_TRUE(no_errors());
    for (GK_VectorHandle v : {existing, closing, dangling, across}) GK_Vector_destroy(v, h);
}

}  // namespace

namespace {

TEST_F(TopologyTest, InputsInDifferentSpatialReferencesAreRefused) {
    const char* line = R"({"paths":[[[0,0],[4,0]]],"spatialReference":{"wkid":4326}})";
    const char* other = R"({"paths":[[[1,-1],[1,1]]],"spatialReference":{"wkid":3857}})";
    EXPECT_EQ(cut(line, other), std::vector<std::string>{"null array"});
    EXPECT_EQ(extend(line, other, 0), "null");
    EXPECT_EQ(reshape(line, other), "null");
    const std::vector<geokern_test::CapturedError> errors = take_errors();
    EXPECT_EQ(errors.size(), 3u);
    for (const geokern_test::CapturedError& error : errors) {
        EXPECT_NE(error.additional.find("4326"), std::string::npos) << error.additional;
        EXPECT_NE(error.additional.find("3857"), std::string::npos) << error.additional;
    }
    // One input without a spatial reference takes the other's.
    EXPECT_EQ(cut(line, R"({"paths":[[[1,-1],[1,1]]]})").size(), 2u);
    EXPECT_TRUE(no_errors());
}

}  // namespace
