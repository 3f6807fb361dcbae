// Memory held by large parts, counted from the capacities of their arrays.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "core/curve_part.hpp"
#include "core/part.hpp"

using velmor::core::Coord;
using velmor::core::CurvePart;
using velmor::core::Dims;
using velmor::core::Linear;
using velmor::core::Part;

namespace {

constexpr std::size_t kVertices = 1'000'000;

// The per-vertex cost of the curve store of a straight vertex is its entry.
static_assert(sizeof(velmor::core::CurveStore::Entry) == 8);

TEST(Memory, AnXYPartCostsSixteenBytesPerVertex) {
    Part reserved(Dims::XY);
    reserved.reserve(kVertices);
    for (std::size_t i = 0; i < kVertices; ++i)
        reserved.push(double(i), -double(i), std::nullopt, std::nullopt);
    EXPECT_EQ(reserved.heap_bytes(), 16 * kVertices);

    const Part columns = Part::from_columns(std::vector<double>(kVertices), std::vector<double>(kVertices));
    EXPECT_EQ(columns.heap_bytes(), 16 * kVertices);

    // Grown one vertex at a time, the slack of geometric growth stays below one doubling.
    Part grown(Dims::XY);
    for (std::size_t i = 0; i < kVertices; ++i) grown.push(Coord::xy(double(i), 0));
    EXPECT_LT(grown.heap_bytes(), 32 * kVertices);
    RecordProperty("grown_xy_part_bytes", std::to_string(grown.heap_bytes()));
}

TEST(Memory, StraightVerticesOfACurvePartAddOnlyTheirEntries) {
    CurvePart reserved(Dims::XY);
    reserved.reserve(kVertices);
    for (std::size_t i = 0; i < kVertices; ++i) ASSERT_TRUE(reserved.push(Coord::xy(double(i), 0), Linear{}));
    EXPECT_EQ(reserved.vertices().heap_bytes(), 16 * kVertices);
    EXPECT_EQ(reserved.heap_bytes() - reserved.vertices().heap_bytes(), 8 * kVertices);

    CurvePart grown(Dims::XY);
    for (std::size_t i = 0; i < kVertices; ++i) ASSERT_TRUE(grown.push(Coord::xy(double(i), 0), Linear{}));
    const std::size_t added = grown.heap_bytes() - grown.vertices().heap_bytes();
    EXPECT_LE(added, 16 * kVertices);
    RecordProperty("grown_curve_entries_bytes", std::to_string(added));

    // A straight part taken over whole costs the same as one reserved up front.
    const CurvePart converted(
        Part::from_columns(std::vector<double>(kVertices), std::vector<double>(kVertices)));
    EXPECT_EQ(converted.heap_bytes(), 24 * kVertices);
}

}  // namespace
