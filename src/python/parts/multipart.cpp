// The Multipart and CurveMultipart classes: live views of a part container, yielding Part and
// CurvePart objects that share the container's parts.
#include <optional>

#include "args.hpp"
#include "entry.hpp"
#include "list_index.hpp"
#include "parts/iterators.hpp"
#include "parts/part_objects.hpp"
#include "parts/view_pickling.hpp"
#include "parts/view_support.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

template <class PartT>
struct Kind;

template <>
struct Kind<core::Part> {
    static constexpr const char* name = "Multipart";
    static Result<Ref> new_item(core::SharedPart part) { return new_part_object(std::move(part)); }
    static Result<core::SharedPart> item_from_py(PyObject* value, core::Dims dims) {
        return part_from_py(value, dims);
    }
};

template <>
struct Kind<core::CurvePart> {
    static constexpr const char* name = "CurveMultipart";
    static Result<Ref> new_item(core::SharedCurvePart part) { return new_curve_part_object(std::move(part)); }
    static Result<core::SharedCurvePart> item_from_py(PyObject* value, core::Dims dims) {
        return curve_part_from_py(value, dims);
    }
};

template <class PartT>
using Container = core::Shared<core::PartContainer<PartT>>;

template <class PartT>
const Container<PartT>& container_of(PyObject* self) {
    return handle_of<Container<PartT>>(self);
}

// The offered value as a part handle of the container's dimensionality (read under its lock).
template <class PartT>
Result<core::Shared<PartT>> part_argument(const Container<PartT>& container, PyObject* value) {
    return Kind<PartT>::item_from_py(value, dims_of(container));
}

template <class PartT>
PyObject* append(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"append", {"value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        const Container<PartT>& container = container_of<PartT>(self);
        VELMOR_TRY_ASSIGN(auto part, part_argument<PartT>(container, bound[0]));
        VELMOR_TRY_ASSIGN(auto guarded, container.lock_checked());
        VELMOR_TRY(guarded->push(std::move(part)));
        return none();
    });
}

template <class PartT>
PyObject* insert(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<2> params{"insert", {"index", "value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(bound[0], "index"));
        const Container<PartT>& container = container_of<PartT>(self);
        {
            VELMOR_TRY_ASSIGN(auto guarded, container.lock_checked());
            VELMOR_TRY(normalize_index(index, guarded->size(), Kind<PartT>::name, true));
        }
        VELMOR_TRY_ASSIGN(auto part, part_argument<PartT>(container, bound[1]));
        VELMOR_TRY_ASSIGN(auto guarded, container.lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position,
                          normalize_index(index, guarded->size(), Kind<PartT>::name, true));
        VELMOR_TRY(guarded->insert(position, std::move(part)));
        return none();
    });
}

template <class PartT>
PyObject* remove(PyObject* self, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"remove", {"index"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(bound[0], "index"));
        std::optional<core::Shared<PartT>> removed;  // released after the container's lock
        VELMOR_TRY_ASSIGN(auto guarded, container_of<PartT>(self).lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), Kind<PartT>::name));
        removed = guarded->remove(position);
        return none();
    });
}

template <class PartT>
PyObject* pop(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        std::optional<core::Shared<PartT>> popped;
        {
            VELMOR_TRY_ASSIGN(auto guarded, container_of<PartT>(self).lock_checked());
            popped = guarded->pop();
        }
        if (!popped) return none();
        return Kind<PartT>::new_item(std::move(*popped));
    });
}

template <class PartT>
PyObject* get_item(PyObject* self, PyObject* key) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        std::optional<core::Shared<PartT>> part;
        {
            VELMOR_TRY_ASSIGN(auto guarded, container_of<PartT>(self).lock_checked());
            VELMOR_TRY_ASSIGN(const std::size_t position,
                              normalize_index(index, guarded->size(), Kind<PartT>::name));
            part = guarded->get(position);
        }
        return Kind<PartT>::new_item(std::move(*part));
    });
}

template <class PartT>
int set_item(PyObject* self, PyObject* key, PyObject* value) {
    return guard([&]() -> Result<void> {
        if (value == nullptr) return refuse_item_delete();
        VELMOR_TRY_ASSIGN(const IndexArgument index, index_argument(key, "key"));
        const Container<PartT>& container = container_of<PartT>(self);
        {
            VELMOR_TRY_ASSIGN(auto guarded, container.lock_checked());
            VELMOR_TRY(normalize_index(index, guarded->size(), Kind<PartT>::name));
        }
        VELMOR_TRY_ASSIGN(auto part, part_argument<PartT>(container, value));
        std::optional<core::Shared<PartT>> replaced;  // released after the container's lock
        VELMOR_TRY_ASSIGN(auto guarded, container.lock_checked());
        VELMOR_TRY_ASSIGN(const std::size_t position, normalize_index(index, guarded->size(), Kind<PartT>::name));
        VELMOR_TRY_ASSIGN(replaced, guarded->set(position, std::move(part)));
        return {};
    });
}

PyObject* iterate(PyObject* self) {
    return guard([&]() -> Result<Ref> { return new_multipart_iterator(container_of<core::Part>(self)); });
}

template <class PartT>
PyMethodDef methods[] = {
    {"append", as_cfunction(append<PartT>), METH_FASTCALL | METH_KEYWORDS,
     "append($self, value)\n--\n\n"
     "Appends a part; value is a part object or a list of vertices, of the container's dimensionality (else "
     "Exception). Returns None."},
    {"insert", as_cfunction(insert<PartT>), METH_FASTCALL | METH_KEYWORDS,
     "insert($self, index, value)\n--\n\n"
     "Inserts a part before index (the length appends); IndexError when index is out of range; a negative "
     "index counts from the end. Returns None."},
    {"remove", as_cfunction(remove<PartT>), METH_FASTCALL | METH_KEYWORDS,
     "remove($self, index)\n--\n\n"
     "Removes the part at index and returns None; IndexError when index is out of range; a negative index "
     "counts from the end."},
    {"pop", as_cfunction(pop<PartT>), METH_NOARGS,
     "pop($self)\n--\n\n"
     "Removes the last part and returns it detached from the container, or None when empty."},
    {"clear", as_cfunction(clear_view<Container<PartT>>), METH_NOARGS,
     "clear($self)\n--\n\n"
     "Removes every part; the dimensionality stays. Returns None."},
    reduce_view_method<Container<PartT>>(),
    {nullptr},
};

// Neither container defines len(); only Multipart is iterable. The iterator slot comes last, so for
// CurveMultipart its id 0 simply ends the list there.
template <class PartT>
PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<Container<PartT>>)},
    {Py_tp_methods, methods<PartT>},
    {Py_mp_subscript, reinterpret_cast<void*>(get_item<PartT>)},
    {Py_mp_ass_subscript, reinterpret_cast<void*>(set_item<PartT>)},
    {Py_tp_str, reinterpret_cast<void*>(view_text<Container<PartT>>)},
    {Py_tp_repr, reinterpret_cast<void*>(view_text<Container<PartT>>)},
    {std::is_same_v<PartT, core::Part> ? Py_tp_iter : 0, reinterpret_cast<void*>(iterate)},
    {0, nullptr},
};

constexpr unsigned int view_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION;

PyType_Spec multipart_spec{"velmor_geometry.Multipart", sizeof(Instance<core::SharedMultipart>), 0, view_flags,
                           slots<core::Part>};
PyType_Spec curve_multipart_spec{"velmor_geometry.CurveMultipart", sizeof(Instance<core::SharedCurveMultipart>), 0,
                                 view_flags, slots<core::CurvePart>};

}  // namespace

PyTypeObject* multipart_type() {
    static TypeCell cell(&multipart_spec);
    return cell.get();
}

PyTypeObject* curve_multipart_type() {
    static TypeCell cell(&curve_multipart_spec);
    return cell.get();
}

Result<Ref> new_multipart_object(core::SharedMultipart container) {
    return new_instance(multipart_type(), std::move(container));
}

Result<Ref> new_curve_multipart_object(core::SharedCurveMultipart container) {
    return new_instance(curve_multipart_type(), std::move(container));
}

}  // namespace velmor::py
