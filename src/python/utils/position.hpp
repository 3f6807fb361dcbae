#pragma once

#include "errors.hpp"
#include "formats/coordinate.hpp"

namespace velmor::py::utils {

// A coordinate as a tuple of floats: (x, y), (x, y, z), (x, y, m) or (x, y, z, m).
Result<Ref> position_tuple(const formats::Coordinate& c);

}  // namespace velmor::py::utils
