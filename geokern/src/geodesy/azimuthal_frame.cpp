#include "geodesy/azimuthal_frame.hpp"

#include <cmath>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "engine/ring_groups.hpp"

namespace geokern::geodesy {

AzimuthalFrame::AzimuthalFrame(const GeographicLib::Geodesic& geodesic, LonLat centre, double reach)
    : projection_(geodesic), centre_(centre), reach_(reach) {}

void AzimuthalFrame::forward(const LonLat& position, double& x, double& y) const {
    double azimuth = 0.0, scale = 0.0;
    projection_.Forward(centre_.lat, centre_.lon, position.lat, position.lon, x, y, azimuth, scale);
    if (!(std::hypot(x, y) <= reach_)) {
        engine::refuse("the geodesic buffer reaches " + engine::number_text(std::round(std::hypot(x, y))) +
                       " m from the middle of the geometry; it is computed within " +
                       engine::number_text(reach_) + " m of it, less than a hemisphere.");
    }
}

bool AzimuthalFrame::ring_holds(const engine::LinearPart& ring, const LonLat& position) const {
    double x = 0.0, y = 0.0, azimuth = 0.0, scale = 0.0;
    projection_.Forward(centre_.lat, centre_.lon, position.lat, position.lon, x, y, azimuth, scale);
    if (!(std::hypot(x, y) <= reach_)) return false;
    return engine::ring_holds(ring, x, y);
}

LonLat AzimuthalFrame::reverse(double x, double y) const {
    LonLat position;
    double azimuth = 0.0, scale = 0.0;
    projection_.Reverse(centre_.lat, centre_.lon, x, y, position.lat, position.lon, azimuth, scale);
    return position;
}

}  // namespace geokern::geodesy
