#pragma once

#include <cstdint>

#include "geometry/geometry_value.hpp"
#include "handle.hpp"

namespace geokern::engine {

// What nearestCoordinate and nearestVertex answer: the point found (an empty point when there is none),
// its distance (NaN when none) and where it lies: the part and the point index (-1 for none).
struct ProximityResultValue {
    GeometryValue coordinate;
    double distance = nan_value;
    int64_t part_index = -1;
    int64_t point_index = -1;
};

}  // namespace geokern::engine

namespace geokern {
GEOKERN_HANDLE_VALUE(GK_ProximityResultHandle, engine::ProximityResultValue, "proximity result");
}  // namespace geokern
