#pragma once

#include "core/multipoint.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// A native multipoint to a runtime one and back: one runtime point per vertex, in order, with the
// spatial reference. The caller holds the geometry value's lock; the point part is locked while it
// is read. A spatial reference the runtime does not know is the Geokern kind.
core::Result<Multipoint> multipoint_to_runtime(const core::Multipoint& multipoint);
// Dimensionality from the geometry's z and m, its spatial reference as a value.
core::Multipoint multipoint_from_runtime(const Multipoint& multipoint);

}  // namespace velmor::runtime::convert
