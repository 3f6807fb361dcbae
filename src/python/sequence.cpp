#include "sequence.hpp"

namespace velmor::py {
namespace {

Result<PyObject*> sequence_abc() {
    static PyObject* abc = nullptr;  // kept for the life of the process
    if (abc == nullptr) {
        Ref module = Ref::steal(PyImport_ImportModule("collections.abc"));
        if (!module) return fail(python_error());
        abc = PyObject_GetAttrString(module.get(), "Sequence");
        if (abc == nullptr) return fail(python_error());
    }
    return abc;
}

Result<double> as_double(PyObject* number) {
    const double value = PyFloat_AsDouble(number);
    if (value == -1.0 && PyErr_Occurred()) return fail(python_error());
    return value;
}

}  // namespace

Result<bool> is_sequence(PyObject* object) {
    if (PyList_Check(object) || PyTuple_Check(object)) return true;
    VELMOR_TRY_ASSIGN(PyObject* abc, sequence_abc());
    const int found = PyObject_IsInstance(object, abc);
    if (found < 0) return fail(python_error());
    return found == 1;
}

Result<SequenceView> SequenceView::of(PyObject* object) {
    VELMOR_TRY_ASSIGN(const bool sequence, is_sequence(object));
    if (!sequence) {
        return fail(raise_error(PyExc_TypeError,
                                "'" + type_name(object) + "' object cannot be converted to 'Sequence'"));
    }
    return SequenceView(object);
}

Result<Py_ssize_t> SequenceView::size() const {
    const Py_ssize_t n = PySequence_Size(object_);
    if (n < 0) return fail(python_error());
    return n;
}

Result<Ref> SequenceView::item(Py_ssize_t index) const {
    Ref item = Ref::steal(PySequence_GetItem(object_, index));
    if (!item) return fail(python_error());
    return item;
}

Result<XY> read_xy(PyObject* vertex) {
    VELMOR_TRY_ASSIGN(const SequenceView view, SequenceView::of(vertex));
    VELMOR_TRY_ASSIGN(const Ref x_item, view.item(0));
    VELMOR_TRY_ASSIGN(const double x, as_double(x_item.get()));
    VELMOR_TRY_ASSIGN(const Ref y_item, view.item(1));
    VELMOR_TRY_ASSIGN(const double y, as_double(y_item.get()));
    return XY{x, y};
}

}  // namespace velmor::py
