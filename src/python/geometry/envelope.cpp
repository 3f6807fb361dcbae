#include "geometry/envelope.hpp"

#include "dict_forms/envelope_form.hpp"
#include "geometry/format_properties.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geometry_class.hpp"
#include "geometry/geo_interface.hpp"
#include "geometry/geometry_state.hpp"
#include "geometry/member_docs.hpp"
#include "runtime/convert/envelope_conversion.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

using Value = core::EnvelopeValue;

struct EnvelopeTraits {
    using Value = core::EnvelopeValue;
    static constexpr const char* name = "Envelope";
    static constexpr const char* parameter = "point";
    static constexpr const char* refusal = "Envelope from_py expects an Envelope object or dict";
    static PyTypeObject* type() { return envelope_type(); }
    static Result<Value> from_dict(PyObject* dict) { return envelope_from_dict(dict); }
    static core::Result<runtime::GeometryOwned> to_runtime(const Value& value) {
        VELMOR_TRY_ASSIGN(runtime::Envelope envelope, runtime::convert::envelope_to_runtime(value));
        return runtime::transfer<runtime::GeometryOwned>(std::move(envelope));
    }
    static const std::optional<core::SpatialReference>& spatial_reference(const Value& value) {
        return value.spatial_reference;
    }
    static void set_spatial_reference(Value& value, std::optional<core::SpatialReference> reference) {
        value.spatial_reference = std::move(reference);
    }
};

namespace gc = geometry_class;

constexpr char xmin_in[] = "xmin_in";
constexpr char xmax_in[] = "xmax_in";
constexpr char ymin_in[] = "ymin_in";
constexpr char ymax_in[] = "ymax_in";
constexpr char zmin[] = "zmin";
constexpr char zmax[] = "zmax";
constexpr char mmin[] = "mmin";
constexpr char mmax[] = "mmax";
constexpr char idmin[] = "idmin";
constexpr char idmax[] = "idmax";

#define VELMOR_BOUND(name, parameter, doc)                                                                   \
    {#name, gc::get_double<Value, &Value::name>, gc::set_double_or_nan<Value, &Value::name, parameter>, doc, \
     nullptr}
#define VELMOR_OPTIONAL(name, doc) \
    {#name, gc::get_optional<Value, &Value::name>, gc::set_optional<Value, &Value::name, name>, doc, nullptr}

PyGetSetDef properties[] = {
    VELMOR_BOUND(xmin, xmin_in,
                 "The smallest x of the envelope (float; NaN when empty). Assign a number, or None for NaN."),
    VELMOR_BOUND(xmax, xmax_in,
                 "The largest x of the envelope (float; NaN when empty). Assign a number, or None for NaN."),
    VELMOR_BOUND(ymin, ymin_in,
                 "The smallest y of the envelope (float; NaN when empty). Assign a number, or None for NaN."),
    VELMOR_BOUND(ymax, ymax_in,
                 "The largest y of the envelope (float; NaN when empty). Assign a number, or None for NaN."),
    VELMOR_OPTIONAL(
        zmin, "The smallest z of the envelope (float), or None when absent; assignable, None removes it."),
    VELMOR_OPTIONAL(
        zmax, "The largest z of the envelope (float), or None when absent; assignable, None removes it."),
    VELMOR_OPTIONAL(
        mmin, "The smallest m of the envelope (float), or None when absent; assignable, None removes it."),
    VELMOR_OPTIONAL(
        mmax, "The largest m of the envelope (float), or None when absent; assignable, None removes it."),
    VELMOR_OPTIONAL(idmin,
                    "The smallest identifier (int), or None when absent; assignable, None removes it."),
    VELMOR_OPTIONAL(idmax, "The largest identifier (int), or None when absent; assignable, None removes it."),
    {"has_z", gc::get_flag<Value, &Value::has_z>, nullptr, member_docs::has_z, nullptr},
    {"has_m", gc::get_flag<Value, &Value::has_m>, nullptr, member_docs::has_m, nullptr},
    {"is_empty", gc::get_flag<Value, &Value::is_empty>, nullptr, member_docs::is_empty, nullptr},
    {"spatial_reference", gc::get_spatial_reference<EnvelopeTraits>,
     gc::set_spatial_reference<EnvelopeTraits>, member_docs::spatial_reference, nullptr},
    {"geometry_type", gc::get_geometry_type<EnvelopeTraits>, nullptr, member_docs::geometry_type, nullptr},
    {"JSON", gc::get_json<EnvelopeTraits>, nullptr, member_docs::json, nullptr},
    {"__geo_interface__", gc::get_geo_interface<EnvelopeTraits>, nullptr, member_docs::geo_interface, nullptr},
    VELMOR_WRITTEN_FORM_PROPERTIES(EnvelopeTraits),
    {nullptr},
};

#undef VELMOR_BOUND
#undef VELMOR_OPTIONAL

PyMethodDef methods[] = {
    {"__gkn_geo", gc::gkn_geo<EnvelopeTraits>, METH_NOARGS, "__gkn_geo($self)\n--\n\n"},
    geometry_state::reduce_entry<EnvelopeTraits>(),
    geometry_state::setstate_entry<EnvelopeTraits>(),
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_doc, const_cast<char*>("Envelope(point)\n--\n\n")},
    {Py_tp_new, reinterpret_cast<void*>(gc::construct<EnvelopeTraits>)},
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<gc::Holder<Value>>)},
    {Py_tp_str, reinterpret_cast<void*>(gc::text<EnvelopeTraits>)},
    {Py_tp_repr, reinterpret_cast<void*>(gc::text<EnvelopeTraits>)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.Envelope",
    static_cast<int>(sizeof(Instance<gc::Holder<Value>>)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE,
    slots,
};

}  // namespace

PyTypeObject* envelope_type() {
    static TypeCell cell(&spec, geometry_type);
    return cell.get();
}

Result<Ref> new_envelope(core::EnvelopeValue value) { return gc::new_object<EnvelopeTraits>(std::move(value)); }

core::Result<runtime::GeometryOwned> envelope_runtime_value(PyObject* envelope) {
    return gc::runtime_geometry<EnvelopeTraits>(envelope);
}

}  // namespace velmor::py
