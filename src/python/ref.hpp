#pragma once

#include <Python.h>

#include <utility>

namespace velmor::py {

// An owning reference to a Python object. The only place that increments or decrements reference
// counts by hand; everything else holds a Ref.
class Ref {
public:
    Ref() = default;
    static Ref steal(PyObject* object) { return Ref(object); }
    static Ref borrow(PyObject* object) {
        Py_XINCREF(object);
        return Ref(object);
    }

    Ref(const Ref& other) : object_(other.object_) { Py_XINCREF(object_); }
    Ref(Ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    Ref& operator=(Ref other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~Ref() { Py_XDECREF(object_); }

    PyObject* get() const { return object_; }
    // Hands the reference to the caller (typically the interpreter, as a return value).
    PyObject* release() { return std::exchange(object_, nullptr); }
    explicit operator bool() const { return object_ != nullptr; }

private:
    explicit Ref(PyObject* object) : object_(object) {}
    PyObject* object_ = nullptr;
};

}  // namespace velmor::py
