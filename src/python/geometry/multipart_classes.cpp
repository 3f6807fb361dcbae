#include "geometry/multipart_classes.hpp"
#include <string>

namespace velmor::py {
namespace {

// Polylines, polygons and multipoints are not built yet: refuse honestly instead of inventing one.
Result<Ref> not_yet(const char* what) {
    return fail(raise_error(PyExc_NotImplementedError, std::string(what) + " geometries are not supported yet"));
}

}  // namespace

Result<Ref> polyline_from_py_dict(PyObject*) { return not_yet("Polyline"); }
Result<Ref> polygon_from_py_dict(PyObject*) { return not_yet("Polygon"); }
Result<Ref> multipoint_from_py_dict(PyObject*) { return not_yet("MultiPoint"); }
Result<Ref> polyline_from_runtime_geometry(runtime::Polyline) { return not_yet("Polyline"); }
Result<Ref> polygon_from_runtime_geometry(runtime::Polygon) { return not_yet("Polygon"); }
Result<Ref> multipoint_from_runtime_geometry(runtime::Multipoint) { return not_yet("MultiPoint"); }

}  // namespace velmor::py
