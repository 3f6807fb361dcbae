#pragma once

#include "core/curve_multipart.hpp"
#include "core/multipart.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// The parts of a native container, in order, as a runtime part collection; every part gets the given
// spatial reference. The caller holds the container's lock; each part is locked only while it is
// converted ("Lock poisoned" as an internal failure when its holder failed). The first refused curve
// ends the conversion with its Geokern error and releases what was built.
core::Result<MutablePartCollection> parts_to_runtime(const core::Multipart& parts,
                                                     const SpatialReference* spatial_reference);
core::Result<MutablePartCollection> parts_to_runtime(const core::CurveMultipart& parts,
                                                     const SpatialReference* spatial_reference);

}  // namespace velmor::runtime::convert
