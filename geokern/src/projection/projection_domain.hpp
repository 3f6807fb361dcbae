#pragma once

#include <cmath>

#include "spatial/proj_context.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern {

// Where a projection's answers can be trusted, and the test for the points elsewhere.
//
// PROJ projects points far outside the systems' areas of use as readily as points inside, and some of
// those answers are garbage: a point far off the Swiss grid lands in the Mediterranean, Web Mercator's
// (1e17, 1e17) comes out at latitude 90. A point that lies outside the part of the earth where both
// systems are in use (their areas of use intersected and widened by half their size on each side, short
// of the poles, as a box in the source system's coordinates) is therefore checked, and cannot be
// projected unless
// - a geographic coordinate, in or out, has a latitude within ±90°;
// - a projected image lies within 1e12 units of the origin: only a projection's singular points (the
//   pole opposite a polar stereographic's centre, a gnomonic's horizon) reach farther, as the rounding
//   of an infinity (Mercator at one double from its pole reaches 4.4e9 m);
// - it maps back onto itself through the inverse operations: within 1e-7 of its own size (the larger of
//   |x| and |y|) or within 1 cm on the ground, whichever is larger, a longitude up to whole turns (190°
//   comes back as -170°). PROJ's inverses of sound points outside the areas come back within
//   millimetres (a datum shift's inverse is not exact).
// Points inside the box are not checked, so data within its systems' areas projects at PROJ's speed.
class ProjectionDomain {
  public:
    // Everything checked: for systems whose areas of use are unknown or do not meet.
    ProjectionDomain() = default;
    ProjectionDomain(PJ_CONTEXT* context, const SpatialReferenceValue& source, const SpatialReferenceValue& target);

    bool trusts(double x, double y) const { return x >= xmin_ && x <= xmax_ && y >= ymin_ && y <= ymax_; }
    bool source_valid(double y) const { return std::fabs(y) <= source_latitude_limit_; }
    bool image_valid(double x, double y) const {
        return std::fabs(y) <= target_latitude_limit_ && std::fabs(x) <= image_limit_ && std::fabs(y) <= image_limit_;
    }
    bool maps_back(double x, double y, double back_x, double back_y) const;

  private:
    double xmin_ = NAN, ymin_ = NAN, xmax_ = NAN, ymax_ = NAN;  // the box of trust; NaN bounds trust nothing
    double source_latitude_limit_ = INFINITY;  // 90° in the unit of a geographic source; none for others
    double target_latitude_limit_ = INFINITY;
    double image_limit_ = INFINITY;  // for a projected target
    double ground_tolerance_ = 0.0;  // 1 cm in the source's unit
    double full_turn_ = 0.0;         // 360° in the unit of a geographic source, whose longitudes wrap; 0 else
};

}  // namespace geokern
