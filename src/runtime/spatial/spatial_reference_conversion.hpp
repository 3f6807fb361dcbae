#pragma once

#include <optional>

#include "core/result.hpp"
#include "core/spatial_reference_value.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime {

// The runtime spatial reference of a value: from the latest horizontal identifier (with the latest
// vertical one when there is one), else from the well-known text, else none. The second edition
// text is never used, and a text is ignored when an identifier is present. The library's refusal
// comes back as the Geokern kind.
core::Result<std::optional<SpatialReference>> to_runtime(const core::SpatialReference& value);

// The value of a runtime spatial reference: its identifiers (0 read as absent), and its text only
// when it has no horizontal identifier. The runtime reference is released afterwards.
core::SpatialReference from_runtime(SpatialReference runtime);

}  // namespace velmor::runtime
