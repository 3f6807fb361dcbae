// Released point handles are kept per thread and rewritten in place for the next point: a reused one
// must look brand new, in its numbers, its z and m, its spatial reference and its name in the engine's
// caches, and a value still held elsewhere must never be rewritten.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>

#include "geometry/geometry_value.hpp"
#include "handle_count.hpp"
#include "interface.hpp"

namespace {

GK_GeometryHandle point_xy(double x, double y) { return GK_Point_createWithXY(x, y, nullptr); }

TEST(PointHandles, AReusedPointTakesItsOwnDimensionsAndSpatialReference) {
    GK_SpatialReferenceHandle wgs84 = GK_SpatialReference_create(4326, nullptr);
    ASSERT_NE(wgs84, nullptr);
    GK_Geometry_destroy(GK_Point_createWithZMSpatialReference(1, 2, 3, 4, wgs84, nullptr), nullptr);

    GK_GeometryHandle plain = point_xy(5, 6);
    EXPECT_EQ(GK_Point_getX(plain, nullptr), 5);
    EXPECT_EQ(GK_Point_getY(plain, nullptr), 6);
    EXPECT_FALSE(GK_Geometry_getHasZ(plain, nullptr));
    EXPECT_FALSE(GK_Geometry_getHasM(plain, nullptr));
    EXPECT_TRUE(std::isnan(GK_Point_getZ(plain, nullptr)));
    EXPECT_TRUE(std::isnan(GK_Point_getM(plain, nullptr)));
    EXPECT_EQ(GK_Geometry_getSpatialReference(plain, nullptr), nullptr);
    GK_Geometry_destroy(plain, nullptr);

    GK_GeometryHandle measured = GK_Point_createWithMSpatialReference(7, 8, 9, wgs84, nullptr);
    EXPECT_FALSE(GK_Geometry_getHasZ(measured, nullptr));
    EXPECT_EQ(GK_Point_getM(measured, nullptr), 9);
    GK_SpatialReferenceHandle kept = GK_Geometry_getSpatialReference(measured, nullptr);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(GK_SpatialReference_equals(kept, wgs84, nullptr));
    GK_SpatialReference_destroy(kept, nullptr);
    GK_Geometry_destroy(measured, nullptr);
    GK_SpatialReference_destroy(wgs84, nullptr);
}

// The engine caches the GEOS form of a geometry under the value's name: a rewritten value needs a new one.
TEST(PointHandles, TheEngineSeesTheNewCoordinatesOfAReusedPoint) {
    GK_GeometryHandle square =
        GK_Geometry_fromJSON(R"({"rings":[[[1,1],[1,2],[2,2],[2,1],[1,1]]]})", nullptr);
    ASSERT_NE(square, nullptr);
    GK_GeometryHandle outside = point_xy(0, 0);
    EXPECT_FALSE(GK_GeometryEngine_intersects(outside, square, nullptr));
    GK_Geometry_destroy(outside, nullptr);
    GK_GeometryHandle inside = point_xy(1.5, 1.5);
    EXPECT_TRUE(GK_GeometryEngine_intersects(inside, square, nullptr));
    GK_Geometry_destroy(inside, nullptr);
    GK_Geometry_destroy(square, nullptr);
}

TEST(PointHandles, AValueHeldElsewhereIsNeverRewritten) {
    GK_GeometryHandle first = point_xy(1, 2);
    const std::shared_ptr<geokern::GeometryValue> held = geokern::shared_value(first);
    GK_Geometry_destroy(first, nullptr);
    GK_GeometryHandle second = point_xy(3, 4);
    EXPECT_EQ(held->point.x, 1);
    EXPECT_EQ(held->point.y, 2);
    EXPECT_EQ(GK_Point_getX(second, nullptr), 3);
    GK_Geometry_destroy(second, nullptr);
}

// Kept handles are no live handles, and a thread that ends with some kept gives them back (the leak
// check of the sanitizer run sees any that stay).
TEST(PointHandles, KeptHandlesAreNotCountedAndEndWithTheirThread) {
    const int64_t before = geokern::live_handle_count();
    std::thread worker([] {
        GK_GeometryHandle points[] = {point_xy(1, 1), point_xy(2, 2), point_xy(3, 3)};
        for (GK_GeometryHandle point : points) GK_Geometry_destroy(point, nullptr);
    });
    worker.join();
    EXPECT_EQ(geokern::live_handle_count(), before);
    GK_GeometryHandle point = point_xy(1, 1);
    EXPECT_EQ(geokern::live_handle_count(), before + 1);
    GK_Geometry_destroy(point, nullptr);
    EXPECT_EQ(geokern::live_handle_count(), before);
}

}  // namespace
