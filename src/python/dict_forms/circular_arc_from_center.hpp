#pragma once

#include "core/coord.hpp"
#include "core/curve_data.hpp"
#include "errors.hpp"

namespace velmor::py {

// The curve data of the circular arc from `start` to `end` around `center`. Its radius and angles
// follow from the three points, so the runtime core constructs the arc and it is read back; the
// runtime's refusal is the Geokern kind.
Result<core::CurveData> circular_arc_from_center(const core::Coord& start, const core::Coord& end,
                                                 const core::Coord& center, bool minor, bool clockwise);

}  // namespace velmor::py
