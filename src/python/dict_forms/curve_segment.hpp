#pragma once

#include <Python.h>

#include "core/coord.hpp"
#include "core/curve_part.hpp"
#include "core/dims.hpp"
#include "errors.hpp"

namespace velmor::py {

// One segment item of a curve part list, starting at `start`: a coordinate list is a straight
// segment to that vertex; a dictionary keyed "c" (circular arc through an interior point), "a"
// (elliptic arc; 4 items: circular arc given by its centre) or "b" (cubic Bezier) is a curve, the
// keys tested in that order. The end vertex is read with `dims`, auxiliary points as XY.
// Anything else is the TypeError "point_and_curve_from_py: Did not get a valid dict or list for
// curve/point segment".
Result<core::CurveVertex> point_and_curve_from_py(PyObject* value, core::Dims dims, const core::Coord& start);

}  // namespace velmor::py
