#pragma once

#include <Python.h>

#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class DatumTransformation of the projection submodule: one runtime transformation per object,
// made only by the catalogue query and by get_inverse.
PyTypeObject* datum_transformation_type();

// A new DatumTransformation owning the runtime transformation.
Result<Ref> new_datum_transformation(runtime::DatumTransformationOwned transformation);

// The runtime transformation held by a DatumTransformation object; null for any other object.
GK_DatumTransformationHandle datum_transformation_of(PyObject* value);

}  // namespace velmor::py
