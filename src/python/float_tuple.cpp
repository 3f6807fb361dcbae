#include "float_tuple.hpp"

namespace velmor::py {

Result<Ref> float_tuple(std::span<const double> values) {
    const auto size = static_cast<Py_ssize_t>(values.size());
    Ref tuple = Ref::steal(PyTuple_New(size));
    if (!tuple) return fail(python_error());
    for (Py_ssize_t i = 0; i < size; ++i) {
        PyObject* number = PyFloat_FromDouble(values[static_cast<std::size_t>(i)]);
        if (number == nullptr) return fail(python_error());
        PyTuple_SET_ITEM(tuple.get(), i, number);  // steals the new float
    }
    // Every collection during a large conversion would otherwise walk all the tuples made so far.
    PyObject_GC_UnTrack(tuple.get());
    return tuple;
}

}  // namespace velmor::py
