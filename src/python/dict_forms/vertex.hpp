#pragma once

#include <Python.h>

#include "core/coord.hpp"
#include "core/dims.hpp"
#include "errors.hpp"

namespace velmor::py {

// A coordinate list [x, y, ...] read for a container of the given dimensionality: x and y are
// required numbers; item 2 is z when the container has z, else m when it has m; item 3 is m when it
// has both. A missing optional item or one that is not a number is left out without error, so the
// vertex has the dimensionality formed by the values found (a part stores NaN for what is missing).
// Tuples and other sequences are refused with the interpreter's TypeError.
Result<core::Coord> vertex_from_py(PyObject* value, core::Dims dims);

// An auxiliary point of a curve segment (interior, centre, control point): items 0 and 1 of a list.
Result<core::Coord> auxiliary_point_from_py(PyObject* value);

}  // namespace velmor::py
