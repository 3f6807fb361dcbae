#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py {

// The class Geometry: the base of the five geometry classes, holding no data of its own. Its members
// are the ones every geometry shares (to_dict, extent, geoextent, centroid, envelope, has_curves).
PyTypeObject* geometry_type();

// True for instances of Geometry and its subclasses.
Result<bool> is_geometry(PyObject* object);

// Makes Geometry(value) build the geometry the value describes: the constructor slot of Geometry
// becomes the factory. Done once, after every class is registered.
Result<void> install_geometry_factory(PyObject* module);

}  // namespace velmor::py
