#pragma once

#include <vector>

#include "core/curve_data.hpp"
#include "geometry_sink.hpp"

namespace velmor::formats {

// How far a chord may stray from its curve: a distance in the geometry's units, or, when `relative`, a
// fraction of each curve's own size (an elliptic arc's semi-major axis, the length of a Bezier curve's
// control polygon).
struct ChordDeviation {
    double value = 0.0;
    bool relative = false;

    double for_size(double size) const { return relative ? value * size : value; }
};

// The fraction used without a spatial reference's tolerance: a whole ellipse becomes about 220 chords and
// a Bezier curve at most 87, whatever their size or where they lie.
inline constexpr double relative_chord_deviation = 1e-4;

// SQL/MM holds circular arcs only, so elliptic arcs and Bezier curves are written as chords: no chord
// strays further than the deviation from its curve. A single curve never becomes more than
// `max_chords_per_curve` chords, so a huge curve at a tiny deviation costs bounded memory. The result is
// the chord vertices strictly inside the curve, z and m interpolated along the curve's parameter.
inline constexpr int max_chords_per_curve = 1 << 16;

std::vector<WrittenVertex> curve_chords(const WrittenVertex& start, const core::EllipticArc& arc,
                                        const WrittenVertex& end, ChordDeviation deviation);
std::vector<WrittenVertex> curve_chords(const WrittenVertex& start, const core::BezierCurve& curve,
                                        const WrittenVertex& end, ChordDeviation deviation);

// The point halfway along an elliptic arc of ratio 1, which SQL/MM holds as a circular arc.
WrittenVertex circular_midpoint(const WrittenVertex& start, const core::EllipticArc& arc, const WrittenVertex& end);

}  // namespace velmor::formats
