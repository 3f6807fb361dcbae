// A datum transformation written down as its steps and made again from them, against the real
// runtime core library: the runtime core finds the two equal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/error_capture.hpp"
#include "runtime/function_table.hpp"
#include "runtime/library_probe.hpp"
#include "runtime/spatial/datum_transformation.hpp"
#include "runtime/spatial/spatial_reference.hpp"
#include "runtime/spatial/transformation_steps.hpp"

namespace velmor::runtime {
namespace {

class RuntimeTransformationSteps : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto loaded = load_from_path(VELMOR_TEST_GEOKERN_PATH);
        ASSERT_TRUE(loaded.has_value()) << loaded.error();
    }
    static std::vector<DatumTransformationOwned> catalogue(int32_t input, int32_t output) {
        return transformations_by_suitability(*spatial_reference_from_wkid(input), *spatial_reference_from_wkid(output),
                                              nullptr, false);
    }
    static bool equal(const DatumTransformationOwned& a, const DatumTransformationOwned& b) {
        return *invoke(functions().DatumTransformation_equals, a.get(), b.get()) != 0;
    }
    // The transformation and its inverse each come back equal, with the same name and steps.
    static void expect_round_trip(const DatumTransformationOwned& transformation) {
        auto inverse = invoke(functions().DatumTransformation_getInverse, transformation.get());
        ASSERT_TRUE(inverse);
        const DatumTransformationOwned inverted = DatumTransformationOwned::take(*inverse);
        for (const DatumTransformationOwned* original : {&transformation, &inverted}) {
            const auto steps = transformation_steps(*original, TransformationType::Geographic);
            auto copy = transformation_from_steps(TransformationType::Geographic, steps);
            ASSERT_TRUE(copy) << copy.error().display();
            EXPECT_TRUE(equal(*original, *copy)) << transformation_name(*original);
            EXPECT_EQ(transformation_name(*copy), transformation_name(*original));
            const auto copied_steps = transformation_steps(*copy, TransformationType::Geographic);
            ASSERT_EQ(copied_steps.size(), steps.size());
            for (std::size_t i = 0; i < steps.size(); ++i) {
                EXPECT_EQ(copied_steps[i].wkid, steps[i].wkid);
                EXPECT_EQ(copied_steps[i].inverse, steps[i].inverse);
                EXPECT_EQ(copied_steps[i].text, steps[i].text);
            }
        }
    }
};

TEST_F(RuntimeTransformationSteps, EveryCatalogueTransformationBetweenTwoDatumsComesBackEqual) {
    const auto list = catalogue(4267, 4326);
    ASSERT_FALSE(list.empty());
    for (const DatumTransformationOwned& transformation : list) expect_round_trip(transformation);
}

TEST_F(RuntimeTransformationSteps, ATransformationOfSeveralStepsComesBackEqual) {
    bool found = false;
    for (const DatumTransformationOwned& transformation : catalogue(4230, 4326)) {
        if (transformation_steps(transformation, TransformationType::Geographic).size() < 2) continue;
        found = true;
        expect_round_trip(transformation);
    }
    EXPECT_TRUE(found) << "the catalogue has no transformation of several steps from ED50";
}

TEST_F(RuntimeTransformationSteps, StepsTheRuntimeCoreCannotMakeAreItsFailure) {
    const std::vector<TransformationStepRecord> unknown{{999999, "", false}};
    auto refused = transformation_from_steps(TransformationType::Geographic, unknown);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().display().find("999999 is not a well-known identifier of a transformation"),
              std::string::npos);
    const std::vector<TransformationStepRecord> not_an_operation{{0, "GEOGCS[\"x\"]", false}};
    EXPECT_FALSE(transformation_from_steps(TransformationType::HorizontalVertical, not_an_operation));
}

}  // namespace
}  // namespace velmor::runtime
