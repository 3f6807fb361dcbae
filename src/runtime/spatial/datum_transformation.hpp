#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "runtime/error.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime {

enum class TransformationType : int32_t { Geographic = 1, HorizontalVertical = 2 };

// Queries on a runtime datum transformation; none may fail.
TransformationType transformation_type(const DatumTransformationOwned& transformation);
std::string transformation_name(const DatumTransformationOwned& transformation);
// None when the transformation does not know the system.
std::optional<SpatialReference> transformation_input(const DatumTransformationOwned& transformation);
std::optional<SpatialReference> transformation_output(const DatumTransformationOwned& transformation);
bool transformation_missing_files(const DatumTransformationOwned& transformation);

// The projection engine directory; none when the library reports no directory or an empty one.
std::optional<std::string> projection_engine_directory();
// Sets the directory, or clears it; the caller ensures the environment.
RuntimeResult<void> set_projection_engine_directory(const std::optional<std::filesystem::path>& directory);

// The library's transformations between two systems, most suitable first; `area_of_interest` may be
// null.
std::vector<DatumTransformationOwned> transformations_by_suitability(const SpatialReference& input,
                                                                     const SpatialReference& output,
                                                                     GK_GeometryHandle area_of_interest,
                                                                     bool ignore_vertical);

}  // namespace velmor::runtime
