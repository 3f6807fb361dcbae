#pragma once

#include <vector>

#include "core/curve_data.hpp"
#include "geometry_sink.hpp"

namespace velmor::formats {

// SQL/MM holds circular arcs only, so elliptic arcs and Bezier curves are written as chords: no chord
// strays further than `deviation` from its curve. A single curve never becomes more than
// `max_chords_per_curve` chords, so a huge curve at a tiny deviation costs bounded memory. The result is
// the chord vertices strictly inside the curve, z and m interpolated along the curve's parameter.
inline constexpr int max_chords_per_curve = 1 << 16;

std::vector<WrittenVertex> curve_chords(const WrittenVertex& start, const core::EllipticArc& arc,
                                        const WrittenVertex& end, double deviation);
std::vector<WrittenVertex> curve_chords(const WrittenVertex& start, const core::BezierCurve& curve,
                                        const WrittenVertex& end, double deviation);

// The point halfway along an elliptic arc of ratio 1, which SQL/MM holds as a circular arc.
WrittenVertex circular_midpoint(const WrittenVertex& start, const core::EllipticArc& arc, const WrittenVertex& end);

}  // namespace velmor::formats
