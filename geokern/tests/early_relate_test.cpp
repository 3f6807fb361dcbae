// The early relation layer against GEOS's full relate, on generated pairs of areas and of lines whose
// vertices lie on a small grid, so that they touch, share edges, run along each other and cross at
// vertices: every answer the layer gives is GEOS's, and for valid inputs it finds the whole matrix.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/early_relate.hpp"
#include "engine/geos_cache.hpp"
#include "engine/relation_predicates.hpp"
#include "json_test_support.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

using Points = std::vector<std::pair<int, int>>;

std::string json_points(const Points& points) {
    std::string text = "[";
    for (const auto& [x, y] : points) text += "[" + std::to_string(x) + "," + std::to_string(y) + "],";
    text.back() = ']';
    return text;
}

std::string json_of(const char* key, const std::vector<Points>& parts) {
    std::string text = std::string("{\"") + key + "\": [";
    for (const Points& part : parts) text += json_points(part) + ",";
    text.back() = ']';
    return text + "}";
}

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int coordinate(int most) { return std::uniform_int_distribution<int>(0, most)(random_); }

    // A ring around a grid point by angle, its vertices snapped to the grid (so it may have collinear
    // and repeated vertices), closed.
    Points star() {
        const double cx = coordinate(8), cy = coordinate(8);
        std::vector<double> angles;
        for (int i = std::uniform_int_distribution<int>(3, 7)(random_); i > 0; --i) {
            angles.push_back(std::uniform_real_distribution<double>(0, 2 * std::numbers::pi)(random_));
        }
        std::sort(angles.rbegin(), angles.rend());
        Points ring;
        for (double angle : angles) {
            const double r = std::uniform_real_distribution<double>(1, 4)(random_);
            ring.emplace_back(static_cast<int>(std::lround(cx + r * std::cos(angle))),
                              static_cast<int>(std::lround(cy + r * std::sin(angle))));
        }
        ring.push_back(ring.front());
        return ring;
    }

    // A rectangle, clockwise, with a vertex in the middle of its lower edge when that falls on the grid.
    Points rectangle() {
        const int x = coordinate(6), y = coordinate(6), w = 1 + coordinate(4), h = 1 + coordinate(4);
        Points ring{{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}};
        if (w % 2 == 0) ring.emplace_back(x + w / 2, y);
        ring.emplace_back(x, y);
        return ring;
    }

    std::string area() {
        switch (coordinate(3)) {
            case 0: return json_of("rings", {star()});
            case 1: {
                // A rectangle with a rectangular hole, which may touch its outer ring.
                const int x = coordinate(4), y = coordinate(4), w = 4 + coordinate(3), h = 4 + coordinate(3);
                const int hx = x + coordinate(2), hy = y + 1 + coordinate(1);
                return json_of("rings", {{{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}, {x, y}},
                                         {{hx, hy}, {hx + 2, hy}, {hx + 2, hy + 2}, {hx, hy + 2}, {hx, hy}}});
            }
            case 2: return json_of("rings", {rectangle(), rectangle()});
            default: return json_of("rings", {rectangle()});
        }
    }

    Points path() {
        Points path;
        for (int i = std::uniform_int_distribution<int>(2, 5)(random_); i > 0; --i) {
            path.emplace_back(coordinate(8), coordinate(8));
        }
        if (coordinate(5) == 0) path.push_back(path.front());  // closed: no boundary
        if (coordinate(5) == 0) path.insert(path.begin() + 1, path.front());  // a repeated vertex
        return path;
    }

    std::string line() {
        if (coordinate(2) == 0) return json_of("paths", {path(), path()});
        return json_of("paths", {path()});
    }

  private:
    std::mt19937 random_;
};

struct NamedPredicate {
    Predicate predicate;
    char (*full)(GEOSContextHandle_t, const GEOSGeometry*, const GEOSGeometry*);
};
const NamedPredicate predicates[] = {
    {Predicate::contains, GEOSContains_r}, {Predicate::crosses, GEOSCrosses_r},
    {Predicate::disjoint, GEOSDisjoint_r}, {Predicate::equals, GEOSEquals_r},
    {Predicate::intersects, GEOSIntersects_r}, {Predicate::overlaps, GEOSOverlaps_r},
    {Predicate::touches, GEOSTouches_r}, {Predicate::within, GEOSWithin_r},
};

MatrixQuestion pattern_question(const std::string& pattern) {
    return [pattern](const MatrixBounds& matrix, int, int) { return matrix.matches(pattern); };
}

MatrixQuestion predicate_question(Predicate predicate) {
    return [predicate](const MatrixBounds& matrix, int a, int b) { return predicate_of(predicate, matrix, a, b); };
}

class EarlyRelateTest : public json_test::JsonTest {
  protected:
    // Every early answer about (a, b) against GEOS's full relate, for valid areas and simple lines,
    // which the layer must answer whole: the matrix itself as a pattern, and every predicate.
    void compare(const std::string& a_text, const std::string& b_text) {
        auto a = read(a_text), b = read(b_text);
        ASSERT_TRUE(no_errors()) << a_text << " / " << b_text;
        const auto form_a = geos_form(value_of(a.get())), form_b = geos_form(value_of(b.get()));
        const GEOSGeometry* ga = form_a->geometry();
        const GEOSGeometry* gb = form_b->geometry();
        // GEOS's relate of areas whose rings cross is no topology to hold answers to, and it nodes a
        // line that crosses itself at rounded points, and so misjudges it (a piece of such a line may
        // come out not within it); the Python suite checks such lines against shapely's newer GEOS.
        if (!valid(ga) || !valid(gb)) return;
        char* full = GEOSRelate_r(geos(), ga, gb);
        ASSERT_NE(full, nullptr) << a_text << " / " << b_text;
        const std::string matrix(full);
        GEOSFree_r(geos(), full);
        // Empty inputs and paths without length are left to GEOS; the layer answers everything else.
        const bool answerable = form_a->edges() != nullptr && form_b->edges() != nullptr &&
                                form_a->edges()->usable() && form_b->edges()->usable();
        const std::string where = a_text + " / " + b_text + ": " + matrix;

        const std::optional<bool> whole = early_answer(*form_a, *form_b, pattern_question(matrix));
        if (answerable) {
            EXPECT_EQ(whole, std::optional<bool>(true)) << where;
        } else if (whole) {
            EXPECT_TRUE(*whole) << where;
        }
        for (size_t i = 0; i < 9; ++i) {
            for (char entry : std::string("TF012")) {
                std::string pattern(9, '*');
                pattern[i] = entry;
                const auto early = early_answer(*form_a, *form_b, pattern_question(pattern));
                if (early) {
                    EXPECT_EQ(*early, GEOSRelatePatternMatch_r(geos(), matrix.c_str(), pattern.c_str()) == 1)
                        << where << " " << pattern;
                }
            }
        }
        for (const NamedPredicate& named : predicates) {
            const auto early = early_answer(*form_a, *form_b, predicate_question(named.predicate));
            if (answerable) {
                EXPECT_TRUE(early.has_value()) << where << " predicate " << static_cast<int>(named.predicate);
            }
            if (early) {
                EXPECT_EQ(*early, named.full(geos(), ga, gb) == 1)
                    << where << " predicate " << static_cast<int>(named.predicate);
            }
        }
    }

    static bool valid(const GEOSGeometry* g) {
        if (GEOSGeomTypeId_r(geos(), g) == GEOS_MULTILINESTRING) return GEOSisSimple_r(geos(), g) == 1;
        return GEOSisValid_r(geos(), g) == 1;
    }
};

TEST_F(EarlyRelateTest, AreasOnAGridAnswerAsGeosFullRelate) {
    Generator generate(24);
    for (int i = 0; i < 1500; ++i) {
        const std::string a = generate.area();
        // Every fifth pair is an area with itself, every fifth one with a copy of itself.
        const std::string b = i % 5 == 0 ? a : generate.area();
        compare(a, b);
    }
}

TEST_F(EarlyRelateTest, LinesOnAGridAnswerAsGeosFullRelate) {
    Generator generate(42);
    for (int i = 0; i < 1500; ++i) {
        const std::string a = generate.line();
        const std::string b = i % 5 == 0 ? a : generate.line();
        compare(a, b);
    }
}

TEST_F(EarlyRelateTest, FixturesOfEachKindOfMeeting) {
    const char* square = R"({"rings": [[[0,0],[0,4],[4,4],[4,0],[0,0]]]})";
    const char* others[] = {
        R"({"rings": [[[4,0],[4,4],[8,4],[8,0],[4,0]]]})",                 // a shared edge
        R"({"rings": [[[4,1],[4,3],[8,3],[8,1],[4,1]]]})",                 // part of an edge
        R"({"rings": [[[4,4],[4,8],[8,8],[8,4],[4,4]]]})",                 // a corner
        R"({"rings": [[[4,2],[6,4],[6,0],[4,2]]]})",                       // a vertex on an edge
        R"({"rings": [[[2,2],[2,6],[6,6],[6,2],[2,2]]]})",                 // overlapping
        R"({"rings": [[[1,1],[1,3],[3,3],[3,1],[1,1]]]})",                 // inside
        R"({"rings": [[[0,0],[0,2],[2,2],[2,0],[0,0]]]})",                 // inside, at a corner
        R"({"rings": [[[0,0],[0,4],[2,4],[4,4],[4,0],[0,0]]]})",           // equal, one more vertex
        R"({"rings": [[[-1,-1],[-1,5],[5,5],[5,-1],[-1,-1]],[[0,0],[4,0],[4,4],[0,4],[0,0]]]})",  // its hole
        R"({"rings": [[[5,0],[5,1],[6,1],[6,0],[5,0]]]})",                 // apart, extents apart
        R"({"rings": [[[1,5],[5,5],[5,1],[4.5,1],[4.5,4.5],[1,4.5],[1,5]]]})",  // apart, extents meet
    };
    for (const char* other : others) {
        compare(square, other);
        compare(other, square);
    }
    const char* line = R"({"paths": [[[0,0],[4,0],[4,4]]]})";
    const char* lines[] = {
        R"({"paths": [[[4,4],[8,8]]]})",            // end to end
        R"({"paths": [[[2,0],[2,3]]]})",            // an end on the interior
        R"({"paths": [[[2,-1],[2,3]]]})",           // a proper crossing
        R"({"paths": [[[1,0],[3,0]]]})",            // inside
        R"({"paths": [[[3,0],[6,0]]]})",            // overlapping
        R"({"paths": [[[4,4],[4,0],[0,0]]]})",      // equal, reversed
        R"({"paths": [[[0,0],[4,0]],[[4,0],[4,4]]]})",  // equal, in two paths
        R"({"paths": [[[0,0],[4,4],[0,4],[0,0]]]})",    // closed, through both ends
        R"({"paths": [[[5,5],[6,6]]]})",            // apart
    };
    for (const char* other : lines) {
        compare(line, other);
        compare(other, line);
    }
}

}  // namespace
