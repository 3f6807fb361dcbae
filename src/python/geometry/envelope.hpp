#pragma once

#include <Python.h>

#include "core/envelope_value.hpp"
#include "errors.hpp"

namespace velmor::py {

// The class Envelope: one shared envelope value per instance (copies made with Envelope(e) share it).
PyTypeObject* envelope_type();

// A new Envelope holding its own value.
Result<Ref> new_envelope(core::EnvelopeValue value);

}  // namespace velmor::py
