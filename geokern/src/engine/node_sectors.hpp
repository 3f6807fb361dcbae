#pragma once

#include <vector>

#include "engine/edge_meeting.hpp"
#include "engine/matrix_bounds.hpp"

namespace geokern::engine {

// An edge of an area's boundary leaving a node: toward `to`, with the area on its counter-clockwise
// side or not.
struct NodeRay {
    Xy to;
    bool of_a;
    bool area_counterclockwise;
};

// What the neighbourhood of a point where the boundaries of two areas meet adds to their matrix: the
// rays around the node, in angular order (GEOS's exact orientation test), cut the plane near it into
// sectors, each inside or outside each area; each sector, and each ray that the other area does not
// share, is one entry. False (and nothing added) when one area's rays do not alternate between its
// inside and outside, as they do for valid areas.
bool add_node_sectors(GEOSContextHandle_t context, Xy node, std::vector<NodeRay> rays, MatrixBounds& matrix);

}  // namespace geokern::engine
