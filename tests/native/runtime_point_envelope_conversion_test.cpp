// Native point and envelope values through the runtime core and back.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>

#include "runtime/convert/envelope_conversion.hpp"
#include "runtime/convert/point_conversion.hpp"
#include "runtime/geometry.hpp"
#include "runtime/library_probe.hpp"

namespace velmor::runtime::convert {
namespace {

class PointEnvelopeConversion : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto loaded = load_from_path(VELMOR_TEST_GEOKERN_PATH);
        ASSERT_TRUE(loaded.has_value()) << loaded.error();
    }
};

core::SpatialReference wkid(uint32_t id) {
    core::SpatialReference value;
    value.wkid = id;
    return value;
}

core::PointValue point(std::optional<double> z, std::optional<double> m,
                       std::optional<core::SpatialReference> sr = std::nullopt) {
    core::PointValue value;
    value.x = 1.5;
    value.y = -2;
    value.z = z;
    value.m = m;
    value.spatial_reference = sr;
    return value;
}

class PointRoundTrip : public PointEnvelopeConversion,
                       public ::testing::WithParamInterface<std::tuple<std::optional<double>, std::optional<double>, bool>> {};

TEST_P(PointRoundTrip, KeepsCoordinatesDimensionsAndSpatialReference) {
    const auto [z, m, with_sr] = GetParam();
    const core::PointValue original = point(z, m, with_sr ? std::optional(wkid(4326)) : std::nullopt);
    auto runtime_point = point_to_runtime(original);
    ASSERT_TRUE(runtime_point.has_value()) << runtime_point.error().display();
    EXPECT_EQ(has_z(runtime_point->get()), z.has_value());
    EXPECT_EQ(has_m(runtime_point->get()), m.has_value());
    const core::PointValue back = point_from_runtime(*runtime_point);
    EXPECT_EQ(back.x, 1.5);
    EXPECT_EQ(back.y, -2);
    EXPECT_EQ(back.z, z);
    EXPECT_EQ(back.m, m);
    ASSERT_EQ(back.spatial_reference.has_value(), with_sr);
    if (with_sr) {
        EXPECT_EQ(back.spatial_reference->wkid, 4326u);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, PointRoundTrip,
                         ::testing::Values(std::tuple{std::nullopt, std::nullopt, false},
                                           std::tuple{std::optional(3.0), std::nullopt, false},
                                           std::tuple{std::nullopt, std::optional(4.0), true},
                                           std::tuple{std::optional(3.0), std::optional(4.0), true}));

TEST_F(PointEnvelopeConversion, EmptyPointStaysEmpty) {
    core::PointValue empty;
    auto runtime_point = point_to_runtime(empty);
    ASSERT_TRUE(runtime_point.has_value());
    EXPECT_TRUE(point_from_runtime(*runtime_point).is_empty());
}

TEST_F(PointEnvelopeConversion, UnknownSpatialReferenceIsTheGeokernKind) {
    auto refused = point_to_runtime(point(std::nullopt, std::nullopt, wkid(999999)));
    ASSERT_FALSE(refused.has_value());
    EXPECT_EQ(refused.error().kind(), core::ErrorKind::Geokern);
}

core::EnvelopeValue envelope() {
    core::EnvelopeValue value;
    value.xmin = 0;
    value.ymin = 1;
    value.xmax = 10;
    value.ymax = 5;
    return value;
}

TEST_F(PointEnvelopeConversion, EnvelopeRangesTravelOnlyWhenComplete) {
    core::EnvelopeValue value = envelope();
    value.zmin = 1;  // a lone zmin: has z natively, but no z range for the runtime core
    value.mmin = 2;
    value.mmax = 3;
    value.idmin = 7;
    value.spatial_reference = wkid(3857);
    auto runtime_envelope = envelope_to_runtime(value);
    ASSERT_TRUE(runtime_envelope.has_value()) << runtime_envelope.error().display();
    const core::EnvelopeValue back = envelope_from_runtime(*runtime_envelope);
    EXPECT_EQ(std::tie(back.xmin, back.ymin, back.xmax, back.ymax), std::tie(value.xmin, value.ymin, value.xmax, value.ymax));
    EXPECT_FALSE(back.zmin.has_value());
    EXPECT_FALSE(back.zmax.has_value());
    EXPECT_EQ(back.mmin, 2.0);
    EXPECT_EQ(back.mmax, 3.0);
    EXPECT_FALSE(back.idmin.has_value());
    ASSERT_TRUE(back.spatial_reference.has_value());
    EXPECT_EQ(back.spatial_reference->wkid, 3857u);
}

TEST_F(PointEnvelopeConversion, EnvelopeWithZRangeKeepsIt) {
    core::EnvelopeValue value = envelope();
    value.zmin = -1;
    value.zmax = 4;
    auto runtime_envelope = envelope_to_runtime(value);
    ASSERT_TRUE(runtime_envelope.has_value());
    const core::EnvelopeValue back = envelope_from_runtime(*runtime_envelope);
    EXPECT_EQ(back.zmin, -1.0);
    EXPECT_EQ(back.zmax, 4.0);
    EXPECT_FALSE(back.mmin.has_value());
    EXPECT_FALSE(back.spatial_reference.has_value());
}

}  // namespace
}  // namespace velmor::runtime::convert
