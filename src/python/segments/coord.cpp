// The Coord class: a vertex of a Part, with its buffer form readable by index and by iteration.
#include <string>

#include "entry.hpp"
#include "list_index.hpp"
#include "sequence_item.hpp"
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

// The values of the buffer form, as tuple(c) and x, y = c read them.
PyObject* iterate(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        const core::Coord& coord = state_of(self).coord;
        const std::size_t count = core::buffer_len(coord.dims());
        Ref values = Ref::steal(PyTuple_New(static_cast<Py_ssize_t>(count)));
        if (!values) return fail(python_error());
        for (std::size_t i = 0; i < count; ++i) {
            PyObject* value = PyFloat_FromDouble(coord.get_index(i));
            if (value == nullptr) return fail(python_error());
            PyTuple_SET_ITEM(values.get(), static_cast<Py_ssize_t>(i), value);
        }
        Ref iterator = Ref::steal(PyObject_GetIter(values.get()));
        if (!iterator) return fail(python_error());
        return iterator;
    });
}

std::string float_text(double value) {
    char* text = PyOS_double_to_string(value, 'r', 0, Py_DTSF_ADD_DOT_0, nullptr);
    if (text == nullptr) return "?";
    std::string owned(text);
    PyMem_Free(text);
    return owned;
}

// Coord(x=1.0, y=2.0), with z and m when the vertex has them; the numbers are Python's float reprs.
PyObject* representation(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        const core::Coord& coord = state_of(self).coord;
        std::string text = "Coord(x=" + float_text(coord.x()) + ", y=" + float_text(coord.y());
        if (coord.z()) text += ", z=" + float_text(*coord.z());
        if (coord.m()) text += ", m=" + float_text(*coord.m());
        text += ")";
        Ref shown = Ref::steal(PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size())));
        if (!shown) return fail(python_error());
        return shown;
    });
}

PyType_Slot slots[] = {
    {Py_tp_getset, writable_vertex_getset},
    {Py_tp_iter, reinterpret_cast<void*>(iterate)},
    {Py_tp_repr, reinterpret_cast<void*>(representation)},
    {Py_mp_length, reinterpret_cast<void*>(length)},
    {Py_mp_subscript, reinterpret_cast<void*>(get_item)},
    {Py_sq_length, reinterpret_cast<void*>(length)},
    {Py_sq_item, reinterpret_cast<void*>(sequence_item<get_item>)},
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
