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

}  // namespace

Result<runtime::GeometryOwned> geometry_to_runtime(PyObject* value) {
    VELMOR_TRY_ASSIGN(bool geometry, is_geometry(value));
    Ref object = Ref::borrow(value);
    if (!geometry) {
        VELMOR_TRY_ASSIGN(object, geometry_from_py(value));
    }
    Ref carrier = Ref::steal(PyObject_CallMethod(object.get(), "__gkn_geo", nullptr));
    if (!carrier) return fail(python_error());
    return take_gkn_geo(carrier.get());
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
