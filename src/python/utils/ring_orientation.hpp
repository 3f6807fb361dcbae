#pragma once

#include "sequence.hpp"

namespace velmor::py::utils {

// Whether a ring of vertices runs clockwise, by the sign of its shoelace sum. A closing vertex equal
// (within rounding noise) to the first is not counted and an open ring is closed implicitly; fewer
// than three remaining vertices fail with RuntimeError "ring must have at least 3 vertices". Vertex
// read errors are the host's.
Result<bool> ring_is_clockwise(const SequenceView& ring);

}  // namespace velmor::py::utils
