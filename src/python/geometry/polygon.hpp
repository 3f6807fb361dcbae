#pragma once

#include <Python.h>

#include "core/polygon.hpp"
#include "errors.hpp"

namespace velmor::py {

// The class Polygon: one shared native polygon per instance; its rings and curve rings are live views.
PyTypeObject* polygon_type();

// A new Polygon holding its own polygon.
Result<Ref> new_polygon(core::Polygon value);

}  // namespace velmor::py
