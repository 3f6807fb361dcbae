#pragma once

#include <Python.h>

#include "core/multipoint.hpp"
#include "errors.hpp"

namespace velmor::py {

// The class MultiPoint: one shared native multipoint per instance; its points are a live Part view.
PyTypeObject* multipoint_type();

// A new MultiPoint holding its own multipoint.
Result<Ref> new_multipoint(core::Multipoint value);

}  // namespace velmor::py
