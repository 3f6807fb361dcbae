#include "spatial/spatial_reference.hpp"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "args.hpp"
#include "dict_forms/lookup.hpp"
#include "entry.hpp"
#include "parameter_error.hpp"
#include "reduction.hpp"
#include "runtime/spatial/spatial_reference_conversion.hpp"
#include "spatial/instance.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

using Value = core::SpatialReference;
using Identifier = std::optional<uint32_t> Value::*;
using Text = std::optional<std::string> Value::*;

bool is_spatial_reference(PyObject* object) { return Py_IS_TYPE(object, spatial_reference_type()); }

Result<std::string> to_text(PyObject* object) {
    if (!PyUnicode_Check(object)) {
        return fail(raise_error(PyExc_TypeError, "'" + type_name(object) + "' object cannot be converted to 'PyString'"));
    }
    Py_ssize_t size = 0;
    const char* data = PyUnicode_AsUTF8AndSize(object, &size);
    if (data == nullptr) return fail(python_error());
    return std::string(data, static_cast<std::size_t>(size));
}

// A dictionary entry: missing and None both leave the field unset.
Result<PyObject*> entry(PyObject* dict, const char* key) {
    VELMOR_TRY_ASSIGN(PyObject* item, find_item(dict, key));
    return item == Py_None ? nullptr : item;
}

struct IdentifierField {
    const char* key;
    const char* property;
    Identifier field;
};
struct TextField {
    const char* key;
    const char* property;
    Text field;
};

constexpr std::array<IdentifierField, 4> identifier_fields{{
    {"wkid", "wkid", &Value::wkid},
    {"latestWkid", "latest_wkid", &Value::latest_wkid},
    {"vcsWkid", "vcs_wkid", &Value::vcs_wkid},
    {"latestVcsWkid", "latest_vcs_wkid", &Value::latest_vcs_wkid},
}};
constexpr std::array<TextField, 2> text_fields{{
    {"wkt", "wkt", &Value::wkt},
    {"wkt2", "wkt2", &Value::wkt2},
}};

Value& value_of(PyObject* self) { return payload_of<Value>(self); }

// Partial equality: any one shared identifier or text suffices; the vertical identifiers take no part.
bool partially_equal(const Value& a, const Value& b) {
    auto same = [](const auto& x, const auto& y) { return x && y && *x == *y; };
    return same(a.wkid, b.wkid) || same(a.latest_wkid, b.latest_wkid) || same(a.wkt, b.wkt) || same(a.wkt2, b.wkt2);
}

PyObject* construct(PyTypeObject*, PyObject* args, PyObject* kwargs) {
    return guard([&]() -> Result<Ref> {
        static const char* names[] = {"sr", nullptr};
        PyObject* sr = nullptr;
        if (!PyArg_ParseTupleAndKeywords(args, kwargs, "O:SpatialReference", const_cast<char**>(names), &sr)) {
            return fail(python_error());
        }
        VELMOR_TRY_ASSIGN(Value value, spatial_reference_from_py(sr));
        return new_spatial_reference(std::move(value));
    });
}

PyObject* text(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        const std::string json = core::compact_json(value_of(self));
        Ref result = Ref::steal(PyUnicode_FromStringAndSize(json.data(), static_cast<Py_ssize_t>(json.size())));
        if (!result) return fail(python_error());
        return result;
    });
}

PyObject* compare(PyObject* self, PyObject* other, int op) {
    return guard([&]() -> Result<Ref> {
        if (op == Py_EQ) {
            const bool equal = is_spatial_reference(other) && partially_equal(value_of(self), value_of(other));
            return Ref::borrow(equal ? Py_True : Py_False);
        }
        if (op == Py_NE) {
            Ref equal = Ref::steal(PyObject_RichCompare(self, other, Py_EQ));
            if (!equal) return fail(python_error());
            const int truth = PyObject_IsTrue(equal.get());
            if (truth < 0) return fail(python_error());
            return Ref::borrow(truth ? Py_False : Py_True);
        }
        return Ref::borrow(Py_NotImplemented);
    });
}

Result<void> put(PyObject* dict, const char* key, Ref item) {
    if (PyDict_SetItemString(dict, key, item.get()) < 0) return fail(python_error());
    return {};
}

// The dictionary form of the present fields, which the constructor reads back to the same value.
Result<Ref> dict_form(const Value& value) {
    VELMOR_TRY_ASSIGN(Ref dict, new_reference(PyDict_New()));
    for (const IdentifierField& field : identifier_fields) {
        const auto& identifier = value.*field.field;
        if (!identifier) continue;
        VELMOR_TRY_ASSIGN(Ref item, new_reference(PyLong_FromUnsignedLong(*identifier)));
        VELMOR_TRY(put(dict.get(), field.key, std::move(item)));
    }
    for (const TextField& field : text_fields) {
        const auto& text_value = value.*field.field;
        if (!text_value) continue;
        VELMOR_TRY_ASSIGN(Ref item, new_reference(PyUnicode_FromStringAndSize(text_value->data(),
                                                                      static_cast<Py_ssize_t>(text_value->size()))));
        VELMOR_TRY(put(dict.get(), field.key, std::move(item)));
    }
    return dict;
}

// Pickling and copying: the class called with the dictionary form, so a copy owns its own value.
PyObject* reduce(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(Ref form, dict_form(value_of(self)));
        return new_reference(Py_BuildValue("(O(O))", reinterpret_cast<PyObject*>(spatial_reference_type()), form.get()));
    });
}

PyMethodDef methods[] = {
    {"__reduce__", reduce, METH_NOARGS,
     "__reduce__($self)\n--\n\nThe pickled form: the class and the dictionary form of the present fields."},
    {nullptr},
};

template <std::size_t I>
PyObject* get_identifier(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        const auto& field = value_of(self).*identifier_fields[I].field;
        if (!field) return Ref::borrow(Py_None);
        Ref result = Ref::steal(PyLong_FromUnsignedLong(*field));
        if (!result) return fail(python_error());
        return result;
    });
}

template <std::size_t I>
int set_identifier(PyObject* self, PyObject* new_value, void*) {
    return guard([&]() -> Result<void> {
        if (new_value == nullptr) return refuse_attribute_delete();
        std::optional<uint32_t> converted;
        if (new_value != Py_None) {
            VELMOR_TRY_ASSIGN(converted, assigned_u32(new_value, identifier_fields[I].property));
        }
        value_of(self).*identifier_fields[I].field = converted;
        return {};
    });
}

template <std::size_t I>
PyObject* get_text(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        const auto& field = value_of(self).*text_fields[I].field;
        if (!field) return Ref::borrow(Py_None);
        Ref result = Ref::steal(PyUnicode_FromStringAndSize(field->data(), static_cast<Py_ssize_t>(field->size())));
        if (!result) return fail(python_error());
        return result;
    });
}

template <std::size_t I>
int set_text(PyObject* self, PyObject* new_value, void*) {
    return guard([&]() -> Result<void> {
        if (new_value == nullptr) return refuse_attribute_delete();
        std::optional<std::string> converted;
        if (new_value != Py_None) {
            auto text_value = to_text(new_value);
            if (!text_value) return fail(name_parameter(text_fields[I].property, std::move(text_value.error())));
            converted = std::move(*text_value);
        }
        value_of(self).*text_fields[I].field = std::move(converted);
        return {};
    });
}

PyGetSetDef properties[] = {
    {"wkid", get_identifier<0>, set_identifier<0>,
     "The well-known identifier (int), or None. Assign an int from 0 to 4294967295 or None.", nullptr},
    {"latest_wkid", get_identifier<1>, set_identifier<1>,
     "The latest well-known identifier (int), or None. Assign an int from 0 to 4294967295 or None.", nullptr},
    {"vcs_wkid", get_identifier<2>, set_identifier<2>,
     "The well-known identifier of the vertical system (int), or None; assignable like wkid.", nullptr},
    {"latest_vcs_wkid", get_identifier<3>, set_identifier<3>,
     "The latest well-known identifier of the vertical system (int), or None; assignable like wkid.",
     nullptr},
    {"wkt", get_text<0>, set_text<0>, "The well-known text (str), or None. Assign a str or None.", nullptr},
    {"wkt2", get_text<1>, set_text<1>,
     "The second well-known text form (str), or None. Assign a str or None.", nullptr},
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("SpatialReference(sr)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(construct)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<Value>)},
    {Py_tp_str, reinterpret_cast<void*>(text)},
    {Py_tp_repr, reinterpret_cast<void*>(text)},
    {Py_tp_richcompare, reinterpret_cast<void*>(compare)},
    {Py_tp_hash, reinterpret_cast<void*>(PyObject_HashNotImplemented)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.SpatialReference",
    static_cast<int>(sizeof(Instance<Value>)),
    0,
    Py_TPFLAGS_DEFAULT,
    slots,
};

}  // namespace

PyTypeObject* spatial_reference_type() {
    static TypeCell cell(&spec);
    return cell.get();
}

Result<Ref> new_spatial_reference(core::SpatialReference value) {
    return new_instance(spatial_reference_type(), std::move(value));
}

Result<core::SpatialReference> spatial_reference_from_dict(PyObject* dict) {
    Value value;
    for (const IdentifierField& field : identifier_fields) {
        VELMOR_TRY_ASSIGN(PyObject* item, entry(dict, field.key));
        if (item == nullptr) continue;
        VELMOR_TRY_ASSIGN(uint32_t identifier, to_u32(item));
        value.*field.field = identifier;
    }
    for (const TextField& field : text_fields) {
        VELMOR_TRY_ASSIGN(PyObject* item, entry(dict, field.key));
        if (item == nullptr) continue;
        VELMOR_TRY_ASSIGN(std::string text_value, to_text(item));
        value.*field.field = std::move(text_value);
    }
    return value;
}

Result<core::SpatialReference> spatial_reference_from_py(PyObject* value) {
    PyTypeObject* type = spatial_reference_type();
    if (type == nullptr) return fail(python_error());
    if (Py_IS_TYPE(value, type)) return value_of(value);
    if (PyDict_Check(value)) return spatial_reference_from_dict(value);
    return fail(raise_error(PyExc_TypeError, "SpatialReference from_py expects a SpatialReference object or a dict"));
}

Result<runtime::SpatialReference> runtime_spatial_reference_argument(PyObject* argument) {
    VELMOR_TRY_ASSIGN(Value value, spatial_reference_from_py(argument));
    VELMOR_TRY_ASSIGN(std::optional<runtime::SpatialReference> runtime_value, runtime::to_runtime(value));
    if (!runtime_value) {
        return fail(raise_error(PyExc_ValueError,
                                "Failed to convert " + describe(argument) + " into a geometry engine spatial reference"));
    }
    return std::move(*runtime_value);
}

}  // namespace velmor::py
