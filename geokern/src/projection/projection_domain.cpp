#include "projection/projection_domain.hpp"

#include <algorithm>
#include <numbers>
#include <optional>

namespace geokern {

namespace {

constexpr double relative_tolerance = 1e-7;
constexpr double ground_tolerance_m = 0.01;
constexpr double image_limit = 1e12;
// Enough for a tolerance on the ground: an angular unit's length along the equator.
constexpr double earth_radius_m = 6378137.0;
// Points along each side of the box of trust, as PROJ follows its curved image.
constexpr int box_side_points = 21;
// The box of trust stops this far from the poles.
constexpr double trusted_latitude = 89.0;

struct LonLatBox {
    double west, south, east, north;
};

// A system's area of use, in degrees; an area across the antimeridian keeps its larger side of it.
std::optional<LonLatBox> area_of_use(PJ_CONTEXT* context, const PJ* system) {
    LonLatBox box{};
    if (!proj_get_area_of_use(context, system, &box.west, &box.south, &box.east, &box.north, nullptr)) {
        return std::nullopt;
    }
    if (box.west < -180.0 || box.east > 180.0 || box.south < -90.0 || box.north > 90.0) return std::nullopt;
    if (box.west > box.east) {
        if (180.0 - box.west >= box.east + 180.0) box.east = 180.0;
        else box.west = -180.0;
    }
    return box;
}

std::optional<LonLatBox> common_area(PJ_CONTEXT* context, const PJ* source, const PJ* target) {
    const auto a = area_of_use(context, source), b = area_of_use(context, target);
    if (!a || !b) return std::nullopt;
    const LonLatBox both{std::max(a->west, b->west), std::max(a->south, b->south), std::min(a->east, b->east),
                         std::min(a->north, b->north)};
    if (both.west >= both.east || both.south >= both.north) return std::nullopt;
    return both;
}

// Areas of use are drawn along zone and datum boundaries, not where a projection's mathematics fails:
// a transverse Mercator zone is sound far beyond its six degrees. So the box of trust reaches beyond
// the area by half its size on each side, short of the poles, where projections have their singular
// points.
LonLatBox widened(const LonLatBox& area) {
    const double dx = 0.5 * (area.east - area.west), dy = 0.5 * (area.north - area.south);
    return LonLatBox{std::max(area.west - dx, -180.0), std::max(area.south - dy, -trusted_latitude),
                     std::min(area.east + dx, 180.0), std::min(area.north + dy, trusted_latitude)};
}

double latitude_limit(const SpatialReferenceValue& system) {
    return system.geographic ? std::numbers::pi / 2.0 / system.unit->factor.approximate : INFINITY;
}

double metres_per_unit(const SpatialReferenceValue& system) {
    const double factor = system.unit->factor.approximate;
    return system.geographic ? factor * earth_radius_m : factor;
}

}  // namespace

ProjectionDomain::ProjectionDomain(PJ_CONTEXT* context, const SpatialReferenceValue& source,
                                   const SpatialReferenceValue& target)
    : source_latitude_limit_(latitude_limit(source)),
      target_latitude_limit_(latitude_limit(target)),
      image_limit_(target.geographic ? INFINITY : image_limit),
      ground_tolerance_(ground_tolerance_m / metres_per_unit(source)),
      full_turn_(source.geographic ? 2.0 * std::numbers::pi / source.unit->factor.approximate : 0.0) {
    const auto common = common_area(context, source.horizontal.get(), target.horizontal.get());
    if (!common) return;
    const LonLatBox area = widened(*common);
    // The box in the source's own coordinates (x easting or longitude, y northing or latitude).
    SharedPj degrees = share_pj(proj_create(context, "EPSG:4326"));
    if (!degrees) return;
    SharedPj to_source =
        share_pj(proj_create_crs_to_crs_from_pj(context, degrees.get(), source.crs.get(), nullptr, nullptr));
    if (!to_source) return;
    SharedPj visual = share_pj(proj_normalize_for_visualization(context, to_source.get()));
    if (!visual) return;
    double xmin = NAN, ymin = NAN, xmax = NAN, ymax = NAN;
    const int done = proj_trans_bounds(context, visual.get(), PJ_FWD, area.west, area.south, area.east, area.north,
                                       &xmin, &ymin, &xmax, &ymax, box_side_points);
    proj_errno_reset(visual.get());
    if (!done || !std::isfinite(xmin) || !std::isfinite(ymin) || !std::isfinite(xmax) || !std::isfinite(ymax)) return;
    xmin_ = xmin, ymin_ = ymin, xmax_ = xmax, ymax_ = ymax;
}

bool ProjectionDomain::maps_back(double x, double y, double back_x, double back_y) const {
    const double tolerance = std::max(relative_tolerance * std::max(std::fabs(x), std::fabs(y)), ground_tolerance_);
    const double apart_x = full_turn_ > 0.0 ? std::remainder(back_x - x, full_turn_) : back_x - x;
    return std::fabs(apart_x) <= tolerance && std::fabs(back_y - y) <= tolerance;
}

}  // namespace geokern
