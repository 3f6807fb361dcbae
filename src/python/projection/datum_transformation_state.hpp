#pragma once

#include <Python.h>

#include "errors.hpp"
#include "runtime/owned.hpp"
#include "runtime/spatial/datum_transformation.hpp"

// The pickled state of a DatumTransformation: a tuple (kind, steps) of plain values that another
// process, with its own runtime core, makes into an equal transformation. The kind is the object_type
// text; each step is (wkid, inverse, text), naming the stored operation by its identifier, or by its
// well-known text when it has none (wkid 0), and whether the step applies it inverted.
//
// Two things do not travel. The runtime core makes a transformation from steps alone and names its
// systems after the ends of its steps, the geographic systems whose datums they join; a transformation
// that the catalogue found between projected systems comes back with those geographic systems instead.
// And PROJ reads the text of an operation it built itself (the steps of horizontal-vertical
// transformations have no identifier) back under a generic operation name: the copy applies the same
// operations, but its name differs and the runtime core does not find it equal to the original.
namespace velmor::py {

// "Geographic" or "HorizontalVertical", as object_type shows the kind.
const char* transformation_kind_text(runtime::TransformationType type);

Result<Ref> transformation_state(const runtime::DatumTransformationOwned& transformation);

// A state of the wrong shape or types is refused with TypeError, one with impossible values with
// ValueError, both before the runtime core is asked; a step the runtime core cannot make (an identifier
// this machine's catalogue lacks) is the library-error Exception.
Result<runtime::DatumTransformationOwned> transformation_from_state(PyObject* state);

}  // namespace velmor::py
