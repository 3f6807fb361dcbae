#pragma once

#include <Python.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/dims.hpp"
#include "core/spatial_reference_value.hpp"
#include "errors.hpp"

namespace velmor::py {

// Reading the dictionary forms of geometries: keys are looked up with a plain dictionary lookup, and
// the interpreter's own conversion errors (a non-number, a non-list) travel unchanged as Binding
// errors.

// A value the interpreter converts to a double (float, int, objects with __float__).
Result<double> to_number(PyObject* value);

// dict[key] as a number; a missing key is the Resolution kind "Did not find '<key>' in dict during
// resolution"; None is not a number.
Result<double> required_number(PyObject* dict, const char* key);

// A missing key or None gives no value; anything else must be a number.
Result<std::optional<double>> optional_number(PyObject* dict, const char* key);

// An integer-like object as an unsigned 32-bit integer: negative and too large ones are refused with
// OverflowError, non-integers with the interpreter's TypeError.
Result<std::uint32_t> to_u32(PyObject* value);

// A value assigned to a property, converted like to_number and to_u32: an exception raised by the
// value's own conversion method passes unchanged; every other refusal is prefixed with the property's
// name.
Result<double> assigned_number(PyObject* value, const char* property);
Result<std::uint32_t> assigned_u32(PyObject* value, const char* property);

// A missing key or None gives no value; anything else must be an integer from 0 to 4294967295
// (OverflowError outside, TypeError for a non-integer).
Result<std::optional<std::uint32_t>> optional_u32(PyObject* dict, const char* key);

// The borrowed value of dict[key], or null when the key is missing.
Result<PyObject*> find_item(PyObject* dict, const char* key);

// "hasZ" and "hasM": only the value True counts; a missing key, False or any non-bool is false.
Result<core::Dims> dimension_flags(PyObject* dict);

// "spatialReference": missing gives none; present, it must be a dictionary (None included fails with
// the interpreter's TypeError for a non-dictionary).
Result<std::optional<core::SpatialReference>> optional_spatial_reference(PyObject* dict);

// Text from a str (unchanged) or bytes (decoded as UTF-8); anything else is the TypeError
// "get_py_str was given an object that was not str or bytes".
Result<std::string> get_py_str(PyObject* value);

// A list or list subclass is required; otherwise the interpreter's TypeError naming the type.
Result<void> require_list(PyObject* value);

// Item `index` of a list (borrowed); past the end it is the interpreter's IndexError.
Result<PyObject*> list_item(PyObject* list, Py_ssize_t index);

// A position (a vertex's coordinates) is a list, or a tuple as the WKT and WKB readers write it; any
// other value is refused with the list's TypeError. Items are read with the host's IndexError.
bool is_position(PyObject* value);
Result<void> require_position(PyObject* value);
Result<PyObject*> position_item(PyObject* position, Py_ssize_t index);

// Only True and False are flags; anything else (1, "true") is the interpreter's TypeError.
Result<bool> to_bool(PyObject* value);

}  // namespace velmor::py
