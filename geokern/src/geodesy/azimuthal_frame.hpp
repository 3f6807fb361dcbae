#pragma once

#include <GeographicLib/AzimuthalEquidistant.hpp>
#include <GeographicLib/Geodesic.hpp>

#include "engine/linearize.hpp"
#include "geodesy/lon_lat.hpp"

namespace geokern::geodesy {

// A plane in which geodesic distances from one centre are exact: the ellipsoidal azimuthal equidistant
// projection. Shapes near the centre keep their form, so GEOS can union buffer pieces in it; far away
// they stretch across, and beyond a hemisphere the plane no longer separates directions well, so only
// positions within `reach` metres of the centre are taken.
class AzimuthalFrame {
  public:
    AzimuthalFrame(const GeographicLib::Geodesic& geodesic, LonLat centre, double reach);

    // Plane coordinates in metres; a position beyond the reach is refused.
    void forward(const LonLat& position, double& x, double& y) const;
    LonLat reverse(double x, double y) const;
    // Whether a closed ring drawn in the frame goes around a position (one within the reach).
    bool ring_holds(const engine::LinearPart& ring, const LonLat& position) const;
    const LonLat& centre() const { return centre_; }

  private:
    GeographicLib::AzimuthalEquidistant projection_;
    LonLat centre_;
    double reach_;
};

}  // namespace geokern::geodesy
