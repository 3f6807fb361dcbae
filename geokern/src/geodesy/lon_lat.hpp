#pragma once

#include <vector>

namespace geokern::geodesy {

// A position on the ellipsoid in degrees.
struct LonLat {
    double lon = 0.0;
    double lat = 0.0;
};

// A path of positions joined by curves on the ellipsoid: a polyline's path, or a ring without its
// closing repetition of the first position.
using LonLatPath = std::vector<LonLat>;

}  // namespace geokern::geodesy
