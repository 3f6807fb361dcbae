#include "geometry/polyline.hpp"

#include "args.hpp"
#include "dict_forms/geometry_forms.hpp"
#include "engine/road.hpp"
#include "geometry/container_properties.hpp"
#include "geometry/format_properties.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geo_interface.hpp"
#include "geometry/geometry_state.hpp"
#include "geometry/member_docs.hpp"
#include "geometry/point.hpp"
#include "geometry/runtime_conversion.hpp"
#include "parts/part_objects.hpp"
#include "runtime/convert/multipart_geometry_conversion.hpp"
#include "spatial/extend_options.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

using Value = core::Polyline;

struct PolylineTraits : geometry_class::AccessorSpatialReference<Value> {
    using Value = core::Polyline;
    static constexpr const char* name = "Polyline";
    static constexpr const char* parameter = "polyline";
    static constexpr const char* refusal = "Polyline.push_part expects a Part or a dict";
    static PyTypeObject* type() { return polyline_type(); }
    static Result<Value> from_dict(PyObject* dict) { return polyline_from_dict(dict); }
    static core::Result<runtime::GeometryOwned> to_runtime(const Value& value) {
        VELMOR_TRY_ASSIGN(runtime::Polyline polyline, runtime::convert::polyline_to_runtime(value));
        return runtime::transfer<runtime::GeometryOwned>(std::move(polyline));
    }
};

namespace gc = geometry_class;

// Omitted means DEFAULT, no bits.
struct ExtendOptionsArg : engine::PlainKind<GK_GeometryExtendOptions> {
    static Result<GK_GeometryExtendOptions> convert(PyObject* argument, const char* name) {
        if (argument == nullptr) return 0;
        VELMOR_TRY_ASSIGN(uint32_t bits, extend_options_bits(argument, name));
        return static_cast<GK_GeometryExtendOptions>(bits);
    }
};

// Unlike the other engine calls, a runtime failure is reported as a TypeError.
Result<Ref> fraction_along(PyObject* self, engine::Names names, PyObject* point, double tolerance) {
    auto fraction = engine::Gk<VELMOR_ENGINE(fractionAlong), engine::FloatResult>::run<true, engine::PointArg, engine::FloatArg>(
        self, {point, tolerance}, names);
    if (fraction || fraction.error().kind() != core::ErrorKind::Geokern) return fraction;
    return fail(raise_error(PyExc_TypeError, "fraction_along failed: " + fraction.error().text()));
}

PyGetSetDef properties[] = {
    {"paths", gc::get_container<Value, &Value::paths, new_multipart_object>,
     gc::set_container<Value, multipart_from_py, &Value::set_paths>,
     "The straight paths as a live Multipart view (changes show in the polyline). Assign a Multipart or a "
     "list of paths.",
     nullptr},
    {"curve_paths", gc::get_container<Value, &Value::curve_paths, new_curve_multipart_object>,
     gc::set_container<Value, curve_multipart_from_py, &Value::set_curve_paths>,
     "The paths that may hold true curves, as a live CurveMultipart view. Assign a CurveMultipart or a list "
     "of curve paths.",
     nullptr},
    {"has_z", gc::get_flag<Value, &Value::has_z>, nullptr, member_docs::has_z, nullptr},
    {"has_m", gc::get_flag<Value, &Value::has_m>, nullptr, member_docs::has_m, nullptr},
    {"is_empty", gc::get_flag<Value, &Value::is_empty>, nullptr, member_docs::is_empty, nullptr},
    {"spatial_reference", gc::get_spatial_reference<PolylineTraits>,
     gc::set_spatial_reference<PolylineTraits>, member_docs::spatial_reference, nullptr},
    {"ids", gc::get_none, nullptr, member_docs::ids, nullptr},
    {"geometry_type", gc::get_geometry_type<PolylineTraits>, nullptr, member_docs::geometry_type, nullptr},
    {"JSON", gc::get_json<PolylineTraits>, nullptr, member_docs::json, nullptr},
    {"__geo_interface__", gc::get_geo_interface<PolylineTraits>, nullptr, member_docs::geo_interface, nullptr},
    VELMOR_WRITTEN_FORM_PROPERTIES(PolylineTraits),
    {nullptr},
};

PyMethodDef methods[] = {
    {"__gkn_geo", gc::gkn_geo<PolylineTraits>, METH_NOARGS, "__gkn_geo($self)\n--\n\n"},
    geometry_state::reduce_entry<PolylineTraits>(),
    geometry_state::setstate_entry<PolylineTraits>(),
    engine::Member<"extend($self, extender, extend_options=...)",
                   engine::Gk<VELMOR_ENGINE(extend), engine::OptionalGeometryResult>, engine::PolylineArg,
                   ExtendOptionsArg>::entry("The polyline extended to the extender; None when nothing extends."),
    engine::Member<"fraction_along($self, point, tolerance)", engine::Custom<fraction_along>, engine::PointArg,
                   engine::FloatArg>::entry("The fraction of the polyline's length at which the point lies."),
    engine::Member<"with_point_along($self, distance)", engine::Gk<VELMOR_ENGINE(createPointAlong), engine::GeometryResult>,
                   engine::FloatArg>::entry("The point at the distance along the polyline."),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("Polyline(polyline)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(gc::construct<PolylineTraits>)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<gc::Holder<Value>>)},
    {Py_tp_str, reinterpret_cast<void*>(gc::text<PolylineTraits>)},
    {Py_tp_repr, reinterpret_cast<void*>(gc::text<PolylineTraits>)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.Polyline",
    static_cast<int>(sizeof(Instance<gc::Holder<Value>>)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    slots,
};

}  // namespace

PyTypeObject* polyline_type() {
    static TypeCell cell(&spec, geometry_type);
    return cell.get();
}

Result<Ref> new_polyline(core::Polyline value) { return gc::new_object<PolylineTraits>(std::move(value)); }

core::Result<runtime::GeometryOwned> polyline_runtime_value(PyObject* polyline) {
    return gc::runtime_geometry<PolylineTraits>(polyline);
}

}  // namespace velmor::py
