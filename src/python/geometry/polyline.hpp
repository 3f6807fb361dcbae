#pragma once

#include <Python.h>

#include "core/polyline.hpp"
#include "errors.hpp"

namespace velmor::py {

// The class Polyline: one shared native polyline per instance; its paths and curve paths are live views.
PyTypeObject* polyline_type();

// A new Polyline holding its own polyline.
Result<Ref> new_polyline(core::Polyline value);

}  // namespace velmor::py
