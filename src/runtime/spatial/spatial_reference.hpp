#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/error.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime {

// Runtime spatial references. Creation ensures the environment and returns the library's refusal;
// queries on an existing reference must not fail.
RuntimeResult<SpatialReference> spatial_reference_from_wkid(int32_t wkid);
RuntimeResult<SpatialReference> spatial_reference_from_wkids(int32_t wkid, int32_t vertical_wkid);
// A text with a NUL inside is an internal failure.
RuntimeResult<SpatialReference> spatial_reference_from_text(std::string_view text);

int32_t spatial_reference_wkid(const SpatialReference& spatial_reference);
int32_t spatial_reference_vertical_wkid(const SpatialReference& spatial_reference);
double spatial_reference_tolerance(const SpatialReference& spatial_reference);
std::string spatial_reference_text(const SpatialReference& spatial_reference);

}  // namespace velmor::runtime
