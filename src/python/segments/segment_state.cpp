#include "segments/segment_state.hpp"

namespace velmor::py {

void SegmentState::store_coord(const core::Coord& value) {
    // A poisoned part met while writing back is a broken invariant (Lock poisoned).
    if (part_link) part_link->part.lock()->set(part_link->index, value);
    if (curve_link) curve_link->part.lock()->set_coord(curve_link->index, value);
    coord = value;
}

Result<void> SegmentState::store_curve(const core::CurveData& value) {
    if (curve_link) VELMOR_TRY(curve_link->part.lock()->set_curve(curve_link->index, value));
    curve = value;
    return {};
}

}  // namespace velmor::py
