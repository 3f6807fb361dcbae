// The value holders of geodetic results: a distance with its unit, read back through the interface.
#include <gtest/gtest.h>

#include "error_capture.hpp"
#include "geodesy/geodetic_distance_result.hpp"
#include "spatial/unit_definition.hpp"

namespace {

using geokern_test::LibraryTest;

class GeodeticValuesTest : public LibraryTest {};

TEST_F(GeodeticValuesTest, DistanceGivesBackItsValueAndUnit) {
    const struct {
        double value;
        int32_t unit;
    } cases[] = {{1234.5, 9001}, {-0.25, 9036}, {0.0, 9002}};
    for (const auto& c : cases) {
        GK_DistanceHandle distance = geokern::make_handle<GK_DistanceHandle>(
            geokern::geodesy::DistanceValue{c.value, geokern::unit_of_type(c.unit, geokern::unit_type_linear)});
        EXPECT_EQ(GK_Distance_getValue(distance, h), c.value);
        GK_UnitHandle unit = GK_Distance_getUnit(distance, h);
        EXPECT_EQ(GK_Unit_getWKID(unit, h), c.unit);
        GK_Unit_destroy(unit, h);
        GK_Distance_destroy(distance, h);
        EXPECT_TRUE(no_errors());
    }
}

TEST_F(GeodeticValuesTest, NullDistanceIsRefused) {
    GK_Distance_getValue(nullptr, h);
    const auto errors = take_errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].additional.find("distance handle is null"), std::string::npos);
}

}  // namespace
