#include "segments/segment_attributes.hpp"

#include <optional>

#include "args.hpp"
#include "entry.hpp"

namespace velmor::py {
namespace {

Result<Ref> optional_float(std::optional<double> value) {
    if (!value) return Ref::borrow(Py_None);
    Ref result = Ref::steal(PyFloat_FromDouble(*value));
    if (!result) return fail(python_error());
    return result;
}

enum class Axis { X, Y, Z, M };

std::optional<double> axis_value(const core::Coord& coord, Axis axis) {
    switch (axis) {
        case Axis::X:
            return coord.x();
        case Axis::Y:
            return coord.y();
        case Axis::Z:
            return coord.z();
        case Axis::M:
            return coord.m();
    }
    return std::nullopt;
}

Result<core::Coord> with_axis(const core::Coord& coord, Axis axis, double value) {
    switch (axis) {
        case Axis::X:
            return coord.set_index(0, value);
        case Axis::Y:
            return coord.set_index(1, value);
        case Axis::Z:
            return coord.set_z(value);
        case Axis::M:
            return coord.set_m(value);
    }
    core::internal_failure("Internal error: unknown coordinate axis");
}

template <Axis axis>
PyObject* get_axis(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> { return optional_float(axis_value(state_of(self).coord, axis)); });
}

template <Axis axis>
int set_axis(PyObject* self, PyObject* value, void*) {
    return guard([&]() -> Result<void> {
        if (value == nullptr) return refuse_attribute_delete();
        VELMOR_TRY_ASSIGN(const double number, float_argument(value, "val"));
        SegmentState& state = state_of(self);
        VELMOR_TRY_ASSIGN(const core::Coord changed, with_axis(state.coord, axis, number));
        state.store_coord(changed);
        return {};
    });
}

}  // namespace

PyGetSetDef readonly_vertex_getset[] = {
    {"x", get_axis<Axis::X>, nullptr, "The x coordinate of the vertex (float).", nullptr},
    {"y", get_axis<Axis::Y>, nullptr, "The y coordinate of the vertex (float).", nullptr},
    {"z", get_axis<Axis::Z>, nullptr,
     "The z coordinate of the vertex (float), or None when its part has no z.", nullptr},
    {"m", get_axis<Axis::M>, nullptr, "The m value of the vertex (float), or None when its part has no m.",
     nullptr},
    {nullptr},
};

PyGetSetDef writable_vertex_getset[] = {
    {"x", get_axis<Axis::X>, set_axis<Axis::X>,
     "The x coordinate of the vertex (float); assigning a number writes it into the part.", nullptr},
    {"y", get_axis<Axis::Y>, set_axis<Axis::Y>,
     "The y coordinate of the vertex (float); assigning a number writes it into the part.", nullptr},
    {"z", get_axis<Axis::Z>, set_axis<Axis::Z>,
     "The z coordinate of the vertex (float), or None when its part has no z; assigning a number writes it "
     "into the part.",
     nullptr},
    {"m", get_axis<Axis::M>, set_axis<Axis::M>,
     "The m value of the vertex (float), or None when its part has no m; assigning a number writes it into "
     "the part.",
     nullptr},
    {nullptr},
};

int set_buffer_item(PyObject* self, PyObject* key, PyObject* value) {
    return guard([&]() -> Result<void> {
        if (value == nullptr) return refuse_item_delete();
        // Only non-negative indices: the interpreter's own conversion refuses a negative one.
        Ref integer = Ref::steal(PyNumber_Index(key));
        if (!integer) return fail(python_error());
        const std::size_t index = PyLong_AsSize_t(integer.get());
        if (index == static_cast<std::size_t>(-1) && PyErr_Occurred()) return fail(python_error());
        VELMOR_TRY_ASSIGN(const double number, float_argument(value, "val"));
        SegmentState& state = state_of(self);
        VELMOR_TRY_ASSIGN(const core::Coord changed, state.coord.set_index(index, number));
        state.store_coord(changed);
        return {};
    });
}

}  // namespace velmor::py
