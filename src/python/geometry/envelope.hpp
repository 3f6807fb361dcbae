#pragma once

#include <Python.h>

#include "core/envelope_value.hpp"
#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class Envelope: one shared envelope value per instance (copies made with Envelope(e) share it).
PyTypeObject* envelope_type();

// A new Envelope holding its own value.
Result<Ref> new_envelope(core::EnvelopeValue value);

// The runtime geometry of a Envelope argument, built from its native value under its lock (the
// object's own __gkn_geo() is not consulted, unlike receivers and geometry arguments).
core::Result<runtime::GeometryOwned> envelope_runtime_value(PyObject* envelope);

}  // namespace velmor::py
