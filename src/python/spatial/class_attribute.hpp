#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py {

// Stores a value in the dictionary of a class being set up (members of enumerations, named flag
// values). The types refuse attribute assignment from Python, so this goes to the dictionary itself.
inline Result<void> set_class_attribute(PyTypeObject* type, const char* name, Result<Ref> value) {
    if (!value) return fail(std::move(value.error()));
    if (PyDict_SetItemString(type->tp_dict, name, value->get()) < 0) return fail(python_error());
    PyType_Modified(type);
    return {};
}

}  // namespace velmor::py
