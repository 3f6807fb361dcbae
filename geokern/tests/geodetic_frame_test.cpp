// The geodetic frame of a spatial reference: its ellipsoid, the conversion of projected coordinates to
// longitude/latitude (x east, y north whatever the system's axis order) and back, and its refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "failure.hpp"
#include "geodesy/geodetic_frame.hpp"

namespace {

using geokern::GeodeticFrame;

struct EllipsoidCase {
    int32_t wkid;
    double semi_major_axis;
    double inverse_flattening;
};

TEST(GeodeticFrameTest, EllipsoidIsThatOfTheGeographicSystemUnderneath) {
    const EllipsoidCase cases[] = {
        {4326, 6378137.0, 298.257223563},   // geographic, latitude first in PROJ
        {32633, 6378137.0, 298.257223563},  // projected on the same datum
        {4267, 6378206.4, 294.978698213898},  // Clarke 1866, given by its axes
        {27700, 6377563.396, 299.3249646},  // Airy 1830 under a national grid
    };
    for (const auto& c : cases) {
        auto frame = GeodeticFrame::of(geokern::spatial_reference_from_wkid(c.wkid).get());
        EXPECT_DOUBLE_EQ(frame->semi_major_axis(), c.semi_major_axis) << c.wkid;
        EXPECT_NEAR(1.0 / frame->flattening(), c.inverse_flattening, 1e-6) << c.wkid;
        EXPECT_EQ(frame->projected(), c.wkid != 4326 && c.wkid != 4267) << c.wkid;
    }
}

struct ConversionCase {
    int32_t wkid;
    double x, y;  // in the system's own x (east) and y (north)
    double longitude, latitude;
};

TEST(GeodeticFrameTest, ProjectedCoordinatesGoToLongitudeLatitudeAndBack) {
    const double a = 6378137.0;
    const double latitude = 40.0;
    const double mercator_y = a * std::log(std::tan(std::numbers::pi / 4 + latitude * std::numbers::pi / 360));
    const ConversionCase cases[] = {
        {3857, a * 30.0 * std::numbers::pi / 180, mercator_y, 30.0, latitude},  // spherical mercator, closed form
        {32633, 500000.0, 0.0, 15.0, 0.0},     // UTM zone 33 north: central meridian on the equator
        {2193, 1600000.0, 10000000.0, 173.0, 0.0},  // northing first in the database: the origin of its grid
        {4326, 12.5, -45.25, 12.5, -45.25},    // geographic: x stays the longitude
    };
    for (const auto& c : cases) {
        auto frame = GeodeticFrame::of(geokern::spatial_reference_from_wkid(c.wkid).get());
        double x = c.x, y = c.y;
        frame->to_geographic(x, y);
        EXPECT_NEAR(x, c.longitude, 1e-9) << c.wkid;
        EXPECT_NEAR(y, c.latitude, 1e-9) << c.wkid;
        frame->from_geographic(x, y);
        EXPECT_NEAR(x, c.x, 1e-6) << c.wkid;
        EXPECT_NEAR(y, c.y, 1e-6) << c.wkid;
    }
}

TEST(GeodeticFrameTest, FramesAreSharedPerSystem) {
    auto first = GeodeticFrame::of(geokern::spatial_reference_from_wkid(3857).get());
    auto second = GeodeticFrame::of(geokern::spatial_reference_from_wkid(3857).get());
    EXPECT_EQ(first.get(), second.get());
}

std::string refusal_of(const geokern::SpatialReferenceValue* reference) {
    try {
        GeodeticFrame::of(reference);
    } catch (const geokern::Failure& failure) {
        return failure.additional_message;
    }
    return "no failure";
}

TEST(GeodeticFrameTest, RefusesNoSystemAndSystemsOffTheEllipsoid) {
    EXPECT_NE(refusal_of(nullptr).find("no spatial reference"), std::string::npos);
    auto local = geokern::spatial_reference_from_text(
        R"(LOCAL_CS["site grid",LOCAL_DATUM["site",0],UNIT["metre",1],AXIS["x",EAST],AXIS["y",NORTH]])");
    EXPECT_NE(refusal_of(local.get()).find("ellipsoid"), std::string::npos) << refusal_of(local.get());
}

TEST(GeodeticFrameTest, PointsWithoutLongitudeLatitudeFail) {
    auto frame = GeodeticFrame::of(geokern::spatial_reference_from_wkid(3857).get());
    double x = 0.0, y = 100.0;  // no latitude beyond the pole
    EXPECT_THROW(frame->from_geographic(x, y), geokern::Failure);
    double far_x = std::numeric_limits<double>::infinity(), far_y = 0.0;
    EXPECT_THROW(frame->to_geographic(far_x, far_y), geokern::Failure);
}

}  // namespace
