#include "geometry/polygon.hpp"

#include "dict_forms/geometry_forms.hpp"
#include "engine/road.hpp"
#include "geometry/container_properties.hpp"
#include "geometry/format_properties.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geo_interface.hpp"
#include "geometry/geometry_state.hpp"
#include "geometry/member_docs.hpp"
#include "geometry/polyline.hpp"
#include "geometry/runtime_conversion.hpp"
#include "parts/part_objects.hpp"
#include "runtime/convert/multipart_geometry_conversion.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

using Value = core::Polygon;

struct PolygonTraits : geometry_class::AccessorSpatialReference<Value> {
    using Value = core::Polygon;
    static constexpr const char* name = "Polygon";
    static constexpr const char* parameter = "polygon";
    static constexpr const char* refusal = "Polygon.push_part expects a Part or a dict";
    static PyTypeObject* type() { return polygon_type(); }
    static Result<Value> from_dict(PyObject* dict) { return polygon_from_dict(dict); }
    static core::Result<runtime::GeometryOwned> to_runtime(const Value& value) {
        VELMOR_TRY_ASSIGN(runtime::Polygon polygon, runtime::convert::polygon_to_runtime(value));
        return runtime::transfer<runtime::GeometryOwned>(std::move(polygon));
    }
};

namespace gc = geometry_class;

PyObject* is_polygon(PyObject*, PyObject*) { return Py_NewRef(Py_True); }

// The runtime form of a polygon is a runtime polygon, which is no polyline: the downcast reports the
// runtime conversion error, as the property always has.
PyObject* get_polyline(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(self));
        auto polyline = runtime::downcast<runtime::Polyline>(std::move(geometry));
        if (!polyline) return fail(runtime::to_native_error(polyline.error()));
        VELMOR_TRY_ASSIGN(core::Polyline value, runtime::convert::polyline_from_runtime(*polyline));
        return new_polyline(std::move(value));
    });
}

PyGetSetDef properties[] = {
    {"rings", gc::get_container<Value, &Value::rings, new_multipart_object>,
     gc::set_container<Value, multipart_from_py, &Value::set_rings>,
     "The straight rings as a live Multipart view (changes show in the polygon). Assign a Multipart or a "
     "list of rings, each of at least 3 vertices.",
     nullptr},
    {"curve_rings", gc::get_container<Value, &Value::curve_rings, new_curve_multipart_object>,
     gc::set_container<Value, curve_multipart_from_py, &Value::set_curve_rings>,
     "The rings that may hold true curves, as a live CurveMultipart view. Assign a CurveMultipart or a list "
     "of curve rings.",
     nullptr},
    {"has_z", gc::get_flag<Value, &Value::has_z>, nullptr, member_docs::has_z, nullptr},
    {"has_m", gc::get_flag<Value, &Value::has_m>, nullptr, member_docs::has_m, nullptr},
    {"is_empty", gc::get_flag<Value, &Value::is_empty>, nullptr, member_docs::is_empty, nullptr},
    {"spatial_reference", gc::get_spatial_reference<PolygonTraits>, gc::set_spatial_reference<PolygonTraits>,
     member_docs::spatial_reference, nullptr},
    {"ids", gc::get_none, nullptr, member_docs::ids, nullptr},
    {"geometry_type", gc::get_geometry_type<PolygonTraits>, nullptr, member_docs::geometry_type, nullptr},
    {"JSON", gc::get_json<PolygonTraits>, nullptr, member_docs::json, nullptr},
    {"polyline", get_polyline, nullptr,
     "Always raises Exception: a polygon does not convert to a Polyline through this property.", nullptr},
    {"__geo_interface__", gc::get_geo_interface<PolygonTraits>, nullptr, member_docs::geo_interface, nullptr},
    VELMOR_WRITTEN_FORM_PROPERTIES(PolygonTraits),
    {nullptr},
};

PyMethodDef methods[] = {
    {"__gkn_geo", gc::gkn_geo<PolygonTraits>, METH_NOARGS, "__gkn_geo($self)\n--\n\n"},
    engine::Member<"label_point($self)", engine::Gk<VELMOR_ENGINE(labelPoint), engine::GeometryResult>>::
        entry("The engine's label point inside the polygon."),
    {"is_polygon", is_polygon, METH_NOARGS,
     "is_polygon($self)\n--\n\n"
     "Always True: the geometry is a Polygon."},
    geometry_state::reduce_entry<PolygonTraits>(),
    geometry_state::setstate_entry<PolygonTraits>(),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("Polygon(polygon)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(gc::construct<PolygonTraits>)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<gc::Holder<Value>>)},
    {Py_tp_str, reinterpret_cast<void*>(gc::text<PolygonTraits>)},
    {Py_tp_repr, reinterpret_cast<void*>(gc::text<PolygonTraits>)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.Polygon",
    static_cast<int>(sizeof(Instance<gc::Holder<Value>>)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    slots,
};

}  // namespace

PyTypeObject* polygon_type() {
    static TypeCell cell(&spec, geometry_type);
    return cell.get();
}

Result<Ref> new_polygon(core::Polygon value) { return gc::new_object<PolygonTraits>(std::move(value)); }

core::Result<runtime::GeometryOwned> polygon_runtime_value(PyObject* polygon) {
    return gc::runtime_geometry<PolygonTraits>(polygon);
}

}  // namespace velmor::py
