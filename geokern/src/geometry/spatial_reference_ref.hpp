#pragma once

#include <memory>

#include "interface.hpp"

namespace geokern {

// The value behind a GK_SpatialReferenceHandle belongs to the spatial reference family. Geometries only
// keep a shared reference to it and hand it back unchanged, so its type may stay incomplete here.
struct SpatialReferenceValue;
using SpatialReferenceRef = std::shared_ptr<SpatialReferenceValue>;

// The reference behind a caller's handle; a null handle means "no spatial reference".
SpatialReferenceRef spatial_reference_argument(GK_SpatialReferenceHandle handle);

// A new handle sharing the reference, or null when there is none.
GK_SpatialReferenceHandle spatial_reference_result(const SpatialReferenceRef& reference);

// Two geometries agree on their spatial reference when both have none, both share one value, or their
// values are the same system (a system read back from its JSON text is a new value).
bool same_spatial_reference(const SpatialReferenceRef& a, const SpatialReferenceRef& b);

}  // namespace geokern
