#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py::utils {

// A ring of an OvraJSON "curveRings" list while it is built: a list whose first item is a position and
// whose later items are positions (straight segments) or circular arcs {"c": [end, interior]}.

// Whether the ring runs clockwise: the sign of its area, which is the shoelace area of its vertices
// plus the area each arc adds to its chord. A ring of zero area counts as counter-clockwise.
Result<bool> curve_ring_is_clockwise(PyObject* ring, PyObject* arc_key);

// Reverses the ring in place segment by segment: the vertices in reverse order, each arc between the
// same two vertices with the same interior point. Only a full circle, which three points cannot turn
// clockwise, becomes two half circles through its opposite point.
Result<void> reverse_curve_ring(PyObject* ring, PyObject* arc_key);

}  // namespace velmor::py::utils
