// The Coord class: a vertex of a Part, with its buffer form readable by index.
#include "entry.hpp"
#include "list_index.hpp"
#include "segments/segment_attributes.hpp"
#include "segments/segment_objects.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

Py_ssize_t length(PyObject* self) {
    return guard([&]() -> Result<Py_ssize_t> {
        return static_cast<Py_ssize_t>(core::buffer_len(state_of(self).coord.dims()));
    });
}

PyObject* get_item(PyObject* self, PyObject* key) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        const core::Coord& coord = state_of(self).coord;
        VELMOR_TRY_ASSIGN(const std::size_t position,
                          normalize_index(index, core::buffer_len(coord.dims()), "Coord"));
        Ref value = Ref::steal(PyFloat_FromDouble(coord.get_index(position)));
        if (!value) return fail(python_error());
        return value;
    });
}

PyType_Slot slots[] = {
    {Py_tp_getset, writable_vertex_getset},
    {Py_mp_length, reinterpret_cast<void*>(length)},
    {Py_mp_subscript, reinterpret_cast<void*>(get_item)},
    {Py_mp_ass_subscript, reinterpret_cast<void*>(set_buffer_item)},
    {0, nullptr},
};

PyType_Spec spec{"velmor_geometry.Coord", 0, 0, Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, slots};

}  // namespace

PyTypeObject* coord_type() {
    static TypeCell cell(&spec, segment_type);
    return cell.get();
}

Result<Ref> new_coord_object(const core::Coord& coord, std::optional<PartLink> link) {
    return new_instance(coord_type(), SegmentState{coord, core::Linear{}, std::move(link), std::nullopt});
}

}  // namespace velmor::py
