// The four final curve segment classes. Each carries the curve data of the segment that ends at its
// vertex; writing a curve attribute writes the whole curve data back into the linked curve part.
#include <string>

#include "args.hpp"
#include "entry.hpp"
#include "segments/segment_attributes.hpp"
#include "segments/segment_objects.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

template <class Curve>
const Curve& curve_of(PyObject* self) {
    const Curve* curve = std::get_if<Curve>(&state_of(self).curve);
    if (curve == nullptr) core::internal_failure("Internal error: segment object holds curve data of another kind");
    return *curve;
}

template <class Curve, double Curve::*field>
PyObject* get_number(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        Ref value = Ref::steal(PyFloat_FromDouble(curve_of<Curve>(self).*field));
        if (!value) return fail(python_error());
        return value;
    });
}

template <class Curve, bool Curve::*field>
PyObject* get_flag(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> { return Ref::borrow(curve_of<Curve>(self).*field ? Py_True : Py_False); });
}

template <class Curve, class Field, Field Curve::*field, Result<Field> (*convert)(PyObject*, const char*)>
int set_field(PyObject* self, PyObject* value, void*) {
    return guard([&]() -> Result<void> {
        if (value == nullptr) return refuse_attribute_delete();
        VELMOR_TRY_ASSIGN(const Field converted, convert(value, "val"));
        Curve changed = curve_of<Curve>(self);
        changed.*field = converted;
        return state_of(self).store_curve(changed);
    });
}

template <class Curve, double Curve::* field>
constexpr PyGetSetDef number(const char* name, const char* description) {
    return {name, get_number<Curve, field>, set_field<Curve, double, field, float_argument>, description,
            nullptr};
}

template <class Curve, bool Curve::* field>
constexpr PyGetSetDef flag(const char* name, const char* description) {
    return {name, get_flag<Curve, field>, set_field<Curve, bool, field, bool_argument>, description, nullptr};
}

PyGetSetDef circular_arc_getset[] = {
    number<core::CircularArc, &core::CircularArc::interior_x>(
        "interior_x", "The x of a point on the arc strictly between its ends (float, assignable)."),
    number<core::CircularArc, &core::CircularArc::interior_y>(
        "interior_y", "The y of a point on the arc strictly between its ends (float, assignable)."),
    {nullptr},
};

PyGetSetDef elliptic_arc_getset[] = {
    number<core::EllipticArc, &core::EllipticArc::center_x>(
        "center_x", "The x of the ellipse's centre (float, assignable)."),
    number<core::EllipticArc, &core::EllipticArc::center_y>(
        "center_y", "The y of the ellipse's centre (float, assignable)."),
    flag<core::EllipticArc, &core::EllipticArc::minor>(
        "minor", "Whether the arc's central angle is below a half turn (bool, assignable)."),
    flag<core::EllipticArc, &core::EllipticArc::clockwise>(
        "clockwise", "Whether the arc runs clockwise from its start to its end (bool, assignable)."),
    number<core::EllipticArc, &core::EllipticArc::rotation>(
        "rotation",
        "The rotation of the major axis, counter-clockwise from the x axis, in radians (float, assignable)."),
    number<core::EllipticArc, &core::EllipticArc::axis>(
        "axis", "The semi-major axis, in the units of the coordinates (float, assignable)."),
    number<core::EllipticArc, &core::EllipticArc::ratio>(
        "ratio", "The minor-to-major axis ratio (float, assignable); 1 for a circle."),
    {nullptr},
};

PyGetSetDef bezier_curve_getset[] = {
    number<core::BezierCurve, &core::BezierCurve::control1_x>(
        "ctrl1_x", "The x of the first control point (float, assignable)."),
    number<core::BezierCurve, &core::BezierCurve::control1_y>(
        "ctrl1_y", "The y of the first control point (float, assignable)."),
    number<core::BezierCurve, &core::BezierCurve::control2_x>(
        "ctrl2_x", "The x of the second control point (float, assignable)."),
    number<core::BezierCurve, &core::BezierCurve::control2_y>(
        "ctrl2_y", "The y of the second control point (float, assignable)."),
    {nullptr},
};

constexpr unsigned long final_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION;

PyType_Slot linear_slots[] = {{0, nullptr}};
PyType_Slot circular_arc_slots[] = {{Py_tp_getset, circular_arc_getset}, {0, nullptr}};
PyType_Slot elliptic_arc_slots[] = {{Py_tp_getset, elliptic_arc_getset}, {0, nullptr}};
PyType_Slot bezier_curve_slots[] = {{Py_tp_getset, bezier_curve_getset}, {0, nullptr}};

PyType_Spec linear_spec{"velmor_geometry.Linear", 0, 0, final_flags, linear_slots};
PyType_Spec circular_arc_spec{"velmor_geometry.CircularArc", 0, 0, final_flags, circular_arc_slots};
PyType_Spec elliptic_arc_spec{"velmor_geometry.EllipticArc", 0, 0, final_flags, elliptic_arc_slots};
PyType_Spec bezier_curve_spec{"velmor_geometry.BezierCurve", 0, 0, final_flags, bezier_curve_slots};

// The class of each kind of curve data, by its kind code.
PyTypeObject* class_of(const core::CurveData& curve) {
    switch (curve.index()) {
        case 0:
            return linear_type();
        case 1:
            return circular_arc_type();
        case 2:
            return elliptic_arc_type();
        case 3:
            return bezier_curve_type();
    }
    core::internal_failure("Internal error: curve data of unknown kind");
}

}  // namespace

PyTypeObject* linear_type() {
    static TypeCell cell(&linear_spec, curve_segment_type);
    return cell.get();
}

PyTypeObject* circular_arc_type() {
    static TypeCell cell(&circular_arc_spec, curve_segment_type);
    return cell.get();
}

PyTypeObject* elliptic_arc_type() {
    static TypeCell cell(&elliptic_arc_spec, curve_segment_type);
    return cell.get();
}

PyTypeObject* bezier_curve_type() {
    static TypeCell cell(&bezier_curve_spec, curve_segment_type);
    return cell.get();
}

Result<Ref> new_segment_object(const core::CurveVertex& vertex, std::optional<CurvePartLink> link) {
    return new_instance(class_of(vertex.curve), SegmentState{vertex.coord, vertex.curve, std::nullopt, std::move(link)});
}

}  // namespace velmor::py
