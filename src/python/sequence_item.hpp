#pragma once

#include <Python.h>

#include "ref.hpp"

namespace velmor::py {

// The sequence slot of a class whose items the mapping slot `GetItem` serves. numpy and the old
// iteration protocol look at the sequence slots only, so a list-like class needs both to turn into
// an array.
template <PyObject* (*GetItem)(PyObject*, PyObject*)>
PyObject* sequence_item(PyObject* self, Py_ssize_t index) {
    Ref key = Ref::steal(PyLong_FromSsize_t(index));
    if (!key) return nullptr;
    return GetItem(self, key.get());
}

}  // namespace velmor::py
