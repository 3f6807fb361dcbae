#pragma once

#include <optional>

#include "core/result.hpp"
#include "core/spatial_reference_value.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// The spatial reference of a geometry on either side.

// The runtime spatial reference of a native geometry's optional value: none when there is no value
// (or one the runtime cannot be given), the library's refusal as the Geokern kind.
core::Result<std::optional<SpatialReference>> runtime_spatial_reference(
    const std::optional<core::SpatialReference>& value);

// The value of a runtime geometry's spatial reference, none when it has none.
std::optional<core::SpatialReference> native_spatial_reference(GK_GeometryHandle geometry);

// The optional runtime argument form: null means none.
inline const SpatialReference* argument(const std::optional<SpatialReference>& spatial_reference) {
    return spatial_reference ? &*spatial_reference : nullptr;
}

}  // namespace velmor::runtime::convert
