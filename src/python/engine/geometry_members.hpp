#pragma once

#include <Python.h>

#include <span>

// The members of Geometry that ask the geometry engine for their result, made from the catalogue.
namespace velmor::py::engine {

// The methods (instance and static), without the closing sentinel.
std::span<const PyMethodDef> geometry_engine_methods();

// The read-only properties area, length and label_point, without the closing sentinel.
std::span<const PyGetSetDef> geometry_engine_properties();

}  // namespace velmor::py::engine
