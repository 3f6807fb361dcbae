#pragma once

#include <Python.h>

#include <string>

#include "core/dims.hpp"
#include "core/ovrajson_writer.hpp"
#include "entry.hpp"
#include "errors.hpp"
#include "spatial/instance.hpp"

namespace velmor::py {

// What the part, container and iterator classes share. Their objects carry one shared handle each.
template <class SharedT>
const SharedT& handle_of(PyObject* self) {
    return payload_of<SharedT>(self);
}

// No lock is held while Python code may run (value conversions, object creation), because a
// __float__ or a finalizer could come back to the same value and the locks are not reentrant: an
// operation reads what it needs under the lock, converts, then takes the lock again to act.

// The dimensionality of a value read ahead of a conversion; a poisoned lock there is a broken
// invariant.
template <class SharedT>
core::Dims dims_of(const SharedT& handle) {
    return handle.lock()->dims();
}

inline Result<Ref> none() { return Ref::borrow(Py_None); }

inline Result<Ref> text_object(const std::string& text) {
    Ref object = Ref::steal(PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size())));
    if (!object) return fail(python_error());
    return object;
}

// The members every view class has in the same form.

// clear(): removes every item; the dimensionality stays.
template <class SharedT>
PyObject* clear_view(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(auto guarded, handle_of<SharedT>(self).lock_checked());
        guarded->clear();
        return none();
    });
}

// len()
template <class SharedT>
Py_ssize_t view_length(PyObject* self) {
    return guard([&]() -> Result<Py_ssize_t> {
        VELMOR_TRY_ASSIGN(auto guarded, handle_of<SharedT>(self).lock_checked());
        return static_cast<Py_ssize_t>(guarded->size());
    });
}

// str() and repr(): the OvraJSON text of the value.
template <class SharedT>
PyObject* view_text(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        std::string written;
        {
            VELMOR_TRY_ASSIGN(auto guarded, handle_of<SharedT>(self).lock_checked());
            written = core::write_ovrajson(*guarded);
        }
        return text_object(written);
    });
}

}  // namespace velmor::py
