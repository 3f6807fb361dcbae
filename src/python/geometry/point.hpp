#pragma once

#include <Python.h>

#include "core/point_value.hpp"
#include "errors.hpp"

namespace velmor::py {

// The class Point: one shared point value per instance (copies made with Point(p) share it).
PyTypeObject* point_type();

// A new Point holding its own value.
Result<Ref> new_point(core::PointValue value);

}  // namespace velmor::py
