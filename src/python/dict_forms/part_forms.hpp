#pragma once

#include <Python.h>

#include <vector>

#include "core/curve_part.hpp"
#include "core/dims.hpp"
#include "core/part.hpp"
#include "errors.hpp"

namespace velmor::py {

// A list of coordinate lists as one part of the given dimensionality, vertices in list order; the
// first bad item ends the conversion.
Result<core::Part> part_from_coordinate_lists(PyObject* value, core::Dims dims);

// A curve part list: item 0 is the start vertex and must be a coordinate list (ValueError "Tried to
// create curve part with a curve as the first segment- must have a regular coordinate as start
// vertex"); every later item is one segment from the end of the previous one.
Result<core::CurvePart> curve_part_from_list(PyObject* value, core::Dims dims);

// A list of parts in either form ("paths", "rings" / "curvePaths", "curveRings"), each made shared.
Result<std::vector<core::SharedPart>> parts_from_list(PyObject* value, core::Dims dims);
Result<std::vector<core::SharedCurvePart>> curve_parts_from_list(PyObject* value, core::Dims dims);

}  // namespace velmor::py
