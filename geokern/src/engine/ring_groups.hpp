#pragma once

#include <vector>

#include "engine/linearize.hpp"

namespace geokern::engine {

// Rings of a polygon grouped the way polygons hold them: each outer ring (clockwise, or of no signed area
// such as a symmetric bow-tie) with the counter-clockwise holes it holds (the smallest such outer ring; a
// hole may touch it). A hole that no outer ring holds is `lonely`.
struct RingGroup {
    size_t outer;
    std::vector<size_t> holes;
};
struct RingGroups {
    std::vector<RingGroup> groups;
    std::vector<size_t> lonely;
};
// Rings as closed point lists (first point repeated at the end), each of at least four points.
RingGroups group_rings(const std::vector<LinearPart>& rings);
// The same with each ring's doubled signed area (signed_area2) already at hand.
RingGroups group_rings(const std::vector<LinearPart>& rings, const std::vector<double>& area2);

// Whether (x, y) lies inside a closed point list, by the even-odd rule.
bool ring_holds(const LinearPart& ring, double x, double y);

// Whether every point lies on one line (or there are fewer than three distinct points).
bool all_collinear(const LinearPart& part);

}  // namespace geokern::engine
