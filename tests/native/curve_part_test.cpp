#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/curve_part.hpp"
#include "core/ovrajson_writer.hpp"
#include "native_model_helpers.hpp"

using velmor::core::BezierCurve;
using velmor::core::CircularArc;
using velmor::core::Coord;
using velmor::core::CurveData;
using velmor::core::CurvePart;
using velmor::core::Dims;
using velmor::core::EllipticArc;
using velmor::core::Linear;
using velmor::core::Result;
using velmor::test::same_coord;

namespace {

const CurveData kArc = CircularArc{1, 1};
const CurveData kEllipse = EllipticArc{0, 0, 0.5, 2, 0.5, true, false};
const CurveData kBezier = BezierCurve{1, 2, 3, 4};

CurvePart curve_part(std::initializer_list<std::pair<Coord, CurveData>> vertices) {
    CurvePart part(Dims::XY);
    for (const auto& [coord, curve] : vertices) EXPECT_TRUE(part.push(coord, curve));
    return part;
}

std::string text(const CurvePart& part) {
    return velmor::core::write_ovrajson(part);
}

template <class T>
std::string error_display(const Result<T>& result) {
    return result ? std::string("<success>") : result.error().display();
}

TEST(CurvePart, MutationsThatWouldCurveTheStartAreRefusedAndChangeNothing) {
    const std::string prefix = "Curved parts must have starting vertex with no curve data: '";
    struct Case {
        const char* name;
        CurvePart part;
        std::function<std::string(CurvePart&)> act;
        std::string refusal;
    };
    std::vector<Case> cases;
    cases.push_back({"push on empty", CurvePart(Dims::XY),
                     [](CurvePart& p) { return error_display(p.push(Coord::xy(0, 0), kArc)); },
                     "CurvePart::push curve data on empty"});
    cases.push_back({"insert at 0", curve_part({{Coord::xy(0, 0), Linear{}}}),
                     [](CurvePart& p) { return error_display(p.insert(0, Coord::xy(5, 5), kBezier)); },
                     "CurvePart::insert nonlinear curve data at index 0"});
    cases.push_back({"set at 0", curve_part({{Coord::xy(0, 0), Linear{}}, {Coord::xy(2, 0), kArc}}),
                     [](CurvePart& p) { return error_display(p.set(0, Coord::xy(5, 5), kEllipse)); },
                     "CurvePart::set nonlinear curve data at index 0"});
    cases.push_back({"set curve at 0", curve_part({{Coord::xy(0, 0), Linear{}}}),
                     [](CurvePart& p) { return error_display(p.set_curve(0, kArc)); },
                     "CurvePart::set nonlinear curve data at index 0"});
    cases.push_back({"remove 0 before a curve",
                     curve_part({{Coord::xy(0, 0), Linear{}}, {Coord::xy(2, 0), kBezier}}),
                     [](CurvePart& p) { return error_display(p.remove(0)); },
                     "CurvePart::remove first curve, curve that would replace it is nonlinear"});
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = text(c.part);
        const std::size_t size = c.part.size();
        EXPECT_EQ(c.act(c.part), prefix + c.refusal + "'");
        EXPECT_EQ(text(c.part), before);
        EXPECT_EQ(c.part.size(), size);
        EXPECT_EQ(c.part.curves().size(), size);
    }
}

TEST(CurvePart, StraightStartsAreAccepted) {
    CurvePart part(Dims::XY);
    ASSERT_TRUE(part.push(Coord::xy(0, 0), Linear{}));
    ASSERT_TRUE(part.push(Coord::xy(2, 0), kArc));
    // A straight vertex may always go first; the old start keeps its straight segment.
    ASSERT_TRUE(part.insert(0, Coord::xy(-1, 0), Linear{}));
    EXPECT_EQ(text(part), "[[-1, 0], [0, 0], {\"c\": [[2, 0], [1, 1]]}]");
    // Removing the start is fine when its successor is straight, and for a lone vertex.
    ASSERT_TRUE(part.remove(0));
    EXPECT_EQ(text(part), "[[0, 0], {\"c\": [[2, 0], [1, 1]]}]");
    // The vertex of the start can always be replaced.
    EXPECT_TRUE(part.set_coord(0, Coord::xy(0, 1)));
    CurvePart single = curve_part({{Coord::xy(0, 0), Linear{}}});
    const auto removed = single.remove(0);
    ASSERT_TRUE(removed);
    ASSERT_TRUE(*removed);
    EXPECT_TRUE(single.empty());
}

TEST(CurvePart, OutOfRangeGivesAbsentAndChangesNothing) {
    CurvePart part = curve_part({{Coord::xy(0, 0), Linear{}}, {Coord::xy(2, 0), kArc}});
    const std::string before = text(part);
    EXPECT_FALSE(part.get(2));
    EXPECT_FALSE(part.curve(2));
    EXPECT_FALSE(part.set_coord(2, Coord::xy(9, 9)));
    const auto set = part.set(2, Coord::xy(9, 9), kBezier);
    ASSERT_TRUE(set);
    EXPECT_FALSE(*set);
    const auto set_curve = part.set_curve(2, kBezier);
    ASSERT_TRUE(set_curve);
    EXPECT_FALSE(*set_curve);
    const auto removed = part.remove(2);
    ASSERT_TRUE(removed);
    EXPECT_FALSE(*removed);
    // Inserting beyond the end breaks the callers' contract: it stops before touching anything.
    EXPECT_EQ(velmor::test::internal_failure_of([&] { (void)part.insert(3, Coord::xy(9, 9), kArc); }),
              "Internal error: CurvePart::insert beyond the end");
    EXPECT_EQ(part.curves().size(), 2U);
    EXPECT_EQ(text(part), before);

    CurvePart empty(Dims::XYZ);
    EXPECT_FALSE(empty.pop());
    // Out of range comes before the start rule: nothing is there to refuse.
    const auto set_on_empty = empty.set(0, Coord::xy(1, 1), kArc);
    ASSERT_TRUE(set_on_empty);
    EXPECT_FALSE(*set_on_empty);
}

TEST(CurvePart, FreedPoolSlotsAreReusedAndEveryVertexKeepsItsCurve) {
    CurvePart part(Dims::XYZ);
    const std::vector<std::pair<Coord, CurveData>> vertices = {
        {Coord::xyz(0, 0, 0), Linear{}},
        {Coord::xyz(1, 0, 1), CircularArc{0.5, 0.5}},
        {Coord::xyz(2, 0, 2), CircularArc{1.5, 0.5}},
        {Coord::xyz(3, 0, 3), kBezier},
        {Coord::xyz(4, 0, 4), CircularArc{3.5, 0.5}},
        {Coord::xyz(5, 0, 5), kEllipse},
    };
    for (const auto& [coord, curve] : vertices) ASSERT_TRUE(part.push(coord, curve));
    const auto slot_of = [&](std::size_t index) { return part.curves().entries()[index].key; };
    const auto freed = slot_of(2);

    const auto removed = part.remove(2);
    ASSERT_TRUE(removed && *removed);
    EXPECT_EQ((*removed)->curve, (CurveData{CircularArc{1.5, 0.5}}));
    ASSERT_TRUE(part.push(Coord::xyz(6, 0, 6), CircularArc{5.5, 0.5}));
    EXPECT_EQ(slot_of(part.size() - 1), freed);
    EXPECT_EQ(part.curves().entries().size(), part.size());

    std::vector<std::pair<Coord, CurveData>> expected = vertices;
    expected.erase(expected.begin() + 2);
    expected.push_back({Coord::xyz(6, 0, 6), CircularArc{5.5, 0.5}});
    ASSERT_EQ(part.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto vertex = part.get(i);
        ASSERT_TRUE(vertex);
        EXPECT_TRUE(same_coord(vertex->coord, expected[i].first)) << i;
        EXPECT_EQ(vertex->curve, expected[i].second) << i;
    }
}

TEST(CurvePart, ReplacingCurveDataFreesTheOldPayload) {
    CurvePart part =
        curve_part({{Coord::xy(0, 0), Linear{}}, {Coord::xy(1, 0), kArc}, {Coord::xy(2, 0), kArc}});
    const auto previous = part.set_curve(1, kBezier);
    ASSERT_TRUE(previous && *previous);
    EXPECT_EQ(**previous, kArc);
    const auto replaced = part.set(2, Coord::xy(3, 3), Linear{});
    ASSERT_TRUE(replaced && *replaced);
    EXPECT_EQ((*replaced)->curve, kArc);
    EXPECT_TRUE(same_coord((*replaced)->coord, Coord::xy(2, 0)));
    EXPECT_EQ(text(part), "[[0, 0], {\"b\": [[1, 0], [1, 2], [3, 4]]}, [3, 3]]");
    // Only the Bezier is still stored.
    EXPECT_TRUE(part.has_curves());
    ASSERT_TRUE(part.set_curve(1, Linear{}));
    EXPECT_FALSE(part.has_curves());
}

TEST(CurvePart, PopAndClear) {
    CurvePart part = curve_part({{Coord::xy(0, 0), Linear{}}, {Coord::xy(1, 0), kEllipse}});
    const auto popped = part.pop();
    ASSERT_TRUE(popped);
    EXPECT_EQ(popped->curve, kEllipse);
    EXPECT_EQ(part.size(), 1U);
    ASSERT_TRUE(part.push(Coord::xy(1, 0), kBezier));
    part.clear();
    EXPECT_TRUE(part.empty());
    EXPECT_EQ(part.dims(), Dims::XY);
    EXPECT_FALSE(part.has_curves());
    // After clearing, the part starts over: the start rule applies again.
    EXPECT_FALSE(part.push(Coord::xy(0, 0), kArc));
}

TEST(CurvePart, FromAPartEverySegmentIsStraight) {
    velmor::core::Part vertices = velmor::core::Part::from_columns({0, 1, 2}, {0, 1, 0});
    const CurvePart part(std::move(vertices));
    EXPECT_EQ(part.size(), 3U);
    EXPECT_EQ(part.curves().size(), 3U);
    EXPECT_EQ(text(part), "[[0, 0], [1, 1], [2, 0]]");
}

}  // namespace
