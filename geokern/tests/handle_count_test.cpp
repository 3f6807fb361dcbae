// Handles are counted per thread and their blocks kept per thread; a handle may be made on one thread
// and released on another, and threads end with handles of theirs still alive.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "handle_count.hpp"
#include "interface.hpp"

namespace {

// More than a thread keeps on its block lists, so that released blocks also go back to the allocator.
constexpr int kPoints = 3000;

std::vector<GK_GeometryHandle> points_made_on_another_thread() {
    std::vector<GK_GeometryHandle> points;
    std::thread maker([&] {
        for (int i = 0; i < kPoints; ++i) points.push_back(GK_Point_createWithXY(i, -i, nullptr));
    });
    maker.join();
    return points;
}

TEST(HandleCount, CountsHandlesOfEndedThreadsUntilAnotherThreadReleasesThem) {
    const int64_t before = geokern::live_handle_count();
    const std::vector<GK_GeometryHandle> points = points_made_on_another_thread();
    EXPECT_EQ(geokern::live_handle_count(), before + kPoints);
    std::thread releaser([&] {
        for (GK_GeometryHandle point : points) GK_Geometry_destroy(point, nullptr);
    });
    releaser.join();
    EXPECT_EQ(geokern::live_handle_count(), before);
}

TEST(HandleCount, ReusedBlocksHoldTheirNewValues) {
    const int64_t before = geokern::live_handle_count();
    // Released here, so this thread's lists hold the blocks the next points are made in.
    for (GK_GeometryHandle point : points_made_on_another_thread()) GK_Geometry_destroy(point, nullptr);
    std::vector<GK_GeometryHandle> again;
    for (int i = 0; i < kPoints; ++i) again.push_back(GK_Point_createWithXYZ(0.5 * i, 2.0 * i, 7.0, nullptr));
    for (int i = 0; i < kPoints; ++i) {
        ASSERT_EQ(GK_Point_getX(again[i], nullptr), 0.5 * i);
        ASSERT_EQ(GK_Point_getY(again[i], nullptr), 2.0 * i);
        ASSERT_EQ(GK_Point_getZ(again[i], nullptr), 7.0);
    }
    EXPECT_EQ(geokern::live_handle_count(), before + kPoints);
    for (GK_GeometryHandle point : again) GK_Geometry_destroy(point, nullptr);
    EXPECT_EQ(geokern::live_handle_count(), before);
}

}  // namespace
