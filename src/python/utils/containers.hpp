#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py::utils {

// Small checked constructors and mutators of Python lists, dicts, floats and ints.
Result<Ref> new_list();
Result<Ref> new_dict();
Result<Ref> new_float(double value);
Result<Ref> new_int(long value);
Result<void> set_item(const Ref& dict, PyObject* key, PyObject* value);
Result<void> append(PyObject* list, PyObject* item);

}  // namespace velmor::py::utils
