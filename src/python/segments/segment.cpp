// The two bases of the segment classes: Segment (read-only end vertex) and CurveSegment (writable end
// vertex and buffer). Both may be subclassed from Python; neither is instantiated from Python.
#include "segments/segment_attributes.hpp"
#include "segments/segment_objects.hpp"
#include "segments/segment_pickling.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

PyMethodDef segment_methods[] = {
    {"__reduce__", reduce_segment, METH_NOARGS,
     "__reduce__($self)\n--\n\nThe pickled form: a new part holding the vertex and its curve, popped again."},
    {nullptr},
};

PyType_Slot segment_slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<SegmentState>)},
    {Py_tp_getset, readonly_vertex_getset},
    {Py_tp_methods, segment_methods},
    {0, nullptr},
};

PyType_Spec segment_spec{"velmor_geometry.Segment", sizeof(Instance<SegmentState>), 0,
                         Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE | Py_TPFLAGS_DISALLOW_INSTANTIATION, segment_slots};

PyType_Slot curve_segment_slots[] = {
    {Py_tp_getset, writable_vertex_getset},
    {Py_mp_ass_subscript, reinterpret_cast<void*>(set_buffer_item)},
    {0, nullptr},
};

PyType_Spec curve_segment_spec{"velmor_geometry.CurveSegment", 0, 0,
                               Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE | Py_TPFLAGS_DISALLOW_INSTANTIATION,
                               curve_segment_slots};

}  // namespace

PyTypeObject* segment_type() {
    static TypeCell cell(&segment_spec);
    return cell.get();
}

PyTypeObject* curve_segment_type() {
    static TypeCell cell(&curve_segment_spec, segment_type);
    return cell.get();
}

}  // namespace velmor::py
