#pragma once

#include <Python.h>

#include <cmath>
#include <string>
#include <string_view>

#include "core/value_state.hpp"
#include "geometry/geometry_class.hpp"
#include "runtime/utf8.hpp"

// Pickling and copying of the geometry classes. An object reduces to its class called with the
// dictionary form of an empty geometry, followed by __setstate__ with the compact binary state of its
// value: the constructor's own rules stay as they are, the restored value is a new one (a copy shares
// nothing with the original) and every double comes back bit for bit. copy.copy and copy.deepcopy go
// the same way.
namespace velmor::py::geometry_state {

// The dictionary form of an empty geometry of each class, which its constructor accepts.
inline PyObject* empty_form(const core::PointValue*) {
    return Py_BuildValue("{s:d,s:d}", "x", NAN, "y", NAN);
}
inline PyObject* empty_form(const core::EnvelopeValue*) {
    return Py_BuildValue("{s:d,s:d,s:d,s:d}", "xmin", NAN, "ymin", NAN, "xmax", NAN, "ymax", NAN);
}
inline PyObject* empty_form(const core::Multipoint*) { return Py_BuildValue("{s:[]}", "points"); }
inline PyObject* empty_form(const core::Polyline*) { return Py_BuildValue("{s:[]}", "paths"); }
inline PyObject* empty_form(const core::Polygon*) { return Py_BuildValue("{s:[]}", "rings"); }

// The state is written from a snapshot of the value: the snapshot shares the containers, whose locks
// the writer takes one at a time after the geometry's own lock is released.
template <class Traits>
PyObject* reduce(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        using Value = typename Traits::Value;
        VELMOR_TRY_ASSIGN(Value snapshot, (geometry_class::read<Value>(self, [](const Value& value) { return value; })));
        const std::string state = core::encode_state(snapshot);
        VELMOR_TRY_ASSIGN(Ref form, geometry_class::checked(empty_form(static_cast<const Value*>(nullptr))));
        VELMOR_TRY_ASSIGN(Ref bytes, geometry_class::checked(PyBytes_FromStringAndSize(
                                         state.data(), static_cast<Py_ssize_t>(state.size()))));
        return geometry_class::checked(
            Py_BuildValue("(O(O)O)", reinterpret_cast<PyObject*>(Py_TYPE(self)), form.get(), bytes.get()));
    });
}

// The state keeps texts as bytes; Python will only ever see them as str, so they must be UTF-8.
inline bool texts_are_utf8(const std::optional<core::SpatialReference>& reference) {
    if (!reference) return true;
    for (const auto* text : {&reference->wkt, &reference->wkt2}) {
        if (*text && !runtime::is_valid_utf8(**text)) return false;
    }
    return true;
}

// A state that is not bytes, not of this class or damaged is refused before the value is touched.
template <class Traits>
PyObject* setstate(PyObject* self, PyObject* state) {
    return guard([&]() -> Result<Ref> {
        using Value = typename Traits::Value;
        const std::string prefix = std::string("Cannot restore a pickled ") + Traits::name + ": ";
        if (!PyBytes_Check(state)) {
            return fail(raise_error(PyExc_TypeError, prefix + "the state must be bytes, not " + type_name(state)));
        }
        const std::string_view bytes(PyBytes_AS_STRING(state), static_cast<std::size_t>(PyBytes_GET_SIZE(state)));
        auto restored = core::decode_state<Value>(bytes);
        if (!restored) return fail(raise_error(PyExc_ValueError, prefix + restored.error().text()));
        if (!texts_are_utf8(Traits::spatial_reference(*restored))) {
            return fail(raise_error(PyExc_ValueError, prefix + "a well-known text is not UTF-8"));
        }
        VELMOR_TRY(geometry_class::write<Value>(self, [&](Value& value) { value = std::move(*restored); }));
        return Ref::borrow(Py_None);
    });
}

template <class Traits>
constexpr PyMethodDef reduce_entry() {
    return {"__reduce__", reduce<Traits>, METH_NOARGS,
            "__reduce__($self)\n--\n\nThe pickled form: the class, an empty geometry's dictionary form and the "
            "exact binary state of the value."};
}

template <class Traits>
constexpr PyMethodDef setstate_entry() {
    return {"__setstate__", setstate<Traits>, METH_O,
            "__setstate__($self, state, /)\n--\n\nReplaces the value by the one a pickled state holds."};
}

}  // namespace velmor::py::geometry_state
