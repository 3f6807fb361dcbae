#include <gtest/gtest.h>

#include <string>

#include "format_event_trace.hpp"
#include "formats/wkt_parser.hpp"

namespace {

using velmor::formats::parse_wkt;
using velmor::test::EventTrace;

// The trace of a valid text, or "error: " + the display text of the failure.
std::string walk(const std::string& wkt) {
    EventTrace trace;
    const auto status = parse_wkt(wkt, trace);
    return status ? trace.text : "error: " + status.error().display();
}

TEST(WktParser, EveryTypeDimensionAndSpelling) {
    struct Case {
        const char* wkt;
        const char* events;
    } cases[] = {
        {"POINT (1 2)", "P[(1 2)]"},
        {"point(1.5 -2e3)", "P[(1.5 -2000)]"},
        {"  Point  ( +1   .5 )  ", "P[(1 0.5)]"},
        {"POINT Z (1 2 3)", "P[(1 2 z3)]"},
        {"POINT M (1 2 3)", "P[(1 2 m3)]"},
        {"POINT ZM (1 2 3 4)", "P[(1 2 z3 m4)]"},
        {"POINTZ(1 2 3)", "P[(1 2 z3)]"},
        {"pointzm(1 2 3 4)", "P[(1 2 z3 m4)]"},
        {"POINT (1 2 3)", "P[(1 2 z3)]"},
        {"POINT (1 2 3 4)", "P[(1 2 z3 m4)]"},
        {"POINT (NaN -inf)", "P[(nan -inf)]"},
        {"POINT (1e999 -1e-999)", "P[(inf -0)]"},
        {"POINT EMPTY", "E"},
        {"POINT Z EMPTY", "E"},
        {"LINESTRING (1 2, 3 4)", "L[(1 2)(3 4)]"},
        {"LINESTRING EMPTY", "L[]"},
        {"LINESTRING (0 0, 1 1 1)", "L[(0 0)(1 1 z1)]"},
        {"POLYGON ((0 0, 1 0, 1 1, 0 0), (0.2 0.2, 0.4 0.2, 0.4 0.4, 0.2 0.2))",
         "A[l[(0 0)(1 0)(1 1)(0 0)]l[(0.2 0.2)(0.4 0.2)(0.4 0.4)(0.2 0.2)]]"},
        {"POLYGON EMPTY", "A[]"},
        {"MULTIPOINT ((1 2), (3 4))", "MP[(1 2)(3 4)]"},
        {"MULTIPOINT (1 2, 3 4)", "MP[(1 2)(3 4)]"},
        {"MULTIPOINT (1 2, (3 4))", "MP[(1 2)(3 4)]"},
        {"MULTIPOINT M ((1 2 3))", "MP[(1 2 m3)]"},
        {"MULTIPOINT EMPTY", "MP[]"},
        {"MULTILINESTRING ((1 2, 3 4), EMPTY, (5 6, 7 8))", "ML[l[(1 2)(3 4)]l[]l[(5 6)(7 8)]]"},
        {"MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)), EMPTY)", "MA[a[l[(0 0)(1 0)(1 1)(0 0)]]a[]]"},
        {"GEOMETRYCOLLECTION (POINT (1 2), LINESTRING (0 0, 1 1), GEOMETRYCOLLECTION EMPTY)",
         "GC[P[(1 2)]L[(0 0)(1 1)]GC[]]"},
        {"GEOMETRYCOLLECTION Z (POINT (1 2 3), POINT M (1 2 3))", "GC[P[(1 2 z3)]P[(1 2 m3)]]"},
        {"GeometryCollection(MultiPolygon(((0 0,1 0,1 1,0 0))),Polygon((0 0,1 0,1 1,0 0)))",
         "GC[MA[a[l[(0 0)(1 0)(1 1)(0 0)]]]A[l[(0 0)(1 0)(1 1)(0 0)]]]"},
        {"\tPOINT\n(1\r\n2)\n", "P[(1 2)]"},
    };
    for (const auto& c : cases) EXPECT_EQ(walk(c.wkt), c.events) << c.wkt;
}

TEST(WktParser, MalformedTextNamesTheProblem) {
    struct Case {
        const char* wkt;
        const char* message;
    } cases[] = {
        {"", "Invalid WKT format"},
        {"   ", "Invalid WKT format"},
        {"(1 2)", "Invalid WKT format"},
        {"42", "Invalid WKT format"},
        {"CIRCLE (1 2)", "Unknown geometry type 'CIRCLE'"},
        {"POINTX (1 2)", "Unknown geometry type 'POINTX'"},
        {"ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ",
         "Unknown geometry type 'ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ...'"},
        {"POINT 1 2", "Missing open parenthesis for type"},
        {"POINT Q (1 2)", "Missing open parenthesis for type"},
        {"POINT Z FULL", "Missing open parenthesis for type"},
        {"POINT (1 2", "Missing closing parenthesis for type"},
        {"POINT (1 2, 3 4)", "Missing closing parenthesis for type"},
        {"LINESTRING (1 2, 3 4", "Missing closing parenthesis for type"},
        {"LINESTRING (1 2; 3 4)", "Missing closing parenthesis for type"},
        {"POLYGON ((0 0, 1 0, 1 1, 0 0)", "Missing closing parenthesis for type"},
        {"POLYGON (0 0, 1 0)", "Missing open parenthesis for type"},
        {"GEOMETRYCOLLECTION (1 2)", "Expected a word in GEOMETRYCOLLECTION"},
        {"GEOMETRYCOLLECTION (EMPTY)", "Unknown geometry type 'EMPTY'"},
        {"POINT ()", "Expected a number for the X coordinate"},
        {"POINT (1)", "Expected a number for the Y coordinate"},
        {"POINT Z (1 2)", "Expected a number for the Z coordinate"},
        {"POINT M (1 2)", "Expected a number for the M coordinate"},
        {"POINT ZM (1 2 3)", "Expected a number for the M coordinate"},
        {"POINT (1 2 3 4 5)", "A coordinate has at most 4 values"},
        {"POINT (1 2 3) (4)", "Unexpected text after the geometry"},
        {"POINT Z (1 2 3 4)", "Too many values in a coordinate for the declared dimension"},
        {"POINT (1..2 3)", "Invalid number for the X coordinate"},
        {"POINT (1 2e)", "Invalid number for the Y coordinate"},
        {"POINT (+-1 2)", "Invalid number for the X coordinate"},
        {"MULTIPOINT (EMPTY, (1 2))", "An empty point inside a MULTIPOINT is not supported"},
        {"MULTIPOINT (abc)", "Expected a number for the X coordinate"},
        {"POINT (1 2) garbage", "Unexpected text after the geometry"},
        {"POINT EMPTY EMPTY", "Unexpected text after the geometry"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(walk(c.wkt), std::string("error: processing geometry `") + c.message + "`") << c.wkt;
    }
}

TEST(WktParser, CollectionNestingIsBounded) {
    auto nested = [](int depth) {
        std::string wkt;
        for (int i = 0; i < depth; ++i) wkt += "GEOMETRYCOLLECTION (";
        wkt += "POINT (1 2)";
        for (int i = 0; i < depth; ++i) wkt += ")";
        return wkt;
    };
    EXPECT_EQ(walk(nested(64)).substr(0, 3), "GC[");
    EXPECT_EQ(walk(nested(65)),
              "error: processing geometry `GEOMETRYCOLLECTION nested more than 64 levels deep`");
    // Far deeper than the stack could take if the bound were missing.
    EXPECT_EQ(walk(nested(100000)).substr(0, 6), "error:");
}

TEST(WktParser, BuilderFailureStopsTheWalk) {
    EventTrace trace;
    trace.fail_at = 3;
    const auto status = parse_wkt("LINESTRING (1 2, 3 4, 5 6)", trace);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().display(), "processing geometry `builder failed`");
    EXPECT_EQ(trace.text, "L[(1 2)");
}

TEST(WktParser, TextIsNotReadPastItsEnd) {
    // A view into a larger buffer: the parser must stop at the view's end, not at the NUL.
    const std::string buffer = "POINT (1 2)))))";
    EventTrace trace;
    EXPECT_FALSE(parse_wkt(std::string_view(buffer).substr(0, 9), trace));
    EXPECT_TRUE(parse_wkt(std::string_view(buffer).substr(0, 11), trace));
    EXPECT_EQ(walk(std::string("POINT (1 2)\0", 12)),
              "error: processing geometry `Unexpected text after the geometry`");
}

}  // namespace
