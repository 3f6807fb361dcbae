// Datum transformations from PROJ's candidate operations: order, names, systems, inverses, missing
// grids, the projection engine directory, steps made by identifier.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "error_capture.hpp"

namespace {

using geokern_test::LibraryTest;
using geokern_test::take_text;

template <class Handle, void (*destroy)(Handle, const GK_ErrorHandler*)>
struct Deleter {
    void operator()(Handle handle) const { destroy(handle, nullptr); }
};
template <class Handle, void (*destroy)(Handle, const GK_ErrorHandler*)>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter<Handle, destroy>>;
using SpatialReference = Owned<GK_SpatialReferenceHandle, &GK_SpatialReference_destroy>;
using Transformation = Owned<GK_DatumTransformationHandle, &GK_DatumTransformation_destroy>;
using Array = Owned<GK_ArrayHandle, &GK_Array_destroy>;
using Element = Owned<GK_ElementHandle, &GK_Element_destroy>;
using Step = Owned<GK_GeographicTransformationStepHandle, &GK_GeographicTransformationStep_destroy>;
using Geometry = Owned<GK_GeometryHandle, &GK_Geometry_destroy>;

// "a + b + c" as "c + b + a": the name of the inverse of a chain.
std::string reversed_steps(const std::string& name) {
    std::vector<std::string> steps;
    size_t start = 0;
    for (size_t plus; (plus = name.find(" + ", start)) != std::string::npos; start = plus + 3) {
        steps.push_back(name.substr(start, plus - start));
    }
    steps.push_back(name.substr(start));
    std::string reversed;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) reversed += (reversed.empty() ? "" : " + ") + *step;
    return reversed;
}

class TransformationsTest : public LibraryTest {
protected:
    SpatialReference create(int32_t wkid) { return SpatialReference(GK_SpatialReference_create(wkid, h)); }

    std::vector<Transformation> list(GK_SpatialReferenceHandle from, GK_SpatialReferenceHandle to, bool ignore_vertical = true) {
        Array array(GK_TransformationCatalog_getTransformationsBySuitabilityWithAreaOfInterestAndIgnoreVertical(
            from, to, nullptr, ignore_vertical, h));
        std::vector<Transformation> result;
        if (!array) return result;
        for (uint64_t i = 0; i < GK_Array_getSize(array.get(), h); ++i) {
            Element element(GK_Array_at(array.get(), i, h));
            result.emplace_back(GK_Element_getValueAsDatumTransformation(element.get(), h));
        }
        return result;
    }
    int32_t wkid_of(GK_SpatialReferenceHandle value) { return value ? GK_SpatialReference_getWKID(value, h) : -1; }
    int32_t input_wkid(GK_DatumTransformationHandle transformation) {
        SpatialReference input(GK_DatumTransformation_getInputSpatialReference(transformation, h));
        return wkid_of(input.get());
    }
    int32_t output_wkid(GK_DatumTransformationHandle transformation) {
        SpatialReference output(GK_DatumTransformation_getOutputSpatialReference(transformation, h));
        return wkid_of(output.get());
    }
};

TEST_F(TransformationsTest, DatumChangeListsCandidatesWithNamesSystemsAndInverses) {
    SpatialReference nad27 = create(4267);
    SpatialReference wgs84 = create(4326);
    auto candidates = list(nad27.get(), wgs84.get());
    ASSERT_GT(candidates.size(), 3u);
    bool some_missing = false;
    bool some_present = false;
    for (const Transformation& transformation : candidates) {
        std::string name = take_text(GK_DatumTransformation_getName(transformation.get(), h));
        EXPECT_TRUE(name.starts_with("NAD27 to ")) << name;
        EXPECT_EQ(GK_DatumTransformation_getObjectType(transformation.get(), h), 1);
        EXPECT_EQ(input_wkid(transformation.get()), 4267);
        EXPECT_EQ(output_wkid(transformation.get()), 4326);
        bool missing = GK_DatumTransformation_getIsMissingProjectionEngineFiles(transformation.get(), h);
        some_missing = some_missing || missing;
        // Operations with their grids on the machine come first.
        if (!missing) {
            EXPECT_FALSE(some_missing) << name;
        }
        some_present = some_present || !missing;

        Transformation inverse(GK_DatumTransformation_getInverse(transformation.get(), h));
        EXPECT_EQ(input_wkid(inverse.get()), 4326);
        EXPECT_EQ(output_wkid(inverse.get()), 4267);
        EXPECT_EQ(take_text(GK_DatumTransformation_getName(inverse.get(), h)), reversed_steps(name));
        EXPECT_FALSE(GK_DatumTransformation_equals(inverse.get(), transformation.get(), h));
        Transformation back(GK_DatumTransformation_getInverse(inverse.get(), h));
        EXPECT_TRUE(GK_DatumTransformation_equals(back.get(), transformation.get(), h));
        EXPECT_EQ(GK_DatumTransformation_getHash(back.get(), h), GK_DatumTransformation_getHash(transformation.get(), h));
    }
    EXPECT_TRUE(some_missing) << "the NADCON grids are not installed, so some candidates must miss files";
    EXPECT_TRUE(some_present);
    EXPECT_TRUE(no_errors());
}

TEST_F(TransformationsTest, StepsOfACandidate) {
    SpatialReference nad27 = create(4267);
    SpatialReference wgs84 = create(4326);
    auto candidates = list(nad27.get(), wgs84.get());
    ASSERT_FALSE(candidates.empty());
    for (const Transformation& transformation : candidates) {
        Array steps(GK_GeographicTransformation_getSteps(transformation.get(), h));
        ASSERT_GE(GK_Array_getSize(steps.get(), h), 1u);
        Element element(GK_Array_at(steps.get(), 0, h));
        Step step(GK_Element_getValueAsGeographicTransformationStep(element.get(), h));
        EXPECT_GT(GK_GeographicTransformationStep_getWKID(step.get(), h), 0);
        EXPECT_FALSE(GK_GeographicTransformationStep_getIsInverse(step.get(), h));
        Array files(GK_GeographicTransformationStep_getProjectionEngineFilenames(step.get(), h));
        EXPECT_EQ(GK_Array_getSize(files.get(), h) > 0 && GK_GeographicTransformationStep_getIsMissingProjectionEngineFiles(step.get(), h),
                  static_cast<bool>(GK_DatumTransformation_getIsMissingProjectionEngineFiles(transformation.get(), h)));
        EXPECT_NE(take_text(GK_GeographicTransformationStep_getWKText2(step.get(), h)).find("NAD27"), std::string::npos);
    }
    EXPECT_TRUE(no_errors());
}

TEST_F(TransformationsTest, NoTransformationWithinOneDatum) {
    const std::pair<int32_t, int32_t> pairs[] = {{4326, 4326}, {4326, 3857}, {102100, 4326}, {32633, 3857}, {4267, 26718}};
    for (auto [from, to] : pairs) {
        SpatialReference a = create(from);
        SpatialReference b = create(to);
        EXPECT_TRUE(list(a.get(), b.get()).empty()) << from << " " << to;
    }
    EXPECT_TRUE(no_errors());
    SpatialReference wgs84 = create(4326);
    EXPECT_EQ(GK_TransformationCatalog_getTransformation(wgs84.get(), wgs84.get(), h), nullptr);
    EXPECT_EQ(take_errors().size(), 1u);
}

// Projected systems are transformed through their geographic systems.
TEST_F(TransformationsTest, ProjectedSystemsUseTheirGeographicSystems) {
    SpatialReference utm_nad27 = create(26718);
    SpatialReference mercator = create(3857);
    auto candidates = list(utm_nad27.get(), mercator.get());
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(input_wkid(candidates.front().get()), 26718);
    EXPECT_EQ(output_wkid(candidates.front().get()), 3857);
    Transformation best(GK_TransformationCatalog_getTransformation(utm_nad27.get(), mercator.get(), h));
    EXPECT_TRUE(GK_DatumTransformation_equals(best.get(), candidates.front().get(), h));
    EXPECT_TRUE(no_errors());
}

TEST_F(TransformationsTest, AnAreaOfInterestKeepsTheTransformationsThatApplyThere) {
    SpatialReference nad27 = create(4267);
    SpatialReference wgs84 = create(4326);
    // A square degree of Pennsylvania, once in degrees and once in Web Mercator metres.
    Geometry degrees(GK_Geometry_fromJSON(
        R"({"xmin":-80,"ymin":40,"xmax":-79,"ymax":41,"spatialReference":{"wkid":4326}})", h));
    Geometry metres(GK_Geometry_fromJSON(R"({"xmin":-8905559.26,"ymin":4865942.28,"xmax":-8794239.77,)"
                                         R"("ymax":5012341.66,"spatialReference":{"wkid":3857}})", h));
    auto count = [&](GK_GeometryHandle area) {
        Array array(GK_TransformationCatalog_getTransformationsBySuitabilityWithAreaOfInterest(nad27.get(), wgs84.get(),
                                                                                              area, h));
        return array ? GK_Array_getSize(array.get(), h) : 0u;
    };
    const uint64_t everywhere = count(nullptr);
    const uint64_t there = count(degrees.get());
    EXPECT_GT(there, 0u);
    EXPECT_LT(there, everywhere);
    EXPECT_EQ(count(metres.get()), there);
    EXPECT_TRUE(take_errors().empty());
}

TEST_F(TransformationsTest, StepsByIdentifierMakeTransformations) {
    // EPSG 1173: NAD27 to WGS 84 (4), a Helmert shift without grid; 1241: NAD27 to NAD83 (1), NADCON.
    Step helmert(GK_GeographicTransformationStep_createWithWKID(1173, h));
    ASSERT_TRUE(helmert);
    EXPECT_FALSE(GK_GeographicTransformationStep_getIsMissingProjectionEngineFiles(helmert.get(), h));
    Transformation single(GK_GeographicTransformation_createWithStep(helmert.get(), h));
    EXPECT_EQ(input_wkid(single.get()), 4267);
    EXPECT_EQ(output_wkid(single.get()), 4326);
    EXPECT_EQ(take_text(GK_DatumTransformation_getName(single.get(), h)), "NAD27 to WGS 84 (4)");

    Step grid(GK_GeographicTransformationStep_createWithWKID(1241, h));
    EXPECT_TRUE(GK_GeographicTransformationStep_getIsMissingProjectionEngineFiles(grid.get(), h));
    Step inverse(GK_GeographicTransformationStep_getInverse(grid.get(), h));
    EXPECT_TRUE(GK_GeographicTransformationStep_getIsInverse(inverse.get(), h));
    EXPECT_EQ(GK_GeographicTransformationStep_getWKID(inverse.get(), h), 1241);

    // NAD83 -> NAD27 -> WGS 84 through two steps.
    GK_VectorHandle steps = GK_Vector_create(GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP, h);
    for (GK_GeographicTransformationStepHandle step : {inverse.get(), helmert.get()}) {
        Element element(GK_Element_fromGeographicTransformationStep(step, h));
        GK_Vector_add(steps, element.get(), h);
    }
    Transformation chained(GK_GeographicTransformation_createWithSteps(steps, h));
    GK_Vector_destroy(steps, h);
    EXPECT_EQ(input_wkid(chained.get()), 4269);
    EXPECT_EQ(output_wkid(chained.get()), 4326);
    EXPECT_EQ(take_text(GK_DatumTransformation_getName(chained.get(), h)), "NAD27 to NAD83 (1) + NAD27 to WGS 84 (4)");
    EXPECT_TRUE(GK_DatumTransformation_getIsMissingProjectionEngineFiles(chained.get(), h));
    EXPECT_TRUE(no_errors());

    EXPECT_EQ(GK_GeographicTransformationStep_createWithWKID(4326, h), nullptr);
    EXPECT_EQ(GK_GeographicTransformationStep_createWithWKText("GEOGCS[]", h), nullptr);
    EXPECT_EQ(take_errors().size(), 2u);
}

TEST_F(TransformationsTest, ProjectionEngineDirectory) {
    EXPECT_EQ(take_text(GK_TransformationCatalog_getProjectionEngineDirectory(h)), "");
    std::string directory = std::filesystem::temp_directory_path().string();
    GK_TransformationCatalog_setProjectionEngineDirectory(directory.c_str(), h);
    EXPECT_EQ(take_text(GK_TransformationCatalog_getProjectionEngineDirectory(h)), directory);
    // PROJ's database is still found with a directory of our own in front.
    SpatialReference still = create(32632);
    EXPECT_TRUE(still);
    GK_TransformationCatalog_setProjectionEngineDirectory(nullptr, h);
    EXPECT_EQ(take_text(GK_TransformationCatalog_getProjectionEngineDirectory(h)), "");
    EXPECT_TRUE(no_errors());
    GK_TransformationCatalog_setProjectionEngineDirectory("/no/such/directory", h);
    EXPECT_EQ(take_errors().size(), 1u);
}

}  // namespace
