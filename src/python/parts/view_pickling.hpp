#pragma once

#include <Python.h>

#include "core/curve_multipart.hpp"
#include "core/multipart.hpp"
#include "parts/view_support.hpp"

// Pickling and copying of the part and container views. A view has no constructor, so it pickles as
// a new geometry that holds its value, read back through the geometry's own view: a Part through a
// MultiPoint's points, a Multipart or CurveMultipart through a Polyline's paths or curve_paths, a
// CurvePart as the first item of a CurveMultipart. The geometry pickles its exact state, so the view
// that comes back holds an equal value that it shares with nothing.
namespace velmor::py {

Result<Ref> reduce_view(const core::SharedPart& part);
Result<Ref> reduce_view(const core::SharedCurvePart& part);
Result<Ref> reduce_view(const core::SharedMultipart& container);
Result<Ref> reduce_view(const core::SharedCurveMultipart& container);

template <class SharedT>
PyObject* reduce_view_entry(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> { return reduce_view(handle_of<SharedT>(self)); });
}

template <class SharedT>
constexpr PyMethodDef reduce_view_method() {
    return {"__reduce__", reduce_view_entry<SharedT>, METH_NOARGS,
            "__reduce__($self)\n--\n\nThe pickled form: a new geometry holding the value, read through its view."};
}

}  // namespace velmor::py
