#pragma once

#include <Python.h>

namespace velmor::py {

// Geometry._repr_svg_: the SVG picture that notebooks show for a geometry, written from its native
// value (see core/svg_writer.hpp).
PyMethodDef svg_picture_method();

}  // namespace velmor::py
