#include "runtime/spatial/datum_transformation.hpp"

#include "runtime/containers.hpp"
#include "runtime/environment.hpp"
#include "runtime/text.hpp"

namespace velmor::runtime {
namespace {

[[noreturn]] void failed_return_value(const Error& error) {
    core::internal_failure("Internal error: Unexpected failure to transform return value: " + error.debug());
}

std::optional<SpatialReference> optional_spatial_reference(GK_SpatialReferenceHandle handle) {
    if (handle == nullptr) return std::nullopt;
    return SpatialReference::take(handle);
}

}  // namespace

TransformationType transformation_type(const DatumTransformationOwned& transformation) {
    const int32_t type = invoke_or_fail(VELMOR_GK(DatumTransformation_getObjectType), transformation.get());
    if (type != 1 && type != 2) {
        failed_return_value(conversion_error("GK_DatumTransformationType " + std::to_string(type), "DatumTransformationType"));
    }
    return static_cast<TransformationType>(type);
}

std::string transformation_name(const DatumTransformationOwned& transformation) {
    return text_from_string(invoke_or_fail(VELMOR_GK(DatumTransformation_getName), transformation.get()));
}

std::optional<SpatialReference> transformation_input(const DatumTransformationOwned& transformation) {
    return optional_spatial_reference(
        invoke_or_fail(VELMOR_GK(DatumTransformation_getInputSpatialReference), transformation.get()));
}

std::optional<SpatialReference> transformation_output(const DatumTransformationOwned& transformation) {
    return optional_spatial_reference(
        invoke_or_fail(VELMOR_GK(DatumTransformation_getOutputSpatialReference), transformation.get()));
}

bool transformation_missing_files(const DatumTransformationOwned& transformation) {
    return invoke_or_fail(VELMOR_GK(DatumTransformation_getIsMissingProjectionEngineFiles), transformation.get()) != 0;
}

std::optional<std::string> projection_engine_directory() {
    ensure_environment();
    std::string directory = text_from_string(invoke_or_fail(VELMOR_GK(TransformationCatalog_getProjectionEngineDirectory)));
    if (directory.empty()) return std::nullopt;
    return directory;
}

RuntimeResult<void> set_projection_engine_directory(const std::optional<std::filesystem::path>& directory) {
    if (!directory) return invoke(functions().TransformationCatalog_setProjectionEngineDirectory, static_cast<const char*>(nullptr));
    const std::string path = path_to_c_text(*directory);
    return invoke(functions().TransformationCatalog_setProjectionEngineDirectory, path.c_str());
}

std::vector<DatumTransformationOwned> transformations_by_suitability(const SpatialReference& input,
                                                                     const SpatialReference& output,
                                                                     GK_GeometryHandle area_of_interest,
                                                                     bool ignore_vertical) {
    const GK_ArrayHandle array = invoke_or_fail(
        VELMOR_GK(TransformationCatalog_getTransformationsBySuitabilityWithAreaOfInterestAndIgnoreVertical), input.get(),
        output.get(), area_of_interest, static_cast<GK_Bool>(ignore_vertical ? 1 : 0));
    auto list = array_to_list<DatumTransformationOwnedTag>(array, functions().Element_getValueAsDatumTransformation);
    if (!list) failed_return_value(list.error());
    return std::move(*list);
}

}  // namespace velmor::runtime
