#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/ovrajson_writer.hpp"
#include "core/part.hpp"
#include "native_model_helpers.hpp"

using velmor::core::Coord;
using velmor::core::Dims;
using velmor::core::Part;
using velmor::test::same_coord;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

Part part_of(Dims dims, std::initializer_list<Coord> coords) {
    Part part(dims);
    for (const Coord& c : coords) part.push(c);
    return part;
}

TEST(Part, StoredCoordinatesAreAdaptedToThePartsDimensionality) {
    struct Case {
        Dims part;
        Coord stored;
        Coord read_back;
    } cases[] = {
        {Dims::XYZM, Coord::xy(1, 2), Coord::xyzm(1, 2, kNaN, kNaN)},
        {Dims::XY, Coord::xyzm(1, 2, 3, 4), Coord::xy(1, 2)},
        {Dims::XYZ, Coord::xym(1, 2, 7), Coord::xyz(1, 2, kNaN)},
        {Dims::XYM, Coord::xyz(1, 2, 7), Coord::xym(1, 2, kNaN)},
        {Dims::XYM, Coord::xyzm(1, 2, 3, 4), Coord::xym(1, 2, 4)},
        {Dims::XYZ, Coord::xyzm(1, 2, 3, 4), Coord::xyz(1, 2, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.text() + " into " + std::string(velmor::core::upper_name(c.part)));
        // Every way of writing a vertex adapts the same way.
        Part pushed(c.part);
        pushed.push(c.stored);
        Part inserted = part_of(c.part, {Coord::xy(0, 0)});
        inserted.insert(0, c.stored);
        Part replaced = part_of(c.part, {Coord::xy(0, 0)});
        replaced.set(0, c.stored);
        Part from_values(c.part);
        from_values.push(c.stored.x(), c.stored.y(), c.stored.z(), c.stored.m());
        for (const Part* part : {&pushed, &inserted, &replaced, &from_values}) {
            EXPECT_EQ(part->dims(), c.part);
            EXPECT_TRUE(same_coord(*part->get(0), c.read_back)) << part->get(0)->text();
        }
    }
}

TEST(Part, PushBufferFillsPresentColumnsInOrder) {
    struct Case {
        Dims part;
        std::vector<double> buffer;
        Coord read_back;
    } cases[] = {
        {Dims::XYZ, {1, 2}, Coord::xyz(1, 2, kNaN)},
        {Dims::XY, {1, 2, 3, 4, 5}, Coord::xy(1, 2)},
        {Dims::XYM, {1, 2, 5}, Coord::xym(1, 2, 5)},
        {Dims::XYZM, {1, 2, 5}, Coord::xyzm(1, 2, 5, kNaN)},
        {Dims::XYZM, {1, 2, 5, 7, 9}, Coord::xyzm(1, 2, 5, 7)},
        {Dims::XY, {1}, Coord::xy(1, kNaN)},
    };
    for (const Case& c : cases) {
        Part part(c.part);
        part.push_buffer(c.buffer);
        ASSERT_EQ(part.size(), 1U);
        EXPECT_TRUE(same_coord(*part.get(0), c.read_back)) << part.get(0)->text();
    }
}

TEST(Part, OutOfRangeGivesAbsentAndChangesNothing) {
    Part part = part_of(Dims::XYZ, {Coord::xyz(0, 0, 0), Coord::xyz(1, 1, 1), Coord::xyz(2, 2, 2)});
    const std::string before = velmor::core::write_ovrajson(part);
    EXPECT_FALSE(part.get(3));
    EXPECT_FALSE(part.set(3, Coord::xy(9, 9)));
    EXPECT_FALSE(part.remove(3));
    EXPECT_FALSE(part.get(static_cast<std::size_t>(-1)));
    EXPECT_EQ(velmor::test::internal_failure_of([&] { part.insert(4, Coord::xy(9, 9)); }),
              "Internal error: Part::insert beyond the end");
    EXPECT_EQ(velmor::core::write_ovrajson(part), before);

    Part empty(Dims::XY);
    EXPECT_FALSE(empty.pop());
    EXPECT_FALSE(empty.get(0));
    EXPECT_EQ(empty.size(), 0U);
}

TEST(Part, InsertRemoveAndPopShiftEveryColumn) {
    Part part =
        part_of(Dims::XYZM, {Coord::xyzm(1, 1, 1, 1), Coord::xyzm(2, 2, 2, 2), Coord::xyzm(3, 3, 3, 3)});
    part.insert(0, Coord::xyzm(0, 0, 0, 0));
    EXPECT_EQ(velmor::core::write_ovrajson(part), "[[0, 0, 0, 0], [1, 1, 1, 1], [2, 2, 2, 2], [3, 3, 3, 3]]");
    part.insert(4, Coord::xy(4, 4));
    EXPECT_EQ(part.size(), 5U);

    const auto removed = part.remove(1);
    ASSERT_TRUE(removed);
    EXPECT_TRUE(same_coord(*removed, Coord::xyzm(1, 1, 1, 1)));
    const auto popped = part.pop();
    ASSERT_TRUE(popped);
    EXPECT_TRUE(same_coord(*popped, Coord::xyzm(4, 4, kNaN, kNaN)));
    EXPECT_EQ(velmor::core::write_ovrajson(part), "[[0, 0, 0, 0], [2, 2, 2, 2], [3, 3, 3, 3]]");

    const auto previous = part.set(2, Coord::xyz(9, 9, 9));
    ASSERT_TRUE(previous);
    EXPECT_TRUE(same_coord(*previous, Coord::xyzm(3, 3, 3, 3)));
    EXPECT_EQ(velmor::core::write_ovrajson(part), "[[0, 0, 0, 0], [2, 2, 2, 2], [9, 9, 9, NaN]]");
}

TEST(Part, ClearKeepsTheDimensionality) {
    Part part = part_of(Dims::XYZM, {Coord::xyzm(1, 2, 3, 4)});
    part.clear();
    EXPECT_EQ(part.size(), 0U);
    EXPECT_EQ(part.dims(), Dims::XYZM);
    EXPECT_TRUE(part.zs().has_value());
    EXPECT_TRUE(part.ms().has_value());
    part.push(Coord::xy(5, 6));
    EXPECT_TRUE(same_coord(*part.get(0), Coord::xyzm(5, 6, kNaN, kNaN)));
}

TEST(Part, FromColumnsTakesTheColumnsAndExposesThem) {
    const Part part = Part::from_columns({1, 2}, {3, 4}, std::nullopt, std::vector<double>{5, 6});
    EXPECT_EQ(part.dims(), Dims::XYM);
    EXPECT_FALSE(part.zs());
    ASSERT_TRUE(part.ms());
    EXPECT_EQ((*part.ms())[1], 6);
    EXPECT_EQ(part.xs()[1], 2);
    EXPECT_EQ(part.ys()[0], 3);
    EXPECT_TRUE(same_coord(*part.get(1), Coord::xym(2, 4, 6)));

    EXPECT_EQ(velmor::test::internal_failure_of([] { Part::from_columns({1, 2}, {3}); }),
              "Internal error: part columns of different lengths");
}

TEST(Part, CopiesAreIndependent) {
    Part part = part_of(Dims::XY, {Coord::xy(1, 2)});
    Part copy = part;
    copy.set(0, Coord::xy(7, 7));
    EXPECT_EQ(velmor::core::write_ovrajson(part), "[[1, 2]]");
    EXPECT_EQ(velmor::core::write_ovrajson(copy), "[[7, 7]]");
}

TEST(Part, GrowingAndShiftingKeepEveryColumnInPlace) {
    // All columns share one block, each as long as the capacity: a column read at the wrong offset
    // after the block grows or shrinks shows up as a wrong z or m.
    for (const Dims dims : {Dims::XY, Dims::XYZ, Dims::XYM, Dims::XYZM}) {
        SCOPED_TRACE(std::string(velmor::core::upper_name(dims)));
        const auto vertex = [](double k) { return Coord::xyzm(k, 10 * k, 100 * k, 1000 * k); };
        std::vector<double> expected;
        Part part(dims);
        for (int k = 0; k < 37; ++k) {
            part.push(vertex(k));
            expected.push_back(k);
        }
        part.insert(5, vertex(-1));
        expected.insert(expected.begin() + 5, -1);
        part.remove(20);
        expected.erase(expected.begin() + 20);
        part.shrink_to_fit();
        Part copy = part;
        for (const Part* read : {&part, &copy}) {
            ASSERT_EQ(read->size(), expected.size());
            EXPECT_EQ(read->heap_bytes(), expected.size() * velmor::core::buffer_len(dims) * sizeof(double));
            for (std::size_t i = 0; i < expected.size(); ++i) {
                const Coord want = *part_of(dims, {vertex(expected[i])}).get(0);
                ASSERT_TRUE(same_coord(*read->get(i), want)) << i << ": " << read->get(i)->text();
            }
        }
    }
}

TEST(Part, AMovedFromPartIsEmptyAndUsable) {
    Part part = part_of(Dims::XYZ, {Coord::xyz(1, 2, 3), Coord::xyz(4, 5, 6)});
    Part taken = std::move(part);
    EXPECT_EQ(velmor::core::write_ovrajson(taken), "[[1, 2, 3], [4, 5, 6]]");
    EXPECT_EQ(part.size(), 0U);  // NOLINT(bugprone-use-after-move): the state after a move is defined
    part.push(Coord::xyz(7, 8, 9));
    EXPECT_EQ(velmor::core::write_ovrajson(part), "[[7, 8, 9]]");
}

}  // namespace
