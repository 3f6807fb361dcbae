#pragma once

#include <Python.h>

#include <new>
#include <string>
#include <type_traits>

#include "core/internal_failure.hpp"
#include "errors.hpp"

namespace velmor::py {

// How a body's success value becomes the C return value of a CPython slot, and what that slot returns
// on failure.
template <class T>
struct EntryReturn;

template <>
struct EntryReturn<Ref> {
    using type = PyObject*;
    static constexpr PyObject* failed = nullptr;
    static PyObject* succeed(Ref&& value) { return value.release(); }
};

template <>
struct EntryReturn<void> {
    using type = int;
    static constexpr int failed = -1;
};

template <>
struct EntryReturn<Py_ssize_t> {
    using type = Py_ssize_t;
    static constexpr Py_ssize_t failed = -1;
    static Py_ssize_t succeed(Py_ssize_t value) { return value; }
};

template <>
struct EntryReturn<bool> {
    using type = int;
    static constexpr int failed = -1;
    static int succeed(bool value) { return value ? 1 : 0; }
};

// Every Python-callable entry (function, method, getter, setter, constructor, special method) runs its
// body through guard(): the body returns Result<T>; a NativeError becomes its Python exception, an
// internal failure becomes PanicException, and nothing C++ escapes into the interpreter.
template <class Body>
auto guard(Body&& body) noexcept {
    using Value = typename std::invoke_result_t<Body>::value_type;
    using Return = EntryReturn<Value>;
    try {
        auto result = body();
        if (result) {
            if constexpr (std::is_void_v<Value>) {
                return typename Return::type{0};
            } else {
                return Return::succeed(std::move(*result));
            }
        }
        raise(std::move(result.error()));
    } catch (const core::InternalFailure& failure) {
        raise_panic(failure.what());
    } catch (const std::bad_alloc&) {
        PyErr_NoMemory();
    } catch (const std::exception& unexpected) {
        raise_panic(std::string("Internal error: ") + unexpected.what());
    } catch (...) {
        raise_panic("Internal error: unknown failure");
    }
    return Return::failed;
}

// Setters receive a null value on `del`; attributes that have a setter cannot be deleted.
inline Result<void> refuse_attribute_delete() {
    return fail(raise_error(PyExc_AttributeError, "can't delete attribute"));
}

// Item assignment with a null value means `del obj[i]`, which the list-like classes do not support.
inline Result<void> refuse_item_delete() {
    return fail(raise_error(PyExc_NotImplementedError, "can't delete item"));
}

}  // namespace velmor::py
