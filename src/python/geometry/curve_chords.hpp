#pragma once

#include <vector>

#include "core/coord.hpp"
#include "core/curve_data.hpp"
#include "core/result.hpp"

namespace velmor::py {

// How far the chords of a curve may stray from it when a geometry is written as straight lines, as a
// fraction of the curve's size: the radius of a circular arc, the semi-major axis of an elliptic arc,
// the length of a Bezier curve's control polygon. A full circle becomes about 220 chords.
inline constexpr double chord_deviation_fraction = 1e-4;

// The vertices strictly inside one curved segment from `start` to `end`, so that its chords stay within
// the deviation above. The runtime engine's densify samples the curve, so the chords follow the curve
// exactly as every engine operation reads it; z and m are interpolated along it. A straight segment, or
// a curve too small or too flat to need one, gives none.
core::Result<std::vector<core::Coord>> curve_chord_vertices(const core::Coord& start, const core::CurveData& curve,
                                                            const core::Coord& end);

}  // namespace velmor::py
