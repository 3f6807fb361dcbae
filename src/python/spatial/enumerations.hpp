#pragma once

#include <Python.h>

#include <cstdint>

#include "errors.hpp"

namespace velmor::py {

// The closed enumerations AreaUnitId, LinearUnitId and GeodeticCurveType. Their members are made
// once, with the class, and kept as class attributes; they compare and hash by identity.
PyTypeObject* area_unit_id_type();
PyTypeObject* linear_unit_id_type();
PyTypeObject* geodetic_curve_type_type();

// A new member object of an enumeration for a code read back from the runtime core (not the class
// attribute); a code that is not a member is a SystemError.
Result<Ref> new_enumeration_member(PyTypeObject* type, int32_t code);

// The code of a member of the given enumeration; any other object is a TypeError naming `parameter`.
Result<int32_t> enumeration_code(PyTypeObject* type, PyObject* value, const char* parameter);

}  // namespace velmor::py
