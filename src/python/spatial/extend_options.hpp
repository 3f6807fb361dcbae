#pragma once

#include <Python.h>

#include <cstdint>

#include "errors.hpp"

namespace velmor::py {

// GeometryExtendOptions: a 32-bit flag set with its six named values as class attributes.
PyTypeObject* geometry_extend_options_type();

// The bits of a GeometryExtendOptions object; any other object is a TypeError naming `parameter`.
Result<uint32_t> extend_options_bits(PyObject* value, const char* parameter);

}  // namespace velmor::py
