#include "runtime/convert/geometry_spatial_reference.hpp"

#include "runtime/geometry.hpp"
#include "runtime/spatial/spatial_reference_conversion.hpp"

namespace velmor::runtime::convert {

core::Result<std::optional<SpatialReference>> runtime_spatial_reference(
    const std::optional<core::SpatialReference>& value) {
    if (!value) return std::optional<SpatialReference>();
    return runtime::to_runtime(*value);
}

std::optional<core::SpatialReference> native_spatial_reference(GK_GeometryHandle geometry) {
    std::optional<SpatialReference> runtime = spatial_reference(geometry);
    if (!runtime) return std::nullopt;
    return runtime::from_runtime(std::move(*runtime));
}

}  // namespace velmor::runtime::convert
