#include <gtest/gtest.h>

#include "core/slot_pool.hpp"
#include "native_model_helpers.hpp"

using velmor::core::SlotPool;

namespace {

TEST(SlotPool, FreedSlotsAreReusedMostRecentFirst) {
    SlotPool<int> pool;
    EXPECT_EQ(pool.insert(10), 0U);
    EXPECT_EQ(pool.insert(11), 1U);
    EXPECT_EQ(pool.insert(12), 2U);
    EXPECT_EQ(pool.insert(13), 3U);

    EXPECT_EQ(pool.remove(1), 11);
    EXPECT_EQ(pool.remove(3), 13);
    EXPECT_EQ(pool.size(), 2U);

    // 3 was freed last, so it heads the vacant chain; then 1; then the pool grows again.
    EXPECT_EQ(pool.insert(23), 3U);
    EXPECT_EQ(pool.insert(21), 1U);
    EXPECT_EQ(pool.insert(24), 4U);
    EXPECT_EQ(pool.slot_count(), 5U);

    // Keys of untouched values never moved.
    EXPECT_EQ(pool.get(0), 10);
    EXPECT_EQ(pool.get(1), 21);
    EXPECT_EQ(pool.get(2), 12);
    EXPECT_EQ(pool.get(3), 23);
    EXPECT_EQ(pool.get(4), 24);
}

TEST(SlotPool, VacantOrUnknownKeysAreBrokenInvariants) {
    SlotPool<int> pool;
    pool.insert(1);
    pool.insert(2);
    pool.remove(0);
    for (const SlotPool<int>::Key key : {0U, 2U, 100U}) {
        EXPECT_EQ(velmor::test::internal_failure_of([&] { pool.get(key); }), "invalid key");
        EXPECT_EQ(velmor::test::internal_failure_of([&] { pool.remove(key); }), "invalid key");
    }
    EXPECT_EQ(pool.size(), 1U);
    EXPECT_EQ(pool.get(1), 2);
}

TEST(SlotPool, ClearLeavesNoVacantChain) {
    SlotPool<int> pool;
    pool.insert(1);
    pool.insert(2);
    pool.remove(1);
    pool.clear();
    EXPECT_EQ(pool.size(), 0U);
    EXPECT_EQ(pool.slot_count(), 0U);
    EXPECT_EQ(pool.insert(5), 0U);
    EXPECT_EQ(pool.insert(6), 1U);
}

}  // namespace
