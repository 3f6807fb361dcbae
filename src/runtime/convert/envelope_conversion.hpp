#pragma once

#include "core/envelope_value.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// A runtime envelope of the value: the z range only when zmin and zmax are both present, the m range
// likewise, the spatial reference when there is one; the id range has no runtime counterpart. The
// library's refusal of the spatial reference is the Geokern kind.
core::Result<Envelope> envelope_to_runtime(const core::EnvelopeValue& value);

// The value of a runtime envelope: its bounds, the z and m ranges it reports, its spatial reference;
// no id range.
core::EnvelopeValue envelope_from_runtime(const Envelope& envelope);

}  // namespace velmor::runtime::convert
