#include "parts/iterators.hpp"

#include <optional>

#include "entry.hpp"
#include "parts/part_objects.hpp"
#include "segments/segment_objects.hpp"
#include "spatial/instance.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

template <class SharedT>
struct Cursor {
    SharedT value;
    std::size_t next;
};

// The item at an index as a Python object; an empty Ref past the end.
Result<Ref> item_at(const core::SharedPart& part, std::size_t index) {
    const std::optional<core::Coord> coord = part.lock()->get(index);
    if (!coord) return Ref();
    return new_coord_object(*coord, PartLink{part, index});
}

Result<Ref> item_at(const core::SharedCurvePart& part, std::size_t index) {
    const std::optional<core::CurveVertex> vertex = part.lock()->get(index);
    if (!vertex) return Ref();
    return new_segment_object(*vertex, CurvePartLink{part, index});
}

Result<Ref> item_at(const core::SharedMultipart& container, std::size_t index) {
    const std::optional<core::SharedPart> part = container.lock()->get(index);
    if (!part) return Ref();
    return new_part_object(*part);
}

// tp_iternext: null without an exception ends the iteration.
template <class SharedT>
PyObject* next_item(PyObject* self) {
    return guard([&]() -> Result<Ref> {
        auto& cursor = payload_of<Cursor<SharedT>>(self);
        VELMOR_TRY_ASSIGN(Ref item, item_at(cursor.value, cursor.next));
        if (item) ++cursor.next;
        return item;
    });
}

template <class SharedT>
PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<Cursor<SharedT>>)},
    {Py_tp_iter, reinterpret_cast<void*>(PyObject_SelfIter)},
    {Py_tp_iternext, reinterpret_cast<void*>(next_item<SharedT>)},
    {0, nullptr},
};

constexpr unsigned int iterator_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION;

PyType_Spec part_iterator_spec{"velmor_geometry.PartIterator", sizeof(Instance<Cursor<core::SharedPart>>), 0,
                               iterator_flags, slots<core::SharedPart>};
PyType_Spec curve_part_iterator_spec{"velmor_geometry.CurvePartIterator",
                                     sizeof(Instance<Cursor<core::SharedCurvePart>>), 0, iterator_flags,
                                     slots<core::SharedCurvePart>};
PyType_Spec multipart_iterator_spec{"velmor_geometry.MultipartIterator",
                                    sizeof(Instance<Cursor<core::SharedMultipart>>), 0, iterator_flags,
                                    slots<core::SharedMultipart>};

template <class SharedT>
Result<Ref> new_iterator(TypeCell& cell, SharedT value) {
    return new_instance(cell.get(), Cursor<SharedT>{std::move(value), 0});
}

}  // namespace

Result<Ref> new_part_iterator(core::SharedPart part) {
    static TypeCell cell(&part_iterator_spec);
    return new_iterator(cell, std::move(part));
}

Result<Ref> new_curve_part_iterator(core::SharedCurvePart part) {
    static TypeCell cell(&curve_part_iterator_spec);
    return new_iterator(cell, std::move(part));
}

Result<Ref> new_multipart_iterator(core::SharedMultipart container) {
    static TypeCell cell(&multipart_iterator_spec);
    return new_iterator(cell, std::move(container));
}

}  // namespace velmor::py
