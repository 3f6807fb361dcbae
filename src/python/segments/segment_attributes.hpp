#pragma once

#include <Python.h>

#include "segments/segment_state.hpp"
#include "spatial/instance.hpp"

namespace velmor::py {

// The members shared by the segment classes: the state they all carry and the end-vertex attributes.

inline SegmentState& state_of(PyObject* self) { return payload_of<SegmentState>(self); }

// x, y, z, m read-only (Segment) and read-write (Coord, CurveSegment).
extern PyGetSetDef readonly_vertex_getset[];
extern PyGetSetDef writable_vertex_getset[];

// x[idx] = value on the vertex buffer (Coord, CurveSegment): idx a non-negative integer, index 2 is z
// or m by the vertex's dimensionality; `del x[idx]` is refused.
int set_buffer_item(PyObject* self, PyObject* key, PyObject* value);

}  // namespace velmor::py
