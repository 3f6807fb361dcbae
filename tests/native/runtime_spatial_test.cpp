// Spatial references, units and datum transformations through the binding's wrappers, against the
// real runtime core library.
#include <gtest/gtest.h>

#include "internal_failure_text.hpp"

#include <functional>
#include <string>

#include "core/internal_failure.hpp"
#include "runtime/error_capture.hpp"
#include "runtime/function_table.hpp"
#include "runtime/library_probe.hpp"
#include "runtime/spatial/datum_transformation.hpp"
#include "runtime/spatial/spatial_reference.hpp"
#include "runtime/spatial/spatial_reference_conversion.hpp"
#include "runtime/spatial/units.hpp"

namespace velmor::runtime {
namespace {

class RuntimeSpatial : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto loaded = load_from_path(VELMOR_TEST_GEOKERN_PATH);
        ASSERT_TRUE(loaded.has_value()) << loaded.error();
    }
    static SpatialReference create(int32_t wkid) {
        auto created = spatial_reference_from_wkid(wkid);
        if (!created) ADD_FAILURE() << created.error().debug();
        return std::move(*created);
    }
};

using velmor::test::internal_failure_of;

TEST_F(RuntimeSpatial, CreationReturnsTheLibrarysRefusal) {
    auto refused = spatial_reference_from_wkid(999999);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().display(), "Invalid argument: 999999 is not a well-known identifier of a coordinate system");
    EXPECT_FALSE(spatial_reference_from_text("no text"));
    EXPECT_FALSE(spatial_reference_from_wkids(4326, 4326));
    EXPECT_EQ(internal_failure_of([] { (void)spatial_reference_from_text(std::string("GEOGCS[\0", 8)); })
                  .rfind("Failed to convert string to CString", 0),
              0u);
}

TEST_F(RuntimeSpatial, QueriesOfACreatedReference) {
    SpatialReference compound = *spatial_reference_from_wkids(3857, 5703);
    EXPECT_EQ(spatial_reference_wkid(compound), 3857);
    EXPECT_EQ(spatial_reference_vertical_wkid(compound), 5703);
    EXPECT_NE(spatial_reference_text(compound).find("COMPD_CS"), std::string::npos);
}

struct ConversionCase {
    const char* what;
    core::SpatialReference value;
    int32_t wkid;  // of the runtime reference made, -1 for none
    int32_t vertical_wkid;
};

TEST_F(RuntimeSpatial, ValuesBecomeRuntimeReferences) {
    const std::string wgs84_text = spatial_reference_text(create(4326));
    const ConversionCase cases[] = {
        {"identifier", {.wkid = 4326}, 4326, 0},
        {"latest identifier wins", {.wkid = 102100, .latest_wkid = 3857}, 3857, 0},
        {"vertical identifier", {.wkid = 4326, .vcs_wkid = 5703}, 4326, 5703},
        {"latest vertical identifier wins", {.wkid = 4326, .vcs_wkid = 1, .latest_vcs_wkid = 5703}, 4326, 5703},
        {"text ignored beside an identifier", {.wkid = 3857, .wkt = std::string("not a text")}, 3857, 0},
        {"text without vertical system", {.vcs_wkid = 5703, .wkt = wgs84_text}, 4326, 0},
        {"second edition text never used", {.wkt2 = wgs84_text}, -1, 0},
        {"nothing", {}, -1, 0},
    };
    for (const ConversionCase& c : cases) {
        auto converted = to_runtime(c.value);
        ASSERT_TRUE(converted) << c.what;
        ASSERT_EQ(converted->has_value(), c.wkid != -1) << c.what;
        if (!converted->has_value()) continue;
        EXPECT_EQ(spatial_reference_wkid(**converted), c.wkid) << c.what;
        EXPECT_EQ(spatial_reference_vertical_wkid(**converted), c.vertical_wkid) << c.what;
    }
    auto refused = to_runtime({.wkid = 999999});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind(), core::ErrorKind::Geokern);
}

TEST_F(RuntimeSpatial, RuntimeReferencesBecomeValues) {
    core::SpatialReference compound = from_runtime(*spatial_reference_from_wkids(4326, 5703));
    EXPECT_EQ(compound, (core::SpatialReference{.wkid = 4326, .vcs_wkid = 5703}));
    const std::string custom =
        "GEOGCS[\"Custom\",DATUM[\"D\",SPHEROID[\"S\",6378000.0,300.0]],PRIMEM[\"Greenwich\",0.0],"
        "UNIT[\"Degree\",0.0174532925199433]]";
    core::SpatialReference text_only = from_runtime(*spatial_reference_from_text(custom));
    EXPECT_FALSE(text_only.wkid);
    EXPECT_FALSE(text_only.vcs_wkid);
    ASSERT_TRUE(text_only.wkt);
    EXPECT_NE(text_only.wkt->find("6378000"), std::string::npos);
    EXPECT_FALSE(text_only.wkt2);
}

TEST_F(RuntimeSpatial, AreaUnits) {
    AreaUnit acres = *area_unit(109402);
    AreaUnit square_feet = *area_unit(109405);
    EXPECT_EQ(area_unit_id(acres), 109402);
    EXPECT_EQ(area_convert_to(acres, square_feet, 1.0), 43560.0);
    EXPECT_EQ(area_convert_from(acres, square_feet, 43560.0), 1.0);
    EXPECT_EQ(area_to_square_meters(acres, 1.0), 4046.8564224);
    EXPECT_EQ(area_from_square_meters(square_feet, 0.09290304), 1.0);
    EXPECT_FALSE(area_unit(0));
    EXPECT_FALSE(area_unit(9001));
    EXPECT_TRUE(linear_unit(9001));
    EXPECT_FALSE(linear_unit(109404));
}

TEST_F(RuntimeSpatial, DatumChangeThroughTheCatalog) {
    SpatialReference nad27 = create(4267);
    SpatialReference wgs84 = create(4326);
    auto list = transformations_by_suitability(nad27, wgs84, nullptr, false);
    ASSERT_FALSE(list.empty());
    bool some_missing = false;
    for (const DatumTransformationOwned& transformation : list) {
        EXPECT_EQ(transformation_type(transformation), TransformationType::Geographic);
        EXPECT_EQ(transformation_name(transformation).rfind("NAD27 to ", 0), 0u);
        auto input = transformation_input(transformation);
        auto output = transformation_output(transformation);
        ASSERT_TRUE(input && output);
        EXPECT_EQ(spatial_reference_wkid(*input), 4267);
        EXPECT_EQ(spatial_reference_wkid(*output), 4326);
        some_missing = some_missing || transformation_missing_files(transformation);
    }
    EXPECT_TRUE(some_missing) << "the NADCON grids are not installed";
    EXPECT_TRUE(transformations_by_suitability(wgs84, wgs84, nullptr, false).empty());
    EXPECT_TRUE(transformations_by_suitability(wgs84, create(3857), nullptr, true).empty());
}

TEST_F(RuntimeSpatial, AnAreaOfInterestKeepsTheTransformationsThatApplyThere) {
    SpatialReference nad27 = create(4267);
    SpatialReference wgs84 = create(4326);
    auto area = invoke(functions().Geometry_fromJSON,
                       R"({"xmin":-80,"ymin":40,"xmax":-79,"ymax":41,"spatialReference":{"wkid":4326}})");
    ASSERT_TRUE(area);
    GeometryOwned envelope = GeometryOwned::take(*area);
    const auto everywhere = transformations_by_suitability(nad27, wgs84, nullptr, false).size();
    const auto there = transformations_by_suitability(nad27, wgs84, envelope.get(), false).size();
    EXPECT_GT(there, 0u);
    EXPECT_LT(there, everywhere);
}

TEST_F(RuntimeSpatial, ProjectionEngineDirectory) {
    EXPECT_EQ(projection_engine_directory(), std::nullopt);
    ASSERT_TRUE(set_projection_engine_directory(std::filesystem::temp_directory_path()));
    EXPECT_EQ(projection_engine_directory(), std::filesystem::temp_directory_path().string());
    ASSERT_TRUE(set_projection_engine_directory(std::nullopt));
    EXPECT_EQ(projection_engine_directory(), std::nullopt);
    EXPECT_FALSE(set_projection_engine_directory(std::filesystem::path("/no/such/directory")));
}

}  // namespace
}  // namespace velmor::runtime
