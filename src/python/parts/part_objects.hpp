#pragma once

#include <Python.h>

#include "core/curve_multipart.hpp"
#include "core/curve_part.hpp"
#include "core/dims.hpp"
#include "core/multipart.hpp"
#include "core/part.hpp"
#include "errors.hpp"

namespace velmor::py {

// The list-like views of parts and part containers. They share the native value (a change through
// any view is seen everywhere); none has a Python constructor or may be subclassed.
PyTypeObject* part_type();
PyTypeObject* curve_part_type();
PyTypeObject* multipart_type();
PyTypeObject* curve_multipart_type();

Result<Ref> new_part_object(core::SharedPart part);
Result<Ref> new_curve_part_object(core::SharedCurvePart part);
Result<Ref> new_multipart_object(core::SharedMultipart container);
Result<Ref> new_curve_multipart_object(core::SharedCurveMultipart container);

// A Python value as a part: a Part object gives its own handle (shared, not copied); a list is read
// as a list of coordinate lists of `dims`; anything else is the TypeError "Part from_py requires a
// Part or a list".
Result<core::SharedPart> part_from_py(PyObject* value, core::Dims dims);
// A CurvePart object's handle, or a curve part list; else "CurvePart from_py requires a Part or a list".
Result<core::SharedCurvePart> curve_part_from_py(PyObject* value, core::Dims dims);
// A Multipart object's handle, or a list of parts (each as by part_from_py) in a new container of
// `dims`, every part checked against it; else "Multipart from_py requires a Multipart or a list".
Result<core::SharedMultipart> multipart_from_py(PyObject* value, core::Dims dims);
// As multipart_from_py with curve parts; the TypeError text is the same.
Result<core::SharedCurveMultipart> curve_multipart_from_py(PyObject* value, core::Dims dims);

}  // namespace velmor::py
