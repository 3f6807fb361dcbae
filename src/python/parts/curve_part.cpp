// The CurvePart class: a live view of one curve part, yielding linked segment objects. A value stored
// at index k is a vertex with the segment that ends there, starting at vertex k - 1.
#include <optional>
#include <string>

#include "args.hpp"
#include "dict_forms/curve_segment.hpp"
#include "dict_forms/vertex.hpp"
#include "entry.hpp"
#include "list_index.hpp"
#include "parts/iterators.hpp"
#include "parts/part_objects.hpp"
#include "parts/view_pickling.hpp"
#include "parts/view_support.hpp"
#include "segments/segment_objects.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

constexpr const char* class_name = "CurvePart";

const core::SharedCurvePart& part_of(PyObject* self) { return handle_of<core::SharedCurvePart>(self); }

// What a value conversion needs to know about the part, read under its lock.
struct Target {
    core::Dims dims;
    std::size_t length;
    std::size_t index;
    std::optional<core::Coord> start;  // vertex index - 1
};

// The target index is checked against the part (`allow_end` for insert); append targets the length.
Result<Target> read_target(const core::SharedCurvePart& part, const std::optional<IndexArgument>& index,
                           bool allow_end) {
    VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
    const std::size_t length = guarded->size();
    std::size_t position = length;
    if (index) {
        VELMOR_TRY_ASSIGN(position, normalize_index(*index, length, class_name, allow_end));
    }
    std::optional<core::Coord> start;
    if (position > 0) {
        if (auto previous = guarded->get(position - 1)) start = previous->coord;
    }
    return Target{guarded->dims(), length, position, start};
}

Result<core::CurveVertex> curve_vertex_argument(const Target& target, PyObject* value) {
    if (target.index == 0) {
        if (!PyList_Check(value)) {
            return fail(raise_error(PyExc_ValueError,
                                    "Tried to place curve at the beginning of a curve part- must have a regular "
                                    "coordinate as start vertex"));
        }
        VELMOR_TRY_ASSIGN(const core::Coord vertex, vertex_from_py(value, target.dims));
        return core::CurveVertex{vertex, core::Linear{}};
    }
    if (!target.start) {
        return fail(raise_error(PyExc_ValueError, "Tried to insert curve beyond end of curve part at " +
                                                      std::to_string(target.index) + ", len is " +
                                                      std::to_string(target.length)));
    }
    return point_and_curve_from_py(value, target.dims, *target.start);
}

PyObject* append(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"append", {"value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        const core::SharedCurvePart& part = part_of(self);
        VELMOR_TRY_ASSIGN(const Target target, read_target(part, std::nullopt, true));
        VELMOR_TRY_ASSIGN(const core::CurveVertex vertex, curve_vertex_argument(target, bound[0]));
        VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
        VELMOR_TRY(guarded->push(vertex.coord, vertex.curve));
        return none();
    });
}

PyObject* insert(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<2> params{"insert", {"index", "value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(bound[0], "index"));
        const core::SharedCurvePart& part = part_of(self);
        VELMOR_TRY_ASSIGN(const Target target, read_target(part, index, true));
        VELMOR_TRY_ASSIGN(const core::CurveVertex vertex, curve_vertex_argument(target, bound[1]));
        VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), class_name, true));
        VELMOR_TRY(guarded->insert(position, vertex.coord, vertex.curve));
        return none();
    });
}

PyObject* remove(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"remove", {"index"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(bound[0], "index"));
        VELMOR_TRY_ASSIGN(auto guarded, part_of(self).lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), class_name));
        VELMOR_TRY(guarded->remove(position));
        return none();
    });
}

PyObject* pop(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        std::optional<core::CurveVertex> popped;
        {
            VELMOR_TRY_ASSIGN(auto guarded, part_of(self).lock_checked());
            popped = guarded->pop();
        }
        if (!popped) return none();
        return new_segment_object(*popped, std::nullopt);
    });
}

PyObject* get_item(PyObject* self, PyObject* key) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        const core::SharedCurvePart& part = part_of(self);
        std::size_t position = 0;
        std::optional<core::CurveVertex> vertex;
        {
            VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
            VELMOR_TRY_ASSIGN(position, normalize_index(index, guarded->size(), class_name));
            vertex = guarded->get(position);
        }
        return new_segment_object(*vertex, CurvePartLink{part, position});
    });
}

int set_item(PyObject* self, PyObject* key, PyObject* value) {
    return guard([&]() -> Result<void> {
        if (value == nullptr) return refuse_item_delete();
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        const core::SharedCurvePart& part = part_of(self);
        VELMOR_TRY_ASSIGN(const Target target, read_target(part, index, false));
        VELMOR_TRY_ASSIGN(const core::CurveVertex vertex, curve_vertex_argument(target, value));
        VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), class_name));
        VELMOR_TRY(guarded->set(position, vertex.coord, vertex.curve));
        return {};
    });
}

PyObject* iterate(PyObject* self) {
    return guard([&]() -> Result<Ref> { return new_curve_part_iterator(part_of(self)); });
}

PyMethodDef methods[] = {
    {"append", as_cfunction(append), METH_FASTCALL | METH_KEYWORDS,
     "append($self, value)\n--\n\n"
     "Appends a vertex with its incoming segment; value is a vertex list or a dict with key \"c\", \"a\" or "
     "\"b\" for an arc or a Bezier curve; vertex 0 is always straight. Returns None."},
    {"insert", as_cfunction(insert), METH_FASTCALL | METH_KEYWORDS,
     "insert($self, index, value)\n--\n\n"
     "Inserts a vertex with its incoming segment before index (the length appends); IndexError when index is "
     "out of range; a negative index counts from the end. Returns None."},
    {"remove", as_cfunction(remove), METH_FASTCALL | METH_KEYWORDS,
     "remove($self, index)\n--\n\n"
     "Removes the vertex at index and returns None; IndexError when index is out of range; a negative index "
     "counts from the end."},
    {"pop", as_cfunction(pop), METH_NOARGS,
     "pop($self)\n--\n\n"
     "Removes the last vertex and returns it detached from the curve part, or None when empty."},
    {"clear", as_cfunction(clear_view<core::SharedCurvePart>), METH_NOARGS,
     "clear($self)\n--\n\n"
     "Removes every vertex; the dimensionality stays. Returns None."},
    reduce_view_method<core::SharedCurvePart>(),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<core::SharedCurvePart>)},
    {Py_tp_methods, methods},
    {Py_mp_length, reinterpret_cast<void*>(view_length<core::SharedCurvePart>)},
    {Py_mp_subscript, reinterpret_cast<void*>(get_item)},
    {Py_mp_ass_subscript, reinterpret_cast<void*>(set_item)},
    {Py_tp_iter, reinterpret_cast<void*>(iterate)},
    {Py_tp_str, reinterpret_cast<void*>(view_text<core::SharedCurvePart>)},
    {Py_tp_repr, reinterpret_cast<void*>(view_text<core::SharedCurvePart>)},
    {0, nullptr},
};

PyType_Spec spec{"velmor_geometry.CurvePart", sizeof(Instance<core::SharedCurvePart>), 0,
                 Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, slots};

}  // namespace

PyTypeObject* curve_part_type() {
    static TypeCell cell(&spec);
    return cell.get();
}

Result<Ref> new_curve_part_object(core::SharedCurvePart part) {
    return new_instance(curve_part_type(), std::move(part));
}

}  // namespace velmor::py
