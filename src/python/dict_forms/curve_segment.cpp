#include "dict_forms/curve_segment.hpp"

#include "dict_forms/circular_arc_from_center.hpp"
#include "dict_forms/lookup.hpp"
#include "dict_forms/vertex.hpp"

namespace velmor::py {
namespace {

NativeError invalid_segment() {
    return raise_error(PyExc_TypeError,
                       "point_and_curve_from_py: Did not get a valid dict or list for curve/point segment");
}

Result<core::Coord> auxiliary_item(PyObject* list, Py_ssize_t index) {
    VELMOR_TRY_ASSIGN(PyObject* item, list_item(list, index));
    return auxiliary_point_from_py(item);
}

Result<double> number_item(PyObject* list, Py_ssize_t index) {
    VELMOR_TRY_ASSIGN(PyObject* item, list_item(list, index));
    return to_number(item);
}

Result<bool> flag_item(PyObject* list, Py_ssize_t index) {
    VELMOR_TRY_ASSIGN(PyObject* item, list_item(list, index));
    return to_bool(item);
}

// [end vertex, interior point]
Result<core::CurveData> circular_arc(PyObject* items) {
    VELMOR_TRY_ASSIGN(const core::Coord interior, auxiliary_item(items, 1));
    return core::CircularArc{interior.x(), interior.y()};
}

// [end vertex, centre, minor, clockwise]: the radius and angles follow from the three points, so the
// runtime core constructs the arc.
Result<core::CurveData> circular_arc_by_center(PyObject* items, const core::Coord& start, const core::Coord& end) {
    VELMOR_TRY_ASSIGN(const core::Coord center, auxiliary_item(items, 1));
    VELMOR_TRY_ASSIGN(const bool minor, flag_item(items, 2));
    VELMOR_TRY_ASSIGN(const bool clockwise, flag_item(items, 3));
    return circular_arc_from_center(start, end, center, minor, clockwise);
}

// [end vertex, centre, minor, clockwise, rotation, axis, ratio]
Result<core::CurveData> elliptic_arc(PyObject* items) {
    VELMOR_TRY_ASSIGN(const core::Coord center, auxiliary_item(items, 1));
    VELMOR_TRY_ASSIGN(const bool minor, flag_item(items, 2));
    VELMOR_TRY_ASSIGN(const bool clockwise, flag_item(items, 3));
    VELMOR_TRY_ASSIGN(const double rotation, number_item(items, 4));
    VELMOR_TRY_ASSIGN(const double axis, number_item(items, 5));
    VELMOR_TRY_ASSIGN(const double ratio, number_item(items, 6));
    return core::EllipticArc{center.x(), center.y(), rotation, axis, ratio, minor, clockwise};
}

// [end vertex, first control point, second control point]
Result<core::CurveData> bezier_curve(PyObject* items) {
    VELMOR_TRY_ASSIGN(const core::Coord control1, auxiliary_item(items, 1));
    VELMOR_TRY_ASSIGN(const core::Coord control2, auxiliary_item(items, 2));
    return core::BezierCurve{control1.x(), control1.y(), control2.x(), control2.y()};
}

enum class CurveKey { Circular, Elliptic, Bezier };

struct KeyedSegment {
    CurveKey key;
    PyObject* items;  // borrowed from the dictionary
};

// The first of "c", "a", "b" present in the dictionary; null items when none is.
Result<KeyedSegment> keyed_segment(PyObject* dict) {
    constexpr std::pair<const char*, CurveKey> keys[] = {
        {"c", CurveKey::Circular}, {"a", CurveKey::Elliptic}, {"b", CurveKey::Bezier}};
    for (const auto& [name, key] : keys) {
        VELMOR_TRY_ASSIGN(PyObject* items, find_item(dict, name));
        if (items != nullptr) return KeyedSegment{key, items};
    }
    return KeyedSegment{CurveKey::Circular, nullptr};
}

Result<core::CurveVertex> curve_from_dict(PyObject* dict, core::Dims dims, const core::Coord& start) {
    VELMOR_TRY_ASSIGN(const KeyedSegment segment, keyed_segment(dict));
    if (segment.items == nullptr) {
        return fail(invalid_segment());
    }
    PyObject* items = segment.items;
    VELMOR_TRY(require_list(items));
    VELMOR_TRY_ASSIGN(PyObject* end_item, list_item(items, 0));
    VELMOR_TRY_ASSIGN(const core::Coord end, vertex_from_py(end_item, dims));
    auto curve = [&]() -> Result<core::CurveData> {
        switch (segment.key) {
            case CurveKey::Circular:
                return circular_arc(items);
            case CurveKey::Elliptic:
                if (PyList_GET_SIZE(items) == 4) return circular_arc_by_center(items, start, end);
                return elliptic_arc(items);
            case CurveKey::Bezier:
                return bezier_curve(items);
        }
        core::internal_failure("Internal error: unknown curve segment key");
    }();
    if (!curve) return fail(std::move(curve.error()));
    return core::CurveVertex{end, *curve};
}

}  // namespace

Result<core::CurveVertex> point_and_curve_from_py(PyObject* value, core::Dims dims, const core::Coord& start) {
    if (is_position(value)) {
        VELMOR_TRY_ASSIGN(const core::Coord end, vertex_from_py(value, dims));
        return core::CurveVertex{end, core::Linear{}};
    }
    if (PyDict_Check(value)) return curve_from_dict(value, dims, start);
    return fail(invalid_segment());
}

}  // namespace velmor::py
