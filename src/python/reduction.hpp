#pragma once

#include <Python.h>

#include "errors.hpp"

// What the pickled forms (__reduce__) of the module's classes are built from.
namespace velmor::py {

// A new reference from the C API, or the Python error it raised.
inline Result<Ref> new_reference(PyObject* created) {
    Ref result = Ref::steal(created);
    if (!result) return fail(python_error());
    return result;
}

// A callable of a standard module, for the forms of values that no constructor makes.
inline Result<Ref> module_function(const char* module, const char* name) {
    VELMOR_TRY_ASSIGN(Ref imported, new_reference(PyImport_ImportModule(module)));
    return new_reference(PyObject_GetAttrString(imported.get(), name));
}

// The form of a class attribute: getattr(owner, name), which gives back the very object.
inline Result<Ref> reduce_to_attribute(PyObject* owner, const char* name) {
    VELMOR_TRY_ASSIGN(Ref getattr, module_function("builtins", "getattr"));
    return new_reference(Py_BuildValue("(O(Os))", getattr.get(), owner, name));
}

}  // namespace velmor::py
