#include "dict_forms/vertex.hpp"

#include <optional>

#include "dict_forms/lookup.hpp"

namespace velmor::py {
namespace {

Result<double> required_item(PyObject* position, Py_ssize_t index) {
    VELMOR_TRY_ASSIGN(PyObject* item, position_item(position, index));
    return to_number(item);
}

// An optional vertex item: absent past the end of the position or when it is not a number. An item
// whose own conversion method raises is not "not a number": its exception reaches the caller.
Result<std::optional<double>> optional_item(PyObject* position, Py_ssize_t index) {
    // PySequence_Fast's accessors read lists and tuples alike.
    if (index >= PySequence_Fast_GET_SIZE(position)) return std::optional<double>{};
    PyObject* item = PySequence_Fast_GET_ITEM(position, index);
    const double value = PyFloat_AsDouble(item);
    if (value == -1.0 && PyErr_Occurred()) {
        if (runs_own_float_conversion(item)) return fail(python_error());
        PyErr_Clear();
        return std::optional<double>{};
    }
    return std::optional<double>{value};
}

core::Coord coord_of(double x, double y, std::optional<double> z, std::optional<double> m) {
    if (z && m) return core::Coord::xyzm(x, y, *z, *m);
    if (z) return core::Coord::xyz(x, y, *z);
    if (m) return core::Coord::xym(x, y, *m);
    return core::Coord::xy(x, y);
}

}  // namespace

Result<core::Coord> vertex_from_py(PyObject* value, core::Dims dims) {
    VELMOR_TRY(require_position(value));
    VELMOR_TRY_ASSIGN(const double x, required_item(value, 0));
    VELMOR_TRY_ASSIGN(const double y, required_item(value, 1));
    std::optional<double> z;
    std::optional<double> m;
    Py_ssize_t next = 2;
    if (core::has_z(dims)) {
        VELMOR_TRY_ASSIGN(z, optional_item(value, next++));
    }
    if (core::has_m(dims)) {
        VELMOR_TRY_ASSIGN(m, optional_item(value, next));
    }
    return coord_of(x, y, z, m);
}

Result<core::Coord> auxiliary_point_from_py(PyObject* value) {
    return vertex_from_py(value, core::Dims::XY);
}

}  // namespace velmor::py
