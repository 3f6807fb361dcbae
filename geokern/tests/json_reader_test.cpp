// Reading geometries from JSON text: what is accepted and as what, and what is refused with which message.
#include <cmath>
#include <string>

#include "json_test_support.hpp"

namespace {

using geometry_test::Geometry;
using JsonReader = json_test::JsonTest;

struct Accepted {
    const char* text;
    GK_GeometryType type;
    bool has_z;
    bool has_m;
    bool empty;
};

class JsonReaderAccepts : public json_test::JsonTest, public ::testing::WithParamInterface<Accepted> {};

TEST_P(JsonReaderAccepts, GivesTheGeometryItDescribes) {
    const Accepted& row = GetParam();
    Geometry geometry = read(row.text);
    ASSERT_NE(geometry.get(), nullptr) << single_error();
    EXPECT_EQ(GK_Geometry_getObjectType(geometry, h), row.type);
    EXPECT_EQ(GK_Geometry_getHasZ(geometry, h), row.has_z);
    EXPECT_EQ(GK_Geometry_getHasM(geometry, h), row.has_m);
    EXPECT_EQ(GK_Geometry_getIsEmpty(geometry, h), row.empty);
    EXPECT_TRUE(no_errors());
}

constexpr GK_GeometryType point = 1, envelope = 2, polyline = 3, polygon = 4, multipoint = 5;

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonReaderAccepts,
    ::testing::Values(
        Accepted{R"({"x": 1, "y": 2})", point, false, false, false},
        Accepted{R"({"x": 1, "y": 2, "z": 3, "m": 4})", point, true, true, false},
        Accepted{R"({"x": 1, "y": 2, "m": null})", point, false, true, false},
        Accepted{R"({"x": null, "y": null})", point, false, false, true},
        Accepted{R"({"x": "NaN"})", point, false, false, true},
        Accepted{R"({"x": NaN, "y": NaN, "z": NaN})", point, true, false, true},
        Accepted{R"({"x": 1, "y": 2, "unknown": [{"deep": 1}], "spatialReference": {"wkid": 4326}})", point,
                 false, false, false},
        Accepted{R"({"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5})", envelope, false, false, false},
        Accepted{R"({"xmin": 0, "ymin": 0, "xmax": 10, "ymax": 5, "zmin": 1, "zmax": 2, "mmin": 3, "mmax": 4})",
                 envelope, true, true, false},
        Accepted{R"({"xmin": null, "ymin": null, "xmax": null, "ymax": null})", envelope, false, false, true},
        Accepted{R"({"points": []})", multipoint, false, false, true},
        Accepted{R"({"hasZ": true, "hasM": true, "points": [[1, 2, 3, 4], [5, 6]]})", multipoint, true, true, false},
        Accepted{R"({"hasM": 1, "points": [[1, 2, 5]]})", multipoint, false, true, false},
        Accepted{R"({"paths": []})", polyline, false, false, true},
        Accepted{R"({"paths": [[[0, 0], [1, 1]]], "x": 5})", polyline, false, false, false},
        Accepted{R"({"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 1]]}]], "paths": []})", polyline, false, false,
                 false},
        Accepted{R"({"hasZ": true, "curvePaths": [[[0, 0, 1], {"a": [[2, 0, 2], [1, 0], false, true]},
                     {"a": [[4, 0], [3, 0], 0, 1, 0, 2, 0.5]}, {"b": [[5, 1], [4, 1], [5, 0]]}, [6, 6]]]})",
                 polyline, true, false, false},
        Accepted{R"({"rings": [[[0, 0], [1, 0], [0, 1], [0, 0]]], "paths": [[[9, 9], [8, 8]]]})", polygon, false,
                 false, false},
        Accepted{R"({"curveRings": [[[0, 0], {"a": [[0, 0], [1, 0], false, false]}]]})", polygon, false, false,
                 false},
        Accepted{R"({"hasZ": true, "spatialReference": {"wkid": 4326}, "rings": [[[0, 0, 1], [1, 0, 1], [0, 1, 1]]]})",
                 polygon, true, false, false},
        Accepted{R"({"rings": [], "spatialReference": {"latestWkid": 3857}})", polygon, false, false, true},
        Accepted{R"({"paths": [[[1e308, -1e-300], [Infinity, "-Infinity"], [0e154, 5e-324], [9223372036854775808, -0]]]})",
                 polyline, false, false, false}));

TEST_F(JsonReader, ReadsValuesInPlace) {
    Geometry p = read(R"({"x": 1.5, "y": -2, "m": 7, "spatialReference": {"wkid": 102100, "latestWkid": 3857}})");
    ASSERT_NE(p.get(), nullptr) << single_error();
    EXPECT_EQ(GK_Point_getX(p, h), 1.5);
    EXPECT_EQ(GK_Point_getY(p, h), -2);
    EXPECT_EQ(GK_Point_getM(p, h), 7);
    GK_SpatialReferenceHandle reference = GK_Geometry_getSpatialReference(p, h);
    EXPECT_EQ(GK_SpatialReference_getWKID(reference, h), 102100);
    GK_SpatialReference_destroy(reference, h);

    // hasZ and hasM pick the meaning of the third item; missing items are NaN.
    Geometry m_only = read(R"({"hasM": true, "points": [[1, 2, 5]]})");
    Geometry zm = read(R"({"hasZ": true, "hasM": true, "points": [[1, 2, 5]]})");
    EXPECT_EQ(write(m_only), R"({"hasM":true,"points":[[1,2,5]]})");
    EXPECT_EQ(write(zm), R"({"hasZ":true,"hasM":true,"points":[[1,2,5,NaN]]})");

    // A ring is closed whether or not the text repeats its first vertex.
    Geometry open_ring = read(R"({"rings": [[[0, 0], [1, 0], [0, 1]]]})");
    Geometry closed_ring = read(R"({"rings": [[[0, 0], [1, 0], [0, 1], [0, 0]]]})");
    EXPECT_TRUE(GK_Geometry_equals(open_ring, closed_ring, h));

    // The spatial reference given replaces the text's.
    GK_SpatialReferenceHandle mercator = GK_SpatialReference_webMercator(h);
    Geometry replaced(GK_Geometry_fromJSONWithSpatialReference(R"({"x": 1, "y": 2, "spatialReference": {"wkid": 4326}})",
                                                               mercator, h));
    EXPECT_EQ(write(replaced), R"({"spatialReference":{"wkid":3857},"x":1,"y":2})");
    GK_SpatialReference_destroy(mercator, h);
    EXPECT_TRUE(no_errors());
}

TEST_F(JsonReader, AStraightArcIsALine) {
    Geometry line = read(R"({"curvePaths": [[[0, 0], {"c": [[2, 0], [1, 0]]}]]})");
    ASSERT_NE(line.get(), nullptr) << single_error();
    EXPECT_FALSE(GK_Geometry_getHasCurves(line, h));
    EXPECT_EQ(write(line), R"({"paths":[[[0,0],[2,0]]]})");
}

struct Refused {
    const char* text;
    const char* message;
};

class JsonReaderRefuses : public json_test::JsonTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(JsonReaderRefuses, WithAMessageSayingWhatAndWhere) {
    const Refused& row = GetParam();
    EXPECT_EQ(GK_Geometry_fromJSON(row.text, h), nullptr);
    std::vector<geokern_test::CapturedError> errors = take_errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].code, GK_ERROR_INVALID_ARGUMENT);
    // PROJ's own words may follow a message that ends with a colon.
    EXPECT_EQ(errors[0].additional.substr(0, std::string(row.message).size()), row.message) << errors[0].additional;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonReaderRefuses,
    ::testing::Values(
        Refused{"", "JSON at offset 0: The document is empty."},
        Refused{R"({"x": 1, "y": )", "JSON at offset 14: Invalid value."},
        Refused{R"({"paths": [[[0, 0], [1, 1]])", "JSON at offset 27: Missing a comma or ']' after an array element."},
        Refused{R"({"x": 1, "y": 2} extra)", "JSON at offset 17: The document root must not be followed by other values."},
        Refused{R"({"x": 1e400, "y": 2})", "JSON at offset 6: Number too big to be stored in double."},
        Refused{R"({"x": -1e-400, "y": 2})", "JSON at offset 6: a number beyond the range of a double."},
        Refused{"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
                "JSON at offset 32: nesting deeper than 32 levels"},
        Refused{"[]", "JSON text: expected a geometry object, got an array."},
        Refused{R"({"y": 1})", "JSON text: not a geometry: none of the members \"rings\", \"curveRings\", \"paths\", "
                               "\"curvePaths\", \"points\", \"x\", \"xmin\"."},
        Refused{R"({"x": 1})", "JSON text: missing member \"y\"."},
        Refused{R"({"x": "1", "y": 2})", "JSON x: expected a number, got a string."},
        Refused{R"({"x": 1, "y": true})", "JSON y: expected a number, got a boolean."},
        Refused{R"({"xmin": 0, "ymin": 0, "xmax": 1})", "JSON text: missing member \"ymax\"."},
        Refused{R"({"points": {}})", "JSON points: expected an array, got an object."},
        Refused{R"({"points": [[1, 2], [3]]})", "JSON points[1]: a vertex needs at least two numbers, got 1."},
        Refused{R"({"points": [5]})", "JSON points[0]: expected a vertex array, got a number."},
        Refused{R"({"hasZ": true, "points": [[1, 2, "z"]]})", "JSON points[0][2]: expected a number, got a string."},
        Refused{R"({"hasZ": "yes", "points": []})", "JSON hasZ: expected true, false, 0 or 1, got a string."},
        Refused{R"({"paths": [[[0, 0], {"c": [[1, 1], [2, 0]]}]]})", "JSON paths[0][1]: expected a vertex array, got an object."},
        Refused{R"({"rings": [[[0, 0]]]})",
                "JSON rings[0]: a ring needs at least three vertices, or two joined by a curve, got 1."},
        Refused{R"({"curveRings": [[[0, 0], [1, 1]]]})",
                "JSON curveRings[0]: a ring needs at least three vertices, or two joined by a curve, got 2."},
        Refused{R"({"curvePaths": [[{"c": [[2, 0], [1, 1]]}, [3, 3]]]})",
                "JSON curvePaths[0][0]: a part must start with a vertex, not a curve."},
        Refused{R"({"curvePaths": [[[0, 0], {"d": [[2, 0]]}]]})",
                "JSON curvePaths[0][1]: a segment object needs a \"c\", \"a\" or \"b\" member."},
        Refused{R"({"curvePaths": [[[0, 0], {"c": []}]]})", "JSON curvePaths[0][1].c: a segment needs its end vertex."},
        Refused{R"({"curvePaths": [[[0, 0], {"c": [[2, 0]]}]]})",
                "JSON curvePaths[0][1].c: expected [end, interior], got 1 items."},
        Refused{R"({"curvePaths": [[[0, 0], {"b": [[2, 0], [1, 1], [3]]}]]})",
                "JSON curvePaths[0][1].b[2]: a point needs two numbers, got 1."},
        Refused{R"({"curvePaths": [[[0, 0], {"a": [[2, 0], [1, 0], false]}]]})",
                "JSON curvePaths[0][1].a: expected [end, centre, minor, clockwise] or [end, centre, minor, clockwise, "
                "rotation, axis, ratio], got 3 items."},
        Refused{R"({"curvePaths": [[[0, 0], {"a": [[2, 0], [1, 0], "no", false]}]]})",
                "JSON curvePaths[0][1].a[2]: expected true, false, 0 or 1, got a string."},
        Refused{R"({"curvePaths": [[[0, 0], {"a": [[5, 0], [1, 0], false, false]}]]})",
                "JSON curvePaths[0][1].a: the end point does not lie on the circle through the start point."},
        Refused{R"({"curvePaths": [[[0, 0], {"a": [[4, 0], [2, 0], 0, 0, 0, -2, 0.5]}]]})",
                "JSON curvePaths[0][1].a: the semi-major axis must be a positive number."},
        Refused{R"({"paths": [], "spatialReference": 4326})",
                "JSON spatialReference: expected a spatial reference object, got a number."},
        Refused{R"({"paths": [], "spatialReference": {"wkid": 4326.5}})",
                "JSON spatialReference.wkid: a well-known identifier must be an integer from 1 to 2147483647."},
        Refused{R"({"paths": [], "spatialReference": {"wkid": 3000000000}})",
                "JSON spatialReference.wkid: a well-known identifier must be an integer from 1 to 2147483647."},
        Refused{R"({"paths": [], "spatialReference": {"wkid": 999999}})",
                "JSON spatialReference.wkid: 999999 is not a well-known identifier of a coordinate system."},
        Refused{R"({"paths": [], "spatialReference": {"wkt": "GEOGCS[nonsense"}})",
                "JSON spatialReference.wkt: the well-known text cannot be read: "},
        Refused{R"({"paths": [], "spatialReference": {}})",
                "JSON spatialReference: a spatial reference needs \"wkid\", \"latestWkid\", \"wkt\" or \"wkt2\"."}));

TEST_F(JsonReader, RefusesNullText) {
    EXPECT_EQ(GK_Geometry_fromJSON(nullptr, h), nullptr);
    EXPECT_EQ(single_error(), "the JSON text is null.");
}

}  // namespace
