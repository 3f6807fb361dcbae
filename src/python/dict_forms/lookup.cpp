#include "lookup.hpp"

#include "parameter_error.hpp"
#include "spatial/spatial_reference.hpp"

namespace velmor::py {

Result<double> to_number(PyObject* value) {
    const double number = PyFloat_AsDouble(value);
    if (number == -1.0 && PyErr_Occurred()) return fail(python_error());
    return number;
}

Result<PyObject*> find_item(PyObject* dict, const char* key) {
    // A lookup compares the dictionary's keys with __eq__, which may raise; that exception is the
    // caller's, where PyDict_GetItemString would drop it.
    Ref name = Ref::steal(PyUnicode_FromString(key));
    if (!name) return fail(python_error());
    PyObject* value = PyDict_GetItemWithError(dict, name.get());
    if (value == nullptr && PyErr_Occurred()) return fail(python_error());
    return value;
}

Result<double> required_number(PyObject* dict, const char* key) {
    VELMOR_TRY_ASSIGN(PyObject* value, find_item(dict, key));
    if (value == nullptr) {
        return fail(NativeError::resolution(std::string("Did not find '") + key + "' in dict during resolution"));
    }
    return to_number(value);
}

Result<std::optional<double>> optional_number(PyObject* dict, const char* key) {
    VELMOR_TRY_ASSIGN(PyObject* value, find_item(dict, key));
    if (value == nullptr || value == Py_None) return std::optional<double>{};
    VELMOR_TRY_ASSIGN(double number, to_number(value));
    return std::optional<double>{number};
}

namespace {

Result<std::uint32_t> integer_to_u32(PyObject* integer) {
    const unsigned long number = PyLong_AsUnsignedLong(integer);
    if (number == static_cast<unsigned long>(-1) && PyErr_Occurred()) return fail(python_error());
    if (number > UINT32_MAX) {
        return fail(raise_error(PyExc_OverflowError, "out of range integral type conversion attempted"));
    }
    return static_cast<std::uint32_t>(number);
}

}  // namespace

Result<std::uint32_t> to_u32(PyObject* value) {
    Ref index = Ref::steal(PyNumber_Index(value));
    if (!index) return fail(python_error());
    return integer_to_u32(index.get());
}

Result<double> assigned_number(PyObject* value, const char* property) {
    auto number = to_number(value);
    if (number || runs_own_float_conversion(value)) return number;
    return fail(name_parameter(property, std::move(number.error())));
}

Result<std::uint32_t> assigned_u32(PyObject* value, const char* property) {
    Ref index = Ref::steal(PyNumber_Index(value));
    if (!index) {
        NativeError error = python_error();
        if (runs_own_index_conversion(value)) return fail(std::move(error));
        return fail(name_parameter(property, std::move(error)));
    }
    auto number = integer_to_u32(index.get());
    if (!number) return fail(name_parameter(property, std::move(number.error())));
    return number;
}

Result<std::optional<std::uint32_t>> optional_u32(PyObject* dict, const char* key) {
    VELMOR_TRY_ASSIGN(PyObject* value, find_item(dict, key));
    if (value == nullptr || value == Py_None) return std::optional<std::uint32_t>{};
    VELMOR_TRY_ASSIGN(std::uint32_t number, to_u32(value));
    return std::optional<std::uint32_t>{number};
}

Result<core::Dims> dimension_flags(PyObject* dict) {
    VELMOR_TRY_ASSIGN(PyObject* z, find_item(dict, "hasZ"));
    VELMOR_TRY_ASSIGN(PyObject* m, find_item(dict, "hasM"));
    return core::dims_from_flags(z == Py_True, m == Py_True);
}

Result<std::optional<core::SpatialReference>> optional_spatial_reference(PyObject* dict) {
    VELMOR_TRY_ASSIGN(PyObject* value, find_item(dict, "spatialReference"));
    if (value == nullptr) return std::optional<core::SpatialReference>{};
    if (!PyDict_Check(value)) {
        return fail(raise_error(PyExc_TypeError, "'" + type_name(value) + "' object cannot be converted to 'PyDict'"));
    }
    VELMOR_TRY_ASSIGN(core::SpatialReference reference, spatial_reference_from_dict(value));
    return std::optional<core::SpatialReference>{std::move(reference)};
}

Result<std::string> get_py_str(PyObject* value) {
    if (PyUnicode_Check(value)) {
        Py_ssize_t size = 0;
        const char* text = PyUnicode_AsUTF8AndSize(value, &size);
        if (text == nullptr) return fail(python_error());
        return std::string(text, static_cast<std::size_t>(size));
    }
    if (PyBytes_Check(value)) {
        Ref decoded = Ref::steal(PyUnicode_DecodeUTF8(PyBytes_AS_STRING(value), PyBytes_GET_SIZE(value), "strict"));
        if (!decoded) return fail(python_error());
        return std::string(PyBytes_AS_STRING(value), static_cast<std::size_t>(PyBytes_GET_SIZE(value)));
    }
    return fail(raise_error(PyExc_TypeError, "get_py_str was given an object that was not str or bytes"));
}

Result<void> require_list(PyObject* value) {
    if (PyList_Check(value)) return {};
    return fail(raise_error(PyExc_TypeError, "'" + type_name(value) + "' object cannot be converted to 'PyList'"));
}

Result<PyObject*> list_item(PyObject* list, Py_ssize_t index) {
    PyObject* item = PyList_GetItem(list, index);
    if (item == nullptr) return fail(python_error());
    return item;
}

bool is_position(PyObject* value) { return PyList_Check(value) || PyTuple_Check(value); }

Result<void> require_position(PyObject* value) {
    if (PyTuple_Check(value)) return {};
    return require_list(value);
}

Result<PyObject*> position_item(PyObject* position, Py_ssize_t index) {
    if (!PyTuple_Check(position)) return list_item(position, index);
    PyObject* item = PyTuple_GetItem(position, index);
    if (item == nullptr) return fail(python_error());
    return item;
}

Result<bool> to_bool(PyObject* value) {
    if (PyBool_Check(value)) return value == Py_True;
    return fail(raise_error(PyExc_TypeError, "'" + type_name(value) + "' object cannot be converted to 'PyBool'"));
}

}  // namespace velmor::py
