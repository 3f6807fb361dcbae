#pragma once

#include <Python.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/ovrajson_writer.hpp"
#include "core/shared.hpp"
#include "dict_forms/lookup.hpp"
#include "entry.hpp"
#include "geometry/gkn_geo.hpp"
#include "parameter_error.hpp"
#include "runtime/error.hpp"
#include "runtime/geometry.hpp"
#include "spatial/instance.hpp"
#include "spatial/spatial_reference.hpp"

// The members that every geometry class shares, written once for all of them. Each class supplies
// traits:
//     using Value = ...;                        its native value
//     static constexpr const char* name;        "Point", ... (also geometry_type)
//     static constexpr const char* parameter;   the constructor's parameter name
//     static constexpr const char* refusal;     TypeError of a constructor argument of another kind
//     static PyTypeObject* type();
//     static Result<Value> from_dict(PyObject* dict);
//     static core::Result<runtime::GeometryOwned> to_runtime(const Value& value);
//     static const std::optional<core::SpatialReference>& spatial_reference(const Value& value);
//     static void set_spatial_reference(Value& value, std::optional<core::SpatialReference> reference);
// An object holds one shared handle to its value; every access locks it for that access only, and a
// poisoned lock is the Lock error. Nothing that may call back into Python runs under the lock.
namespace velmor::py::geometry_class {

template <class Value>
using Holder = core::Shared<Value>;

template <class Value>
const Holder<Value>& holder_of(PyObject* self) {
    return payload_of<Holder<Value>>(self);
}

template <class Traits>
Result<Ref> new_object(typename Traits::Value value) {
    return new_instance(Traits::type(), Holder<typename Traits::Value>(std::move(value)));
}

// Reads something from the value under its lock.
template <class Value, class Read>
auto read(PyObject* self, Read&& reader) -> Result<decltype(reader(std::declval<const Value&>()))> {
    VELMOR_TRY_ASSIGN(auto guard, holder_of<Value>(self).lock_checked());
    return reader(*guard);
}

// Changes the value under its lock.
template <class Value, class Write>
Result<void> write(PyObject* self, Write&& writer) {
    VELMOR_TRY_ASSIGN(auto guard, holder_of<Value>(self).lock_checked());
    writer(*guard);
    return {};
}

inline Result<Ref> checked(PyObject* created) {
    Ref result = Ref::steal(created);
    if (!result) return fail(python_error());
    return result;
}

inline Result<Ref> text_object(const std::string& text) {
    return checked(PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size())));
}

inline Result<Ref> optional_float(const std::optional<double>& value) {
    if (!value) return Ref::borrow(Py_None);
    return checked(PyFloat_FromDouble(*value));
}

// The constructor: an instance of the class (or a subclass) shares its value; a dictionary is read by
// the class's dictionary form; anything else is refused.
template <class Traits>
PyObject* construct(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
    return guard([&]() -> Result<Ref> {
        using Value = typename Traits::Value;
        const std::string format = std::string("O:") + Traits::name;
        char* names[] = {const_cast<char*>(Traits::parameter), nullptr};
        PyObject* argument = nullptr;
        if (!PyArg_ParseTupleAndKeywords(args, kwargs, format.c_str(), names, &argument)) return fail(python_error());
        PyTypeObject* own_type = Traits::type();
        if (own_type == nullptr) return fail(python_error());
        if (PyObject_TypeCheck(argument, own_type)) {
            return new_instance(type, holder_of<Value>(argument));
        }
        if (PyDict_Check(argument)) {
            VELMOR_TRY_ASSIGN(Value value, Traits::from_dict(argument));
            return new_instance(type, Holder<Value>(std::move(value)));
        }
        return fail(raise_error(PyExc_TypeError, Traits::refusal));
    });
}

// str() and repr(): the native OvraJSON text, written under the lock.
template <class Traits>
PyObject* text(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(std::string written,
                          (read<typename Traits::Value>(self, [](const auto& value) { return core::write_ovrajson(value); })));
        return text_object(written);
    });
}

// A runtime geometry built from the value as it is now, under its lock. The conversion can fail inside
// the runtime core (a spatial reference it refuses) but changes nothing, so its failure releases the
// lock unpoisoned rather than poisoning it for every object that shares the value.
template <class Traits>
core::Result<runtime::GeometryOwned> runtime_geometry(PyObject* self) {
    using Value = typename Traits::Value;
    VELMOR_TRY_ASSIGN(auto guard, holder_of<Value>(self).lock_checked());
    return core::read_without_poisoning(std::move(guard),
                                        [](const Value& value) { return Traits::to_runtime(value); });
}

template <class Traits>
PyObject* gkn_geo(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, runtime_geometry<Traits>(self));
        return new_gkn_geo(std::move(geometry));
    });
}

// JSON: the OvraJSON text that the runtime core writes for the value; its refusal is the Geokern kind.
template <class Traits>
PyObject* get_json(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, runtime_geometry<Traits>(self));
        auto written = runtime::json_text(geometry.get());
        if (!written) return fail(runtime::to_native_error(written.error()));
        return text_object(*written);
    });
}

template <class Traits>
PyObject* get_geometry_type(PyObject*, void*) {
    return guard([]() -> Result<Ref> { return checked(PyUnicode_FromString(Traits::name)); });
}

// A METH_FASTCALL | METH_KEYWORDS function in the method table's type.
inline PyCFunction fastcall(PyObject* (*function)(PyObject*, PyObject* const*, Py_ssize_t, PyObject*)) {
    return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

inline PyObject* get_none(PyObject*, void*) { return Py_NewRef(Py_None); }

template <class Traits>
PyObject* get_spatial_reference(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(std::optional<core::SpatialReference> reference,
                          (read<typename Traits::Value>(self, [](const auto& value) {
                              return std::optional<core::SpatialReference>(Traits::spatial_reference(value));
                          })));
        if (!reference) return Ref::borrow(Py_None);
        return new_spatial_reference(std::move(*reference));
    });
}

// Only the dictionary form is accepted. It is read before the lock is taken, since reading it may run
// Python code that touches this very geometry; a refused value leaves the stored one unchanged.
template <class Traits>
int set_spatial_reference(PyObject* self, PyObject* assigned, void*) {
    return guard([&]() -> Result<void> {
        if (assigned == nullptr) return refuse_attribute_delete();
        if (!PyDict_Check(assigned)) return fail(NativeError::python_cast(type_name(assigned), "PyDict"));
        VELMOR_TRY_ASSIGN(core::SpatialReference reference, spatial_reference_from_dict(assigned));
        return write<typename Traits::Value>(self, [&](auto& value) {
            Traits::set_spatial_reference(value, std::move(reference));
        });
    });
}

// Flags of the value (has z, has m, is empty), as bool.
template <class Value, auto Test>
PyObject* get_flag(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(bool flag, (read<Value>(self, [](const Value& value) { return (value.*Test)(); })));
        return Ref::borrow(flag ? Py_True : Py_False);
    });
}

// A double field that is always there; assigning None stores NaN.
template <class Value, auto Field>
PyObject* get_double(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(double number, (read<Value>(self, [](const Value& value) { return value.*Field; })));
        return checked(PyFloat_FromDouble(number));
    });
}

template <class Value, auto Field, const char* Parameter>
int set_double_or_nan(PyObject* self, PyObject* assigned, void*) {
    return guard([&]() -> Result<void> {
        if (assigned == nullptr) return refuse_attribute_delete();
        double number = std::numeric_limits<double>::quiet_NaN();
        if (assigned != Py_None) {
            VELMOR_TRY_ASSIGN(number, assigned_number(assigned, Parameter));
        }
        return write<Value>(self, [&](Value& value) { value.*Field = number; });
    });
}

// An optional field: None reads as absent and assigning None removes it.
template <class Value, auto Field>
PyObject* get_optional(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(auto field, (read<Value>(self, [](const Value& value) { return value.*Field; })));
        if (!field) return Ref::borrow(Py_None);
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(*field)>, double>) {
            return checked(PyFloat_FromDouble(*field));
        } else {
            return checked(PyLong_FromUnsignedLong(*field));
        }
    });
}

template <class Value, auto Field, const char* Parameter>
int set_optional(PyObject* self, PyObject* assigned, void*) {
    return guard([&]() -> Result<void> {
        if (assigned == nullptr) return refuse_attribute_delete();
        using Stored = std::remove_cvref_t<decltype(std::declval<Value&>().*Field)>;
        Stored stored;
        if (assigned != Py_None) {
            if constexpr (std::is_same_v<Stored, std::optional<double>>) {
                VELMOR_TRY_ASSIGN(stored, assigned_number(assigned, Parameter));
            } else {
                VELMOR_TRY_ASSIGN(stored, assigned_u32(assigned, Parameter));
            }
        }
        return write<Value>(self, [&](Value& value) { value.*Field = stored; });
    });
}

}  // namespace velmor::py::geometry_class
