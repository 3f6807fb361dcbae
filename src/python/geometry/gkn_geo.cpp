#include "geometry/gkn_geo.hpp"

#include <optional>

#include "core/shared.hpp"
#include "spatial/instance.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

// The handle sits behind a lock like every native value, kept in the object itself since a carrier is
// never shared; taking it empties the holder, and a holder that still has one when it dies releases it.
using Holder = core::Locked<std::optional<runtime::GeometryOwned>>;

PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc_instance<Holder>)},
    {0, nullptr},
};

PyType_Spec spec = {
    "velmor_geometry.GKNGeo",
    static_cast<int>(sizeof(Instance<Holder>)),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION,
    slots,
};

}  // namespace

PyTypeObject* gkn_geo_type() {
    static TypeCell cell(&spec);
    return cell.get();
}

Result<Ref> new_gkn_geo(runtime::GeometryOwned geometry) {
    return new_instance_of<Holder>(gkn_geo_type(), std::optional<runtime::GeometryOwned>(std::move(geometry)));
}

Result<runtime::GeometryOwned> take_gkn_geo(PyObject* object) {
    PyTypeObject* type = gkn_geo_type();
    if (type == nullptr) return fail(python_error());
    if (!Py_IS_TYPE(object, type)) {
        return fail(raise_error(PyExc_TypeError, "'" + type_name(object) + "' object cannot be converted to 'GKNGeo'"));
    }
    auto holder = payload_of<Holder>(object).lock();
    // A __gkn_geo of a Python subclass may hand out one carrier twice: that is the caller's mistake,
    // refused as such, and leaves the carrier's lock sound.
    if (!holder->has_value()) {
        return fail(raise_error(PyExc_ValueError,
                                "GKNGeo holds no geometry: it was taken before (__gkn_geo must return a new GKNGeo "
                                "on every call)"));
    }
    runtime::GeometryOwned geometry = std::move(**holder);
    holder->reset();
    return geometry;
}

}  // namespace velmor::py
