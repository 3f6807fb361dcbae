#pragma once

#include <Python.h>

namespace velmor::py {

// The once-per-process type object of one class, built from its spec on first use (after its base).
// A class file defines its spec and a function returning cell.get(); registration and instance
// creation both go through that function.
class TypeCell {
public:
    using BaseGetter = PyTypeObject* (*)();

    constexpr explicit TypeCell(PyType_Spec* spec, BaseGetter base = nullptr) : spec_(spec), base_(base) {}

    // Borrowed; null with a Python exception set when building failed (the next call tries again).
    PyTypeObject* get() {
        if (type_ == nullptr) type_ = build();
        return type_;
    }

private:
    PyTypeObject* build() {
        PyObject* bases = nullptr;
        if (base_ != nullptr) {
            PyTypeObject* base = base_();
            if (base == nullptr) return nullptr;
            bases = reinterpret_cast<PyObject*>(base);
        }
        // Class attributes are fixed, as for the interpreter's own built-in types.
        spec_->flags |= Py_TPFLAGS_IMMUTABLETYPE;
        // The cell keeps the new reference for the life of the process.
        auto* type = reinterpret_cast<PyTypeObject*>(PyType_FromSpecWithBases(spec_, bases));
        if (type != nullptr && !settle_doc(type)) {
            Py_DECREF(type);
            return nullptr;
        }
        return type;
    }

    // A docstring that is only a text signature gives __text_signature__ and a __doc__ of None, as it
    // does for built-in types; heap types would otherwise report an empty string.
    static bool settle_doc(PyTypeObject* type) {
        PyObject* doc = PyDict_GetItemString(type->tp_dict, "__doc__");  // borrowed
        if (doc == nullptr || !PyUnicode_Check(doc) || PyUnicode_GetLength(doc) != 0) return true;
        if (PyDict_SetItemString(type->tp_dict, "__doc__", Py_None) < 0) return false;
        PyType_Modified(type);
        return true;
    }

    PyType_Spec* spec_;
    BaseGetter base_;
    PyTypeObject* type_ = nullptr;
};

}  // namespace velmor::py
