#pragma once

#include <vector>

#include "engine/linearize.hpp"

namespace geokern::engine {

// Which vertices Douglas-Peucker keeps of a line: both ends, and in every section between two kept
// vertices the one farthest from the segment joining them (ties to the first), while it lies further
// than `tolerance` from it, as GEOS's simplifier decides.
//
// The farthest vertex of a section is sought in a tree of boxes over the vertices by index, in index
// order: a box none of whose corners lies further from the segment than the farthest vertex found so far
// holds no farther one (the distance to a segment is convex, so over a box it is largest at a corner),
// and is passed over. A line whose sections peel off one vertex at a time (a zigzag, a spiral) thus costs
// about n log n distances instead of n^2, and a vertex is chosen as the plain scan chooses it except where
// two distances differ only by rounding.
std::vector<bool> douglas_peucker_kept(const LinearPart& line, double tolerance);

}  // namespace geokern::engine
