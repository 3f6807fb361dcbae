// The Part class: a live view of one linear part, yielding linked Coord objects.
#include <optional>

#include "args.hpp"
#include "dict_forms/vertex.hpp"
#include "entry.hpp"
#include "list_index.hpp"
#include "parts/iterators.hpp"
#include "parts/part_objects.hpp"
#include "parts/view_pickling.hpp"
#include "parts/view_support.hpp"
#include "segments/segment_objects.hpp"
#include "sequence_item.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

constexpr const char* class_name = "Part";

const core::SharedPart& part_of(PyObject* self) { return handle_of<core::SharedPart>(self); }

Result<core::Coord> vertex_argument(const core::SharedPart& part, PyObject* value) {
    return vertex_from_py(value, dims_of(part));
}

PyObject* append(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"append", {"value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        const core::SharedPart& part = part_of(self);
        VELMOR_TRY_ASSIGN(const core::Coord vertex, vertex_argument(part, bound[0]));
        VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
        guarded->push(vertex);
        return none();
    });
}

PyObject* insert(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<2> params{"insert", {"index", "value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(bound[0], "index"));
        const core::SharedPart& part = part_of(self);
        {
            VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
            VELMOR_TRY(normalize_index(index, guarded->size(), class_name, true));
        }
        VELMOR_TRY_ASSIGN(const core::Coord vertex, vertex_argument(part, bound[1]));
        VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), class_name, true));
        guarded->insert(position, vertex);
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
        guarded->remove(position);
        return none();
    });
}

PyObject* pop(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        std::optional<core::Coord> popped;
        {
            VELMOR_TRY_ASSIGN(auto guarded, part_of(self).lock_checked());
            popped = guarded->pop();
        }
        if (!popped) return none();
        return new_coord_object(*popped, std::nullopt);
    });
}

PyObject* get_item(PyObject* self, PyObject* key) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        const core::SharedPart& part = part_of(self);
        std::size_t position = 0;
        std::optional<core::Coord> vertex;
        {
            VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
            VELMOR_TRY_ASSIGN(position, normalize_index(index, guarded->size(), class_name));
            vertex = guarded->get(position);
        }
        return new_coord_object(*vertex, PartLink{part, position});
    });
}

int set_item(PyObject* self, PyObject* key, PyObject* value) {
    return guard([&]() -> Result<void> {
        if (value == nullptr) return refuse_item_delete();
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        const core::SharedPart& part = part_of(self);
        {
            VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
            VELMOR_TRY(normalize_index(index, guarded->size(), class_name));
        }
        VELMOR_TRY_ASSIGN(const core::Coord vertex, vertex_argument(part, value));
        VELMOR_TRY_ASSIGN(auto guarded, part.lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), class_name));
        guarded->set(position, vertex);
        return {};
    });
}

PyObject* iterate(PyObject* self) {
    return guard([&]() -> Result<Ref> { return new_part_iterator(part_of(self)); });
}

PyMethodDef methods[] = {
    {"append", as_cfunction(append), METH_FASTCALL | METH_KEYWORDS,
     "append($self, value)\n--\n\n"
     "Appends a vertex; value is a list of numbers [x, y, z?, m?] read with the part's dimensionality. "
     "Returns None."},
    {"insert", as_cfunction(insert), METH_FASTCALL | METH_KEYWORDS,
     "insert($self, index, value)\n--\n\n"
     "Inserts a vertex before index (the length appends); IndexError when index is out of range; a negative "
     "index counts from the end. Returns None."},
    {"remove", as_cfunction(remove), METH_FASTCALL | METH_KEYWORDS,
     "remove($self, index)\n--\n\n"
     "Removes the vertex at index and returns None; IndexError when index is out of range; a negative index "
     "counts from the end."},
    {"pop", as_cfunction(pop), METH_NOARGS,
     "pop($self)\n--\n\n"
     "Removes the last vertex and returns it detached from the part, or None when empty."},
    {"clear", as_cfunction(clear_view<core::SharedPart>), METH_NOARGS,
     "clear($self)\n--\n\n"
     "Removes every vertex; the dimensionality stays. Returns None."},
    reduce_view_method<core::SharedPart>(),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<core::SharedPart>)},
    {Py_tp_methods, methods},
    {Py_mp_length, reinterpret_cast<void*>(view_length<core::SharedPart>)},
    {Py_mp_subscript, reinterpret_cast<void*>(get_item)},
    {Py_mp_ass_subscript, reinterpret_cast<void*>(set_item)},
    {Py_sq_length, reinterpret_cast<void*>(view_length<core::SharedPart>)},
    {Py_sq_item, reinterpret_cast<void*>(sequence_item<get_item>)},
    {Py_tp_iter, reinterpret_cast<void*>(iterate)},
    {Py_tp_str, reinterpret_cast<void*>(view_text<core::SharedPart>)},
    {Py_tp_repr, reinterpret_cast<void*>(view_text<core::SharedPart>)},
    {0, nullptr},
};

PyType_Spec spec{"velmor_geometry.Part", sizeof(Instance<core::SharedPart>), 0,
                 Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, slots};

}  // namespace

PyTypeObject* part_type() {
    static TypeCell cell(&spec);
    return cell.get();
}

Result<Ref> new_part_object(core::SharedPart part) { return new_instance(part_type(), std::move(part)); }

}  // namespace velmor::py
