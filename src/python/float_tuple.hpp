#pragma once

#include <span>

#include "errors.hpp"

namespace velmor::py {

// A new tuple of floats, made directly rather than through a format string parsed on every call. It
// is left to no cycle collection, since floats can take part in no reference cycle.
Result<Ref> float_tuple(std::span<const double> values);

}  // namespace velmor::py
