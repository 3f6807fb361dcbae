// Relations: the predicates on small fixtures, empty inputs, the relate pattern check, spatial
// references, and the cached, prepared path giving the same answers as the plain one.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "json_test_support.hpp"

namespace {

using Predicate = GK_Bool (*)(GK_GeometryHandle, GK_GeometryHandle, const GK_ErrorHandler*);

struct Named {
    const char* name;
    Predicate predicate;
};
const Named predicates[] = {
    {"contains", GK_GeometryEngine_contains}, {"crosses", GK_GeometryEngine_crosses},
    {"disjoint", GK_GeometryEngine_disjoint}, {"equals", GK_GeometryEngine_equals},
    {"intersects", GK_GeometryEngine_intersects}, {"overlaps", GK_GeometryEngine_overlaps},
    {"touches", GK_GeometryEngine_touches}, {"within", GK_GeometryEngine_within},
};

class EngineRelationsTest : public json_test::JsonTest {
  protected:
    // The eight predicates of (a, b) as a string of 0 and 1 in the order of `predicates`.
    std::string answers(const std::string& a, const std::string& b) {
        auto ga = read(a), gb = read(b);
        std::string result;
        for (const Named& named : predicates) result += named.predicate(ga, gb, h) ? '1' : '0';
        EXPECT_TRUE(no_errors()) << a << " / " << b;
        return result;
    }
};

const char* square = R"({"rings": [[[0,0],[0,4],[4,4],[4,0],[0,0]]]})";

TEST_F(EngineRelationsTest, PredicatesOfSmallFixtures) {
    struct Case {
        const char* other;
        const char* expected;  // contains crosses disjoint equals intersects overlaps touches within
    };
    const Case cases[] = {
        {R"({"x": 2, "y": 2})", "10001000"},                                     // inside
        {R"({"x": 4, "y": 2})", "00001010"},                                     // on the boundary
        {R"({"x": 9, "y": 9})", "00100000"},                                     // apart, extents apart
        {R"({"paths": [[[2,2],[9,2]]]})", "01001000"},                           // a line leaving it
        {R"({"rings": [[[2,2],[2,6],[6,6],[6,2],[2,2]]]})", "00001100"},         // overlapping
        {R"({"rings": [[[4,0],[4,4],[8,4],[8,0],[4,0]]]})", "00001010"},         // sharing an edge
        {R"({"rings": [[[0,0],[0,4],[4,4],[4,0],[0,0]]]})", "10011001"},         // itself
        {R"({"xmin": 1, "ymin": 1, "xmax": 2, "ymax": 2})", "10001000"},         // an envelope inside
        {R"({"rings": []})", "00100000"},                                        // empty
        {R"({"points": []})", "00100000"},
    };
    for (const Case& c : cases) EXPECT_EQ(answers(square, c.other), c.expected) << c.other;
}

TEST_F(EngineRelationsTest, LargeGeometriesAnswerAsSmallOnes) {
    // A 400-vertex square answers through its prepared form, from either side.
    std::string big = R"({"rings": [[)";
    for (int i = 0; i < 100; ++i) big += "[0," + std::to_string(i * 0.04) + "],";
    for (int i = 0; i < 100; ++i) big += "[" + std::to_string(i * 0.04) + ",4],";
    for (int i = 0; i < 100; ++i) big += "[4," + std::to_string(4 - i * 0.04) + "],";
    for (int i = 0; i < 100; ++i) big += "[" + std::to_string(4 - i * 0.04) + ",0],";
    big += "[0,0]]]}";
    for (const char* other : {R"({"x": 2, "y": 2})", R"({"paths": [[[2,2],[9,2]]]})",
                              R"({"rings": [[[2,2],[2,6],[6,6],[6,2],[2,2]]]})", R"({"x": 4, "y": 2})"}) {
        EXPECT_EQ(answers(big, other), answers(square, other)) << other;
        EXPECT_EQ(answers(other, big), answers(other, square)) << other;
    }
}

TEST_F(EngineRelationsTest, RelatePatterns) {
    auto a = read(square), inside = read(R"({"x": 1, "y": 1})");
    EXPECT_TRUE(GK_GeometryEngine_relate(a, inside, "T*****FF*", h));
    EXPECT_FALSE(GK_GeometryEngine_relate(inside, a, "T*****FF*", h));
    EXPECT_TRUE(GK_GeometryEngine_relate(inside, a, "0FFFFF212", h));
    ASSERT_TRUE(no_errors());
    for (const char* bad : {"T*****FF", "T*****FF**", "T*****FFx", "", "t*****FF*"}) {
        EXPECT_FALSE(GK_GeometryEngine_relate(a, inside, bad, h));
        EXPECT_EQ(single_error(), std::string("relation pattern must be 9 characters of T, F, *, 0, 1, 2: got \"") +
                                      bad + "\".");
    }
    EXPECT_FALSE(GK_GeometryEngine_relate(a, inside, nullptr, h));
    EXPECT_EQ(take_errors().size(), 1u);
}

TEST_F(EngineRelationsTest, SpatialReferencesMustAgree) {
    auto web = read(R"({"x": 1, "y": 1, "spatialReference": {"wkid": 3857}})");
    auto web_again = read(R"({"x": 1, "y": 1, "spatialReference": {"wkid": 3857}})");
    auto geographic = read(R"({"x": 1, "y": 1, "spatialReference": {"wkid": 4326}})");
    auto none = read(R"({"x": 1, "y": 1})");
    EXPECT_TRUE(GK_GeometryEngine_equals(web, web_again, h));
    EXPECT_TRUE(GK_GeometryEngine_equals(web, none, h));
    ASSERT_TRUE(no_errors());
    EXPECT_FALSE(GK_GeometryEngine_intersects(web, geographic, h));
    EXPECT_EQ(single_error(), "the geometries have different spatial references: wkid 3857 and wkid 4326.");
}

}  // namespace
