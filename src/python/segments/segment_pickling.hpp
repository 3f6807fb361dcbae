#pragma once

#include <Python.h>

namespace velmor::py {

// Pickling and copying of Coord and segment objects: a new part holding just this vertex (and, for a
// segment, a start vertex before it), popped again, which gives a detached object with the same vertex
// and curve data. The part pickles as its own view does (an exact state), and the copy is linked to
// nothing.
PyObject* reduce_segment(PyObject* self, PyObject*);

}  // namespace velmor::py
