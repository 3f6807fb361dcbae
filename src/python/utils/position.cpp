#include "position.hpp"

#include <array>

namespace velmor::py::utils {

Result<Ref> position_tuple(const formats::Coordinate& c) {
    std::array<double, 4> values{c.x, c.y, 0, 0};
    Py_ssize_t size = 2;
    if (c.layout.has_z) values[size++] = c.z;
    if (c.layout.has_m) values[size++] = c.m;
    Ref tuple = Ref::steal(PyTuple_New(size));
    if (!tuple) return fail(python_error());
    for (Py_ssize_t i = 0; i < size; ++i) {
        PyObject* number = PyFloat_FromDouble(values[static_cast<std::size_t>(i)]);
        if (number == nullptr) return fail(python_error());
        PyTuple_SET_ITEM(tuple.get(), i, number);  // steals the new float
    }
    // A tuple of floats can take part in no reference cycle; leaving it to the cycle collector only
    // makes every collection during a large conversion walk all the positions made so far.
    PyObject_GC_UnTrack(tuple.get());
    return tuple;
}

}  // namespace velmor::py::utils
