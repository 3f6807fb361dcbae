// Python values to part and container handles, for the container classes and the geometry classes.
#include "dict_forms/part_forms.hpp"
#include "parts/part_objects.hpp"
#include "parts/view_support.hpp"

namespace velmor::py {
namespace {

// An object of the view class gives its own handle, a list is read into a new value, anything else
// is the TypeError `refusal`.
template <class SharedT, class Read>
Result<SharedT> handle_from_py(PyObject* value, PyTypeObject* type, Read read, const char* refusal) {
    if (type == nullptr) return fail(python_error());
    if (PyObject_TypeCheck(value, type)) return handle_of<SharedT>(value);
    if (!PyList_Check(value)) return fail(raise_error(PyExc_TypeError, refusal));
    VELMOR_TRY_ASSIGN(auto read_value, read(value));
    return SharedT(std::move(read_value));
}

// A list of parts into a new container of `dims`; every part passes the container's check.
template <class PartT, class ItemFromPy>
Result<core::PartContainer<PartT>> container_from_list(PyObject* list, core::Dims dims, ItemFromPy item_from_py) {
    core::PartContainer<PartT> container(dims);
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(list); ++i) {
        Ref item = Ref::borrow(PyList_GET_ITEM(list, i));
        VELMOR_TRY_ASSIGN(auto part, item_from_py(item.get(), dims));
        VELMOR_TRY(container.push(std::move(part)));
    }
    return container;
}

constexpr const char* multipart_refusal = "Multipart from_py requires a Multipart or a list";

}  // namespace

Result<core::SharedPart> part_from_py(PyObject* value, core::Dims dims) {
    return handle_from_py<core::SharedPart>(
        value, part_type(), [dims](PyObject* list) { return part_from_coordinate_lists(list, dims); },
        "Part from_py requires a Part or a list");
}

Result<core::SharedCurvePart> curve_part_from_py(PyObject* value, core::Dims dims) {
    return handle_from_py<core::SharedCurvePart>(
        value, curve_part_type(), [dims](PyObject* list) { return curve_part_from_list(list, dims); },
        "CurvePart from_py requires a Part or a list");
}

Result<core::SharedMultipart> multipart_from_py(PyObject* value, core::Dims dims) {
    return handle_from_py<core::SharedMultipart>(
        value, multipart_type(),
        [dims](PyObject* list) { return container_from_list<core::Part>(list, dims, part_from_py); },
        multipart_refusal);
}

Result<core::SharedCurveMultipart> curve_multipart_from_py(PyObject* value, core::Dims dims) {
    return handle_from_py<core::SharedCurveMultipart>(
        value, curve_multipart_type(),
        [dims](PyObject* list) { return container_from_list<core::CurvePart>(list, dims, curve_part_from_py); },
        multipart_refusal);
}

}  // namespace velmor::py
