#pragma once

#include <Python.h>

#include "core/dims.hpp"
#include "geometry/geometry_class.hpp"

// The container properties of polylines, polygons and multipoints (paths, curve_paths, rings,
// curve_rings, points): the getter gives a live view sharing the geometry's container; the setter
// takes a view's container (shared) or a list read with the geometry's dimensionality, and installs it
// only when its dimensionality matches.
namespace velmor::py::geometry_class {

// Get: `Container` reads the shared handle of the value, `NewView` wraps it in its Python view.
template <class Value, auto Container, auto NewView>
PyObject* get_container(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(auto container, (read<Value>(self, [](const Value& value) { return (value.*Container)(); })));
        return NewView(std::move(container));
    });
}

// Set: the value is converted outside the geometry's lock (it may run Python code), then installed by
// `Install` under the lock; a mismatching dimensionality leaves the geometry unchanged.
template <class Value, auto FromPy, auto Install>
int set_container(PyObject* self, PyObject* assigned, void*) {
    return guard([&]() -> Result<void> {
        if (assigned == nullptr) return refuse_attribute_delete();
        VELMOR_TRY_ASSIGN(core::Dims dims, (read<Value>(self, [](const Value& value) { return value.dims(); })));
        VELMOR_TRY_ASSIGN(auto container, FromPy(assigned, dims));
        VELMOR_TRY_ASSIGN(auto geometry, holder_of<Value>(self).lock_checked());
        return ((*geometry).*Install)(std::move(container));
    });
}

// Traits of the geometries whose spatial reference sits behind accessors.
template <class Value>
struct AccessorSpatialReference {
    static std::optional<core::SpatialReference> spatial_reference(const Value& value) {
        return value.spatial_reference();
    }
    static void set_spatial_reference(Value& value, std::optional<core::SpatialReference> reference) {
        value.set_spatial_reference(std::move(reference));
    }
};

}  // namespace velmor::py::geometry_class
