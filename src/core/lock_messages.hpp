#pragma once

#include <string_view>

namespace velmor::core::lock_messages {

// The fixed texts of the internal failure raised when native code meets a poisoned lock, by lock.
inline constexpr std::string_view kAny = "Lock poisoned";
// The straight container of a polyline or polygon (dimensionality, push, text), and the point part
// of a multipoint when its dimensionality is read.
inline constexpr std::string_view kRings = "Rings lock poisoned";
// The curved container of a polyline or polygon, when a part is pushed.
inline constexpr std::string_view kCurveRingsPush = "curveRings lock poisoned";
// The curved containers, when written as text.
inline constexpr std::string_view kCurvePathsText = "Curve paths lock poisoned";
inline constexpr std::string_view kCurveRingsText = "Curve rings lock poisoned";
// The point part of a multipoint, when written as text.
inline constexpr std::string_view kPointsText = "Points lock poisoned";

}  // namespace velmor::core::lock_messages
