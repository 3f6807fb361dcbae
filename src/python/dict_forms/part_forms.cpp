#include "dict_forms/part_forms.hpp"

#include "dict_forms/curve_segment.hpp"
#include "dict_forms/lookup.hpp"
#include "dict_forms/vertex.hpp"

namespace velmor::py {
namespace {

template <class Shared, class Read>
Result<std::vector<Shared>> shared_items(PyObject* value, core::Dims dims, Read read) {
    VELMOR_TRY(require_list(value));
    std::vector<Shared> parts;
    // The list may shrink while items are read (a __float__ can run any code), so its size is read anew.
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(value); ++i) {
        Ref item = Ref::borrow(PyList_GET_ITEM(value, i));
        VELMOR_TRY_ASSIGN(auto part, read(item.get(), dims));
        parts.push_back(Shared(std::move(part)));
    }
    return parts;
}

}  // namespace

Result<core::Part> part_from_coordinate_lists(PyObject* value, core::Dims dims) {
    VELMOR_TRY(require_list(value));
    core::Part part(dims);
    // The columns are sized once: growing them vertex by vertex leaves up to half of them unused.
    part.reserve(static_cast<std::size_t>(PyList_GET_SIZE(value)));
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(value); ++i) {
        Ref item = Ref::borrow(PyList_GET_ITEM(value, i));
        VELMOR_TRY_ASSIGN(const core::Coord vertex, vertex_from_py(item.get(), dims));
        part.push(vertex);
    }
    // A list that shrank while it was read leaves room that no vertex will use.
    part.shrink_to_fit();
    return part;
}

Result<core::CurvePart> curve_part_from_list(PyObject* value, core::Dims dims) {
    VELMOR_TRY(require_list(value));
    core::CurvePart part(dims);
    if (PyList_GET_SIZE(value) == 0) return part;
    part.reserve(static_cast<std::size_t>(PyList_GET_SIZE(value)));
    Ref first = Ref::borrow(PyList_GET_ITEM(value, 0));
    if (!is_position(first.get())) {
        return fail(raise_error(PyExc_ValueError,
                                "Tried to create curve part with a curve as the first segment- must have a regular "
                                "coordinate as start vertex"));
    }
    VELMOR_TRY_ASSIGN(core::Coord start, vertex_from_py(first.get(), dims));
    VELMOR_TRY(part.push(start, core::Linear{}));
    for (Py_ssize_t i = 1; i < PyList_GET_SIZE(value); ++i) {
        Ref item = Ref::borrow(PyList_GET_ITEM(value, i));
        // The segment starts where the previous one ended, as stored (adapted to the part).
        start = part.get(part.size() - 1)->coord;
        VELMOR_TRY_ASSIGN(const core::CurveVertex vertex, point_and_curve_from_py(item.get(), dims, start));
        VELMOR_TRY(part.push(vertex.coord, vertex.curve));
    }
    return part;
}

Result<std::vector<core::SharedPart>> parts_from_list(PyObject* value, core::Dims dims) {
    return shared_items<core::SharedPart>(value, dims, part_from_coordinate_lists);
}

Result<std::vector<core::SharedCurvePart>> curve_parts_from_list(PyObject* value, core::Dims dims) {
    return shared_items<core::SharedCurvePart>(value, dims, curve_part_from_list);
}

}  // namespace velmor::py
