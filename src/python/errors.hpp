#pragma once

#include <Python.h>

#include <string>

#include "core/native_error.hpp"
#include "core/result.hpp"
#include "ref.hpp"

namespace velmor::py {

using core::fail;
using core::NativeError;
using core::Result;

// Takes the Python exception that is currently set into a NativeError of kind Binding, so it can
// travel as a value and be re-raised unchanged at the entry. When a Python call reported failure
// without setting an exception, a SystemError takes its place.
NativeError python_error();

// The error as a Python exception carrying a note (PEP 678): its message stays exactly as it is, and
// tracebacks show the note below it.
NativeError with_note(NativeError error, const char* note);

// Sets a Python exception of the given type and returns it as a Binding error, for argument checks.
NativeError raise_error(PyObject* type, const std::string& message);

// Turns a NativeError into the current Python exception: a carried exception is restored unchanged,
// every other kind becomes Exception with the kind's display text.
void raise(NativeError error);

// The exception class for internal failures, derived from BaseException; created once per process.
PyObject* panic_exception_type();

// Writes a diagnostic to the process's standard error and raises PanicException(message). A failure
// while doing so ends the process.
void raise_panic(const std::string& message);

// Whether converting the object runs a conversion method of its own class (__float__ or __index__ of a
// class that is not int or float). An exception such a method raises belongs to the caller and travels
// unchanged; a refusal of a value with no conversion at all is the module's own TypeError.
bool runs_own_float_conversion(PyObject* object);
bool runs_own_index_conversion(PyObject* object);

// Text of str(object), or a fixed placeholder when str() itself fails.
std::string describe(PyObject* object);

// Qualified type name of an object, for cast errors ("<failed to extract type name>" when unreadable).
std::string type_name(PyObject* object);

}  // namespace velmor::py
