#include "runtime/spatial/spatial_reference_conversion.hpp"

#include "runtime/spatial/spatial_reference.hpp"

namespace velmor::runtime {
namespace {

core::Result<std::optional<SpatialReference>> as_optional(RuntimeResult<SpatialReference>&& created) {
    if (!created) return core::fail(to_native_error(created.error()));
    return std::optional<SpatialReference>(std::move(*created));
}

// Identifiers travel as the interface's signed 32-bit integers, bit for bit.
int32_t as_wkid(uint32_t identifier) { return static_cast<int32_t>(identifier); }

std::optional<uint32_t> present(int32_t identifier) {
    if (identifier == 0) return std::nullopt;
    return static_cast<uint32_t>(identifier);
}

}  // namespace

core::Result<std::optional<SpatialReference>> to_runtime(const core::SpatialReference& value) {
    const std::optional<uint32_t> horizontal = value.latest_wkid ? value.latest_wkid : value.wkid;
    if (horizontal) {
        const std::optional<uint32_t> vertical = value.latest_vcs_wkid ? value.latest_vcs_wkid : value.vcs_wkid;
        if (vertical) return as_optional(spatial_reference_from_wkids(as_wkid(*horizontal), as_wkid(*vertical)));
        return as_optional(spatial_reference_from_wkid(as_wkid(*horizontal)));
    }
    if (value.wkt) return as_optional(spatial_reference_from_text(*value.wkt));
    return std::optional<SpatialReference>();
}

core::SpatialReference from_runtime(SpatialReference runtime) {
    core::SpatialReference value;
    value.wkid = present(spatial_reference_wkid(runtime));
    value.vcs_wkid = present(spatial_reference_vertical_wkid(runtime));
    if (!value.wkid) {
        std::string text = spatial_reference_text(runtime);
        if (!text.empty()) value.wkt = std::move(text);
    }
    return value;
}

}  // namespace velmor::runtime
