#include "engine/edge_meeting.hpp"

#include <algorithm>
#include <optional>

namespace geokern::engine {
namespace {

bool within_extent(Xy p, Xy e1, Xy e2) {
    return p.x >= std::min(e1.x, e2.x) && p.x <= std::max(e1.x, e2.x) && p.y >= std::min(e1.y, e2.y) &&
           p.y <= std::max(e1.y, e2.y);
}

int orientation(GEOSContextHandle_t context, Xy a, Xy b, Xy p) {
    return GEOSOrientationIndex_r(context, a.x, a.y, b.x, b.y, p.x, p.y);
}

// Edges with a common end point, as where two geometries share a boundary: they meet beyond it only
// when they run the same way along one line, which takes one orientation test (and none for the same
// edge twice). Nothing when no end point is common.
std::optional<EdgeMeeting> meeting_at_common_end(GEOSContextHandle_t context, const std::array<Xy, 4>& ends) {
    for (size_t i : {0u, 1u}) {
        for (size_t j : {2u, 3u}) {
            if (!(ends[i] == ends[j])) continue;
            const size_t a_far = 1 - i, b_far = 5 - j;
            EdgeMeeting meeting;
            meeting.on_other[i] = meeting.on_other[j] = true;
            const Xy common = ends[i], a_end = ends[a_far], b_end = ends[b_far];
            if (a_end == b_end || orientation(context, common, a_end, b_end) == 0) {
                meeting.on_other[a_far] = within_extent(a_end, common, b_end);
                meeting.on_other[b_far] = within_extent(b_end, common, a_end);
            }
            meeting.kind = meeting.on_other[a_far] || meeting.on_other[b_far] ? EdgeMeeting::overlap : EdgeMeeting::touch;
            return meeting;
        }
    }
    return std::nullopt;
}

}  // namespace

EdgeMeeting edge_meeting(GEOSContextHandle_t context, Xy a1, Xy a2, Xy b1, Xy b2) {
    if (auto at_common_end = meeting_at_common_end(context, {a1, a2, b1, b2})) return *at_common_end;
    EdgeMeeting meeting;
    const int b1_side = orientation(context, a1, a2, b1), b2_side = orientation(context, a1, a2, b2);
    if (b1_side * b2_side > 0) return meeting;
    const int a1_side = orientation(context, b1, b2, a1), a2_side = orientation(context, b1, b2, a2);
    if (a1_side * a2_side > 0) return meeting;
    if (b1_side != 0 && b2_side != 0 && a1_side != 0 && a2_side != 0) {
        meeting.kind = EdgeMeeting::crossing;
        return meeting;
    }
    // On the other edge's line, and within its extent: on the edge.
    meeting.on_other = {a1_side == 0 && within_extent(a1, b1, b2), a2_side == 0 && within_extent(a2, b1, b2),
                        b1_side == 0 && within_extent(b1, a1, a2), b2_side == 0 && within_extent(b2, a1, a2)};
    const std::array<Xy, 4> ends{a1, a2, b1, b2};
    const Xy* found = nullptr;
    for (size_t i = 0; i < 4; ++i) {
        if (!meeting.on_other[i]) continue;
        if (found != nullptr && !(ends[i] == *found)) {
            meeting.kind = EdgeMeeting::overlap;
            return meeting;
        }
        found = &ends[i];
    }
    if (found != nullptr) meeting.kind = EdgeMeeting::touch;
    return meeting;
}

bool on_edge(GEOSContextHandle_t context, Xy p, Xy e1, Xy e2) {
    return within_extent(p, e1, e2) && orientation(context, e1, e2, p) == 0;
}

}  // namespace geokern::engine
