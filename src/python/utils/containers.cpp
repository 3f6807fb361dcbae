#include "containers.hpp"

namespace velmor::py::utils {
namespace {

Result<Ref> checked(PyObject* created) {
    if (created == nullptr) return fail(python_error());
    return Ref::steal(created);
}

}  // namespace

Result<Ref> new_list() {
    return checked(PyList_New(0));
}
Result<Ref> new_dict() {
    return checked(PyDict_New());
}
Result<Ref> new_float(double value) {
    return checked(PyFloat_FromDouble(value));
}
Result<Ref> new_int(long value) {
    return checked(PyLong_FromLong(value));
}

Result<void> set_item(const Ref& dict, PyObject* key, PyObject* value) {
    if (PyDict_SetItem(dict.get(), key, value) < 0) return fail(python_error());
    return {};
}

Result<void> append(PyObject* list, PyObject* item) {
    if (PyList_Append(list, item) < 0) return fail(python_error());
    return {};
}

}  // namespace velmor::py::utils
