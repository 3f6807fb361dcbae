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

// A callable of a standard module, for the pickled forms of values that no constructor makes.
inline Result<Ref> module_function(const char* module, const char* name) {
    Ref imported = Ref::steal(PyImport_ImportModule(module));
    if (!imported) return fail(python_error());
    Ref function = Ref::steal(PyObject_GetAttrString(imported.get(), name));
    if (!function) return fail(python_error());
    return function;
}

// The pickled form of a class attribute: getattr(class, name), which gives back the very object.
inline Result<Ref> reduce_to_class_attribute(PyTypeObject* type, const char* name) {
    VELMOR_TRY_ASSIGN(Ref getattr, module_function("builtins", "getattr"));
    Ref reduced = Ref::steal(Py_BuildValue("(O(Os))", getattr.get(), reinterpret_cast<PyObject*>(type), name));
    if (!reduced) return fail(python_error());
    return reduced;
}

}  // namespace velmor::py
