#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/curve_multipart.hpp"
#include "core/multipart.hpp"
#include "core/ovrajson_writer.hpp"
#include "native_model_helpers.hpp"

using velmor::core::CircularArc;
using velmor::core::Coord;
using velmor::core::CurveMultipart;
using velmor::core::Dims;
using velmor::core::Linear;
using velmor::core::Multipart;
using velmor::core::Result;
using velmor::core::SharedCurvePart;
using velmor::core::SharedPart;
using velmor::core::write_ovrajson;

namespace {

SharedPart shared_part(Dims dims, std::initializer_list<Coord> coords) {
    SharedPart part = SharedPart::make(dims);
    for (const Coord& c : coords) part.lock()->push(c);
    return part;
}

const std::string kXyzIntoXy = "Mismatching dimensions, expected 'XYZ' but got 'XY'";

TEST(Multipart, PartsOfAnotherDimensionalityAreRefusedBeforeTheIndexIsLookedAt) {
    Multipart multipart(Dims::XYZ);
    ASSERT_TRUE(multipart.push(shared_part(Dims::XYZ, {Coord::xyz(1, 2, 3)})));
    ASSERT_TRUE(multipart.push(shared_part(Dims::XYZ, {})));
    const std::string before = write_ovrajson(multipart);
    const SharedPart xy = shared_part(Dims::XY, {Coord::xy(1, 1)});

    EXPECT_EQ(multipart.push(xy).error().display(), kXyzIntoXy);
    EXPECT_EQ(multipart.insert(0, xy).error().display(), kXyzIntoXy);
    EXPECT_EQ(multipart.set(0, xy).error().display(), kXyzIntoXy);
    EXPECT_EQ(multipart.set(10, xy).error().display(), kXyzIntoXy);
    EXPECT_EQ(write_ovrajson(multipart), before);
    // The refused handle was released by the container.
    EXPECT_EQ(xy.holders(), 1);

    // A fitting part beyond the end: absent, nothing changes, the offered handle is dropped.
    const SharedPart xyz = shared_part(Dims::XYZ, {});
    const auto set = multipart.set(10, xyz);
    ASSERT_TRUE(set);
    EXPECT_FALSE(*set);
    EXPECT_EQ(xyz.holders(), 1);
    EXPECT_EQ(write_ovrajson(multipart), before);
    EXPECT_FALSE(multipart.get(2));
    EXPECT_FALSE(multipart.remove(2));
}

TEST(Multipart, FromPartsStopsAtTheFirstMismatch) {
    std::vector<SharedPart> parts = {shared_part(Dims::XYM, {}), shared_part(Dims::XYZM, {})};
    const auto built = Multipart::from_parts(Dims::XYM, parts);
    ASSERT_FALSE(built);
    EXPECT_EQ(built.error().display(), "Mismatching dimensions, expected 'XYM' but got 'XYZM'");
    EXPECT_EQ(parts[0].holders(), 1);
    const auto fine = Multipart::from_parts(Dims::XYM, {parts[0], parts[0]});
    ASSERT_TRUE(fine);
    EXPECT_EQ(fine->size(), 2U);
}

TEST(Multipart, SharedPartsAreSeenChangedThroughEveryHolder) {
    Multipart multipart(Dims::XY);
    Multipart other(Dims::XY);
    const SharedPart part = shared_part(Dims::XY, {Coord::xy(1, 2)});
    ASSERT_TRUE(multipart.push(part));
    ASSERT_TRUE(multipart.push(part));
    ASSERT_TRUE(other.insert(0, part));

    // Changed through a handle taken out of the container...
    multipart.get(0)->lock()->push(Coord::xy(3, 4));
    EXPECT_EQ(write_ovrajson(multipart), "[[[1, 2], [3, 4]], [[1, 2], [3, 4]]]");
    EXPECT_EQ(write_ovrajson(other), "[[[1, 2], [3, 4]]]");
    // ...and through the original handle.
    part.lock()->set(0, Coord::xy(0, 0));
    EXPECT_EQ(write_ovrajson(*multipart.get(1)->lock()), "[[0, 0], [3, 4]]");

    // A popped part stays alive and keeps its vertices but leaves the container.
    const auto popped = other.pop();
    ASSERT_TRUE(popped);
    EXPECT_TRUE(popped->same_value(part));
    EXPECT_EQ(write_ovrajson(other), "[]");
    EXPECT_EQ(popped->lock()->size(), 2U);
}

TEST(Multipart, SetReturnsThePreviousHandle) {
    Multipart multipart(Dims::XY);
    const SharedPart first = shared_part(Dims::XY, {Coord::xy(1, 1)});
    ASSERT_TRUE(multipart.push(first));
    const auto previous = multipart.set(0, shared_part(Dims::XY, {}));
    ASSERT_TRUE(previous && *previous);
    EXPECT_TRUE((*previous)->same_value(first));
    EXPECT_EQ(write_ovrajson(multipart), "[[]]");
}

TEST(Multipart, TextOfEmptyAndOneVertexParts) {
    Multipart multipart(Dims::XY);
    ASSERT_TRUE(multipart.push(shared_part(Dims::XY, {})));
    ASSERT_TRUE(multipart.push(shared_part(Dims::XY, {Coord::xy(1, 2)})));
    EXPECT_EQ(write_ovrajson(multipart), "[[], [[1, 2]]]");
    multipart.clear();
    EXPECT_EQ(write_ovrajson(multipart), "[]");
    EXPECT_EQ(multipart.dims(), Dims::XY);
}

TEST(Multipart, APoisonedPartStopsNativeOperationsAndChangesNothing) {
    Multipart multipart(Dims::XY);
    const SharedPart healthy = shared_part(Dims::XY, {Coord::xy(1, 2)});
    ASSERT_TRUE(multipart.push(healthy));
    const SharedPart broken = shared_part(Dims::XY, {Coord::xy(5, 5)});
    velmor::test::poison(broken);

    EXPECT_EQ(velmor::test::internal_failure_of([&] { (void)multipart.push(broken); }), "Lock poisoned");
    EXPECT_EQ(velmor::test::internal_failure_of([&] { (void)multipart.set(0, broken); }), "Lock poisoned");
    EXPECT_EQ(multipart.size(), 1U);
    EXPECT_TRUE(multipart.get(0)->same_value(healthy));

    // Once inside (through another container's handle, poisoned later), writing it stops too.
    const SharedPart later = shared_part(Dims::XY, {});
    ASSERT_TRUE(multipart.push(later));
    velmor::test::poison(later);
    EXPECT_EQ(velmor::test::internal_failure_of([&] { write_ovrajson(multipart); }), "Lock poisoned");
    EXPECT_EQ(write_ovrajson(*healthy.lock()), "[[1, 2]]");
}

TEST(CurveMultipart, HoldsCurvePartsWithTheSameRules) {
    CurveMultipart multipart(Dims::XY);
    const SharedCurvePart part = SharedCurvePart::make(Dims::XY);
    ASSERT_TRUE(part.lock()->push(Coord::xy(0, 0), Linear{}));
    ASSERT_TRUE(part.lock()->push(Coord::xy(2, 0), CircularArc{1, 1}));
    ASSERT_TRUE(multipart.push(part));
    EXPECT_EQ(multipart.push(SharedCurvePart::make(Dims::XYZM)).error().display(),
              "Mismatching dimensions, expected 'XY' but got 'XYZM'");
    EXPECT_EQ(write_ovrajson(multipart), "[[[0, 0], {\"c\": [[2, 0], [1, 1]]}]]");
}

}  // namespace
