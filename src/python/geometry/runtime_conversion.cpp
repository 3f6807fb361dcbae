#include "geometry/runtime_conversion.hpp"

#include "geometry/envelope.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/geometry_from_py.hpp"
#include "geometry/gkn_geo.hpp"
#include "geometry/multipart_classes.hpp"
#include "geometry/point.hpp"
#include "runtime/convert/envelope_conversion.hpp"
#include "runtime/convert/point_conversion.hpp"
#include "runtime/geometry.hpp"

namespace velmor::py {

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
            return polyline_from_runtime_geometry(runtime::transfer<runtime::Polyline>(std::move(geometry)));
        case runtime::polygon_type:
            return polygon_from_runtime_geometry(runtime::transfer<runtime::Polygon>(std::move(geometry)));
        case runtime::multipoint_type:
            return multipoint_from_runtime_geometry(runtime::transfer<runtime::Multipoint>(std::move(geometry)));
        default:
            geometry.reset();
            return fail(NativeError::geokern("Tried to convert geometry of unknown type into a python geometry"));
    }
}

}  // namespace velmor::py
