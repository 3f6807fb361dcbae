#include "geometry/multipoint.hpp"

#include "dict_forms/geometry_forms.hpp"
#include "geometry/container_properties.hpp"
#include "geometry/format_properties.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geo_interface.hpp"
#include "geometry/geometry_state.hpp"
#include "geometry/member_docs.hpp"
#include "parts/part_objects.hpp"
#include "runtime/convert/multipoint_conversion.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

using Value = core::Multipoint;

struct MultipointTraits : geometry_class::AccessorSpatialReference<Value> {
    using Value = core::Multipoint;
    static constexpr const char* name = "MultiPoint";
    static constexpr const char* parameter = "multipoint";
    static constexpr const char* refusal = "MultiPoint from_py expects a MultiPoint or dict";
    static PyTypeObject* type() { return multipoint_type(); }
    static Result<Value> from_dict(PyObject* dict) { return multipoint_from_dict(dict); }
    static core::Result<runtime::GeometryOwned> to_runtime(const Value& value) {
        VELMOR_TRY_ASSIGN(runtime::Multipoint multipoint, runtime::convert::multipoint_to_runtime(value));
        return runtime::transfer<runtime::GeometryOwned>(std::move(multipoint));
    }
};

namespace gc = geometry_class;

PyGetSetDef properties[] = {
    {"points", gc::get_container<Value, &Value::points, new_part_object>,
     gc::set_container<Value, part_from_py, &Value::set_points>,
     "The points as a live Part view of vertices (changes show in the multipoint). Assign a Part or a list "
     "of vertices.",
     nullptr},
    {"has_z", gc::get_flag<Value, &Value::has_z>, nullptr, member_docs::has_z, nullptr},
    {"has_m", gc::get_flag<Value, &Value::has_m>, nullptr, member_docs::has_m, nullptr},
    {"is_empty", gc::get_flag<Value, &Value::is_empty>, nullptr, member_docs::is_empty, nullptr},
    {"spatial_reference", gc::get_spatial_reference<MultipointTraits>,
     gc::set_spatial_reference<MultipointTraits>, member_docs::spatial_reference, nullptr},
    {"ids", gc::get_none, nullptr, member_docs::ids, nullptr},
    {"geometry_type", gc::get_geometry_type<MultipointTraits>, nullptr, member_docs::geometry_type, nullptr},
    {"JSON", gc::get_json<MultipointTraits>, nullptr, member_docs::json, nullptr},
    {"__geo_interface__", gc::get_geo_interface<MultipointTraits>, nullptr, member_docs::geo_interface, nullptr},
    VELMOR_WRITTEN_FORM_PROPERTIES(MultipointTraits),
    {nullptr},
};

PyMethodDef methods[] = {
    {"__gkn_geo", gc::gkn_geo<MultipointTraits>, METH_NOARGS, "__gkn_geo($self)\n--\n\n"},
    geometry_state::reduce_entry<MultipointTraits>(),
    geometry_state::setstate_entry<MultipointTraits>(),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("MultiPoint(multipoint)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(gc::construct<MultipointTraits>)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<gc::Holder<Value>>)},
    {Py_tp_str, reinterpret_cast<void*>(gc::text<MultipointTraits>)},
    {Py_tp_repr, reinterpret_cast<void*>(gc::text<MultipointTraits>)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.MultiPoint",
    static_cast<int>(sizeof(Instance<gc::Holder<Value>>)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    slots,
};

}  // namespace

PyTypeObject* multipoint_type() {
    static TypeCell cell(&spec, geometry_type);
    return cell.get();
}

Result<Ref> new_multipoint(core::Multipoint value) { return gc::new_object<MultipointTraits>(std::move(value)); }

core::Result<runtime::GeometryOwned> multipoint_runtime_value(PyObject* multipoint) {
    return gc::runtime_geometry<MultipointTraits>(multipoint);
}

}  // namespace velmor::py
