#pragma once

#include <array>

#include "engine/geos_context.hpp"

namespace geokern::engine {

struct Xy {
    double x, y;
    bool operator==(const Xy&) const = default;
};

// How two straight edges meet, decided by GEOS's exact orientation test:
// - `crossing`: at one point inside both edges (a proper crossing);
// - `touch`: at end points only: an end of one edge lies on the other;
// - `overlap`: along a piece of one line, between two of the end points.
// For `touch` and `overlap`, `on_other` says which end points lie on the other edge, in the order
// start of a, end of a, start of b, end of b.
struct EdgeMeeting {
    enum Kind { none, crossing, touch, overlap } kind = none;
    std::array<bool, 4> on_other{};
};

EdgeMeeting edge_meeting(GEOSContextHandle_t context, Xy a1, Xy a2, Xy b1, Xy b2);

// Whether p lies on the edge from e1 to e2, by the same test.
bool on_edge(GEOSContextHandle_t context, Xy p, Xy e1, Xy e2);

}  // namespace geokern::engine
