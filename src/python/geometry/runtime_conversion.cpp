#include "geometry/runtime_conversion.hpp"

#include "geometry/envelope.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geometry_from_py.hpp"
#include "geometry/gkn_geo.hpp"
#include "geometry/multipoint.hpp"
#include "geometry/point.hpp"
#include "geometry/polygon.hpp"
#include "geometry/polyline.hpp"
#include "runtime/convert/envelope_conversion.hpp"
#include "runtime/convert/multipart_geometry_conversion.hpp"
#include "runtime/convert/multipoint_conversion.hpp"
#include "runtime/convert/point_conversion.hpp"
#include "runtime/geometry.hpp"

namespace velmor::py {
namespace {

Result<Ref> polyline_object(const runtime::Polyline& polyline) {
    VELMOR_TRY_ASSIGN(core::Polyline value, runtime::convert::polyline_from_runtime(polyline));
    return new_polyline(std::move(value));
}

Result<Ref> polygon_object(const runtime::Polygon& polygon) {
    VELMOR_TRY_ASSIGN(core::Polygon value, runtime::convert::polygon_from_runtime(polygon));
    return new_polygon(std::move(value));
}

// The five classes convert their own instances without a call to __gkn_geo(): their types are
// immutable and their instances have no attribute dictionary, so that call could only reach the
// class's own method, and skipping it saves the lookup, the bound method and the GKNGeo carrier.
using RuntimeValue = core::Result<runtime::GeometryOwned> (*)(PyObject*);
struct OwnClass {
    PyTypeObject* (*type)();
    RuntimeValue runtime_value;
};
constexpr OwnClass own_classes[] = {
    {polygon_type, polygon_runtime_value}, {polyline_type, polyline_runtime_value},
    {point_type, point_runtime_value},     {envelope_type, envelope_runtime_value},
    {multipoint_type, multipoint_runtime_value},
};

// The conversion of an instance of exactly one of the five classes; null for any other object.
RuntimeValue own_conversion(PyObject* object) {
    for (const OwnClass& own : own_classes) {
        if (Py_IS_TYPE(object, own.type())) return own.runtime_value;
    }
    return nullptr;
}

// The method name, interned once and kept for the life of the process like the type objects.
PyObject* gkn_geo_name() {
    static PyObject* name = nullptr;
    if (name == nullptr) name = PyUnicode_InternFromString("__gkn_geo");
    return name;
}

// Any other geometry (a Python subclass may override __gkn_geo): the method is called and the
// geometry taken out of the GKNGeo it returns.
Result<runtime::GeometryOwned> carried_geometry(PyObject* object) {
    PyObject* name = gkn_geo_name();
    if (name == nullptr) return fail(python_error());
    Ref carrier = Ref::steal(PyObject_CallMethodNoArgs(object, name));
    if (!carrier) return fail(python_error());
    return take_gkn_geo(carrier.get());
}

}  // namespace

Result<runtime::GeometryOwned> geometry_to_runtime(PyObject* value) {
    if (const RuntimeValue runtime_value = own_conversion(value)) return runtime_value(value);
    VELMOR_TRY_ASSIGN(bool geometry, is_geometry(value));
    if (geometry) return carried_geometry(value);
    // A dictionary or OvraJSON text becomes a geometry first, which then takes one of the roads above.
    VELMOR_TRY_ASSIGN(Ref object, geometry_from_py(value));
    return geometry_to_runtime(object.get());
}

Result<Ref> geometry_from_runtime(runtime::GeometryOwned geometry) {
    switch (runtime::object_type(geometry.get())) {
        case runtime::point_type:
            return new_point(runtime::convert::point_from_runtime(runtime::transfer<runtime::Point>(std::move(geometry))));
        case runtime::envelope_type:
            return new_envelope(
                runtime::convert::envelope_from_runtime(runtime::transfer<runtime::Envelope>(std::move(geometry))));
        case runtime::polyline_type:
            return polyline_object(runtime::transfer<runtime::Polyline>(std::move(geometry)));
        case runtime::polygon_type:
            return polygon_object(runtime::transfer<runtime::Polygon>(std::move(geometry)));
        case runtime::multipoint_type:
            return new_multipoint(
                runtime::convert::multipoint_from_runtime(runtime::transfer<runtime::Multipoint>(std::move(geometry))));
        default:
            geometry.reset();
            return fail(NativeError::geokern("Tried to convert geometry of unknown type into a python geometry"));
    }
}

}  // namespace velmor::py
