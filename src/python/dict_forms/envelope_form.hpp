#pragma once

#include <Python.h>

#include "core/envelope_value.hpp"
#include "errors.hpp"

namespace velmor::py {

// The envelope dictionary, read in this order: required numbers "xmin", "ymin", "xmax", "ymax";
// optional numbers "zmin", "zmax", "mmin", "mmax"; optional unsigned 32-bit "idmin", "idmax";
// optional "spatialReference". Minima and maxima are taken as given, in any order.
Result<core::EnvelopeValue> envelope_from_dict(PyObject* dict);

}  // namespace velmor::py
