#pragma once

#include <string>
#include <string_view>

#include "core/envelope_value.hpp"
#include "core/multipoint.hpp"
#include "core/point_value.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"

namespace velmor::core {

// The compact binary state of a geometry value, for pickling and copying. Doubles are stored as their
// eight bytes, so NaN payloads and -0.0 come back bit for bit, and curve data, dimensionality, empty
// parts and spatial references are kept as they are. Rings are taken back as they were stored, without
// the checks of a dictionary build: whatever a geometry could hold, its state restores.
//
// Layout (little-endian): a tag byte naming the value's class, then the value. Reading checks every
// length against the bytes that are left, every flag and kind code, and that nothing trails, so a
// damaged or hostile state gives a message instead of a value.
std::string encode_state(const PointValue& value);
std::string encode_state(const EnvelopeValue& value);
std::string encode_state(const Multipoint& value);
std::string encode_state(const Polyline& value);
std::string encode_state(const Polygon& value);

// Defined for PointValue, EnvelopeValue, Multipoint, Polyline and Polygon. A state that is not one of
// that class, or is damaged, is the Io kind whose text says what was wrong.
template <class Value>
Result<Value> decode_state(std::string_view bytes);

}  // namespace velmor::core
