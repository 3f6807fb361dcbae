#pragma once

#include <vector>

#include "engine/geos_context.hpp"
#include "engine/linearize.hpp"
#include "engine/ring_groups.hpp"

namespace geokern::engine {

// GEOS geometries from straight point lists (rings closed, first point repeated at the end).
GeosSequence geos_sequence(const LinearPart& part);
GeosGeometry geos_line(const LinearPart& line);
GeosGeometry geos_polygon(const std::vector<LinearPart>& rings, const RingGroup& group);
GeosGeometry geos_collection(int type, std::vector<GeosGeometry> members);

}  // namespace geokern::engine
