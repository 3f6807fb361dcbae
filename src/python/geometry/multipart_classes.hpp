#pragma once

#include <Python.h>

#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The entries of Polyline, Polygon and MultiPoint into the factory and into the conversion back from
// the runtime core.
Result<Ref> polyline_from_py_dict(PyObject* dict);
Result<Ref> polygon_from_py_dict(PyObject* dict);
Result<Ref> multipoint_from_py_dict(PyObject* dict);

Result<Ref> polyline_from_runtime_geometry(runtime::Polyline polyline);
Result<Ref> polygon_from_runtime_geometry(runtime::Polygon polygon);
Result<Ref> multipoint_from_runtime_geometry(runtime::Multipoint multipoint);

}  // namespace velmor::py
