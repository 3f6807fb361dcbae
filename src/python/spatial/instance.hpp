#pragma once

#include <Python.h>

#include <new>
#include <utility>

#include "errors.hpp"

namespace velmor::py {

// A Python object of one of our heap types carrying a C++ value: the payload is constructed in place
// when the object is made and destroyed in tp_dealloc.
template <class Payload>
struct Instance {
    PyObject base;
    Payload payload;
};

template <class Payload>
Payload& payload_of(PyObject* self) {
    return reinterpret_cast<Instance<Payload>*>(self)->payload;
}

// A new object whose payload is made in place from the arguments (a payload may be immovable).
template <class Payload, class... Args>
Result<Ref> new_instance_of(PyTypeObject* type, Args&&... args) {
    if (type == nullptr) return fail(python_error());
    Ref object = Ref::steal(type->tp_alloc(type, 0));
    if (!object) return fail(python_error());
    new (&reinterpret_cast<Instance<Payload>*>(object.get())->payload) Payload(std::forward<Args>(args)...);
    return object;
}

template <class Payload>
Result<Ref> new_instance(PyTypeObject* type, Payload payload) {
    return new_instance_of<Payload>(type, std::move(payload));
}

// tp_dealloc of such a type; instances of heap types hold a reference to their type.
template <class Payload>
void dealloc_instance(PyObject* self) {
    Ref type = Ref::steal(reinterpret_cast<PyObject*>(Py_TYPE(self)));
    payload_of<Payload>(self).~Payload();
    Py_TYPE(self)->tp_free(self);
}

}  // namespace velmor::py
