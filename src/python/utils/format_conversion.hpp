#pragma once

#include <Python.h>

#include "dict_builder.hpp"

namespace velmor::py::utils {

// The steps shared by the four WKT/WKB conversions: check the argument's type (TypeError naming the
// parameter), walk the input into the builder (a reader or builder failure becomes RuntimeError with
// its display text), then take the finished dictionary.
Result<Ref> convert_wkt(DictBuilder& builder, PyObject* wkt);
Result<Ref> convert_wkb(DictBuilder& builder, PyObject* wkb);

}  // namespace velmor::py::utils
