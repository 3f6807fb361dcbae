#pragma once

#include <Python.h>

namespace velmor::py::utils {

extern PyMethodDef is_clockwise_def;

}  // namespace velmor::py::utils
