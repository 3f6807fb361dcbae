#include "geometry/point.hpp"

#include "dict_forms/point_form.hpp"
#include "geometry/format_properties.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geometry_class.hpp"
#include "geometry/geo_interface.hpp"
#include "geometry/geometry_state.hpp"
#include "geometry/member_docs.hpp"
#include "runtime/convert/point_conversion.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

using Value = core::PointValue;

struct PointTraits {
    using Value = core::PointValue;
    static constexpr const char* name = "Point";
    static constexpr const char* parameter = "point";
    static constexpr const char* refusal = "Point from_py expects a Point object or a dict";
    static PyTypeObject* type() { return point_type(); }
    static Result<Value> from_dict(PyObject* dict) { return point_from_dict(dict); }
    static core::Result<runtime::GeometryOwned> to_runtime(const Value& value) {
        VELMOR_TRY_ASSIGN(runtime::Point point, runtime::convert::point_to_runtime(value));
        return runtime::transfer<runtime::GeometryOwned>(std::move(point));
    }
    static const std::optional<core::SpatialReference>& spatial_reference(const Value& value) {
        return value.spatial_reference;
    }
    static void set_spatial_reference(Value& value, std::optional<core::SpatialReference> reference) {
        value.spatial_reference = std::move(reference);
    }
};

namespace gc = geometry_class;

constexpr char x_in[] = "x_in";
constexpr char y_in[] = "y_in";
constexpr char z_name[] = "z";
constexpr char m_name[] = "m";

PyGetSetDef properties[] = {
    {"x", gc::get_double<Value, &Value::x>, gc::set_double_or_nan<Value, &Value::x, x_in>,
     "The x coordinate (float; NaN when the point is empty). Assign a number, or None for NaN.", nullptr},
    {"y", gc::get_double<Value, &Value::y>, gc::set_double_or_nan<Value, &Value::y, y_in>,
     "The y coordinate (float; NaN when the point is empty). Assign a number, or None for NaN.", nullptr},
    {"z", gc::get_optional<Value, &Value::z>, gc::set_optional<Value, &Value::z, z_name>,
     "The z coordinate (float), or None when the point has no z. Assigning a number adds z; None removes it.",
     nullptr},
    {"m", gc::get_optional<Value, &Value::m>, gc::set_optional<Value, &Value::m, m_name>,
     "The m value (float), or None when the point has no m. Assigning a number adds m; None removes it.",
     nullptr},
    {"has_z", gc::get_flag<Value, &Value::has_z>, nullptr, member_docs::has_z, nullptr},
    {"has_m", gc::get_flag<Value, &Value::has_m>, nullptr, member_docs::has_m, nullptr},
    {"hasM", gc::get_flag<Value, &Value::has_m>, nullptr,
     "Whether the point carries an m value (bool); the same as has_m.", nullptr},
    {"is_empty", gc::get_flag<Value, &Value::is_empty>, nullptr, member_docs::is_empty, nullptr},
    {"spatial_reference", gc::get_spatial_reference<PointTraits>, gc::set_spatial_reference<PointTraits>,
     member_docs::spatial_reference, nullptr},
    {"id", gc::get_none, nullptr, "Always None: point identifiers are not kept.", nullptr},
    {"geometry_type", gc::get_geometry_type<PointTraits>, nullptr, member_docs::geometry_type, nullptr},
    {"JSON", gc::get_json<PointTraits>, nullptr, member_docs::json, nullptr},
    {"__geo_interface__", gc::get_geo_interface<PointTraits>, nullptr, member_docs::geo_interface, nullptr},
    VELMOR_WRITTEN_FORM_PROPERTIES(PointTraits),
    {nullptr},
};

PyMethodDef methods[] = {
    {"__gkn_geo", gc::gkn_geo<PointTraits>, METH_NOARGS, "__gkn_geo($self)\n--\n\n"},
    geometry_state::reduce_entry<PointTraits>(),
    geometry_state::setstate_entry<PointTraits>(),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("Point(point)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(gc::construct<PointTraits>)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<gc::Holder<Value>>)},
    {Py_tp_str, reinterpret_cast<void*>(gc::text<PointTraits>)},
    {Py_tp_repr, reinterpret_cast<void*>(gc::text<PointTraits>)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.Point",
    static_cast<int>(sizeof(Instance<gc::Holder<Value>>)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    slots,
};

}  // namespace

PyTypeObject* point_type() {
    static TypeCell cell(&spec, geometry_type);
    return cell.get();
}

Result<Ref> new_point(core::PointValue value) { return gc::new_object<PointTraits>(std::move(value)); }

core::Result<runtime::GeometryOwned> point_runtime_value(PyObject* point) {
    return gc::runtime_geometry<PointTraits>(point);
}

}  // namespace velmor::py
