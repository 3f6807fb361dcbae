#include "geometry/spatial_reference_ref.hpp"

#include "handle.hpp"

namespace geokern {

// A handle is a Box of its family's value type; the box layout does not depend on that type, so the
// reference can be read and shared without knowing what a spatial reference holds.
SpatialReferenceRef spatial_reference_argument(GK_SpatialReferenceHandle handle) {
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Box<SpatialReferenceValue>*>(handle)->value;
}

GK_SpatialReferenceHandle spatial_reference_result(const SpatialReferenceRef& reference) {
    if (reference == nullptr) return nullptr;
    return reinterpret_cast<GK_SpatialReferenceHandle>(new Box<SpatialReferenceValue>(reference));
}

}  // namespace geokern
