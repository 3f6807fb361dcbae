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
        // The cell keeps the new reference for the life of the process.
        return reinterpret_cast<PyTypeObject*>(PyType_FromSpecWithBases(spec_, bases));
    }

    PyType_Spec* spec_;
    BaseGetter base_;
    PyTypeObject* type_ = nullptr;
};

}  // namespace velmor::py
