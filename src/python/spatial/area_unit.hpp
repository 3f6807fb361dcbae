#pragma once

#include <Python.h>

#include <cstdint>

#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class AreaUnit: one runtime area unit per object.
PyTypeObject* area_unit_type();

// The runtime unit held by an AreaUnit object; null for any other object.
const runtime::AreaUnit* area_unit_of(PyObject* value);

// The runtime area unit of a code; the library's refusal is a RuntimeError with the record's debug text.
Result<runtime::AreaUnit> runtime_area_unit(int32_t code);

}  // namespace velmor::py
