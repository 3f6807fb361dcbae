#include "formatting/geographic_position.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_inputs.hpp"
#include "formatting/text_reading.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern::formatting {
namespace {

constexpr int32_t wgs84_wkid = 4326;

using engine::refuse;

bool is_wgs84(const SpatialReferenceRef& spatial_reference) {
    return spatial_reference == nullptr || spatial_reference->wkid == wgs84_wkid;
}

// PROJ's operation between WGS84 and a system, with longitude before latitude and x before y on both
// sides whatever the systems' axis order. Call only while holding the PROJ lock.
SharedPj new_wgs84_operation(const SpatialReferenceRef& system, PJ_CONTEXT* context) {
    const std::string what = "conversion between WGS84 and " + engine::describe_spatial_reference(system);
    SharedPj wgs84 = require_pj(proj_create(context, "EPSG:4326"), "WGS84");
    SharedPj operation = require_pj(
        proj_create_crs_to_crs_from_pj(context, wgs84.get(), system->horizontal.get(), nullptr, nullptr),
        what);
    return require_pj(proj_normalize_for_visualization(context, operation.get()), what);
}

// Making an operation costs PROJ a search of its database (a few hundred microseconds), far more than
// the text itself, and a caller converting many points uses one system: the last few operations are
// kept, with the systems they serve (so that a key is never a released system's address).
SharedPj wgs84_operation(const SpatialReferenceRef& system, PJ_CONTEXT* context) {
    constexpr size_t kept = 8;
    // Most recent first; kept for the life of the process, as PROJ's context is.
    static auto& recent = *new std::vector<std::pair<SpatialReferenceRef, SharedPj>>;
    auto found =
        std::find_if(recent.begin(), recent.end(), [&](const auto& entry) { return entry.first == system; });
    if (found == recent.end()) {
        if (recent.size() == kept) recent.pop_back();
        found = recent.emplace(recent.end(), system, new_wgs84_operation(system, context));
    }
    std::rotate(recent.begin(), found, found + 1);
    return recent.front().second;
}

// One system's conversions; it holds the PROJ lock while it lives.
class Wgs84Conversion {
  public:
    explicit Wgs84Conversion(SpatialReferenceRef system)
        : system_(std::move(system)), operation_(wgs84_operation(system_, lock_.context())) {}

    // Longitude and latitude of a point of the system. A projection's inverse answers even far outside
    // the plane it covers (a Mercator y of 1e300 comes back as the pole), so the answer counts only when
    // it projects back onto the point.
    PJ_XY to_wgs84(double x, double y) const {
        const PJ_XY lonlat = convert(PJ_INV, x, y);
        const PJ_XY back = convert(PJ_FWD, lonlat.x, lonlat.y);
        const double tolerance = 1e-6 * std::max({1.0, std::fabs(x), std::fabs(y)});
        if (!(std::fabs(back.x - x) <= tolerance && std::fabs(back.y - y) <= tolerance)) refuse_point(x, y);
        return lonlat;
    }

    PJ_XY from_wgs84(double longitude, double latitude) const { return convert(PJ_FWD, longitude, latitude); }

  private:
    PJ_XY convert(PJ_DIRECTION direction, double x, double y) const {
        const PJ_COORD converted = proj_trans(operation_.get(), direction, proj_coord(x, y, 0.0, 0.0));
        if (!std::isfinite(converted.xy.x) || !std::isfinite(converted.xy.y)) refuse_point(x, y);
        return converted.xy;
    }

    [[noreturn]] void refuse_point(double x, double y) const {
        refuse("the point (" + number_in_message(x) + ", " + number_in_message(y) +
               ") cannot be converted between " + engine::describe_spatial_reference(system_) +
               " and WGS84.");
    }

    ProjLock lock_;
    SpatialReferenceRef system_;
    SharedPj operation_;
};

}  // namespace

GeographicPosition geographic_position_of(const GeometryValue& point) {
    if (is_empty(point)) refuse("the point is empty: it has no position to write.");
    const double x = point.point.x, y = point.point.y;
    if (!std::isfinite(x) || !std::isfinite(y)) {
        refuse("the point (" + number_in_message(x) + ", " + number_in_message(y) +
               ") has a coordinate that is not a finite number.");
    }
    GeographicPosition position{y, x};
    if (!is_wgs84(point.spatial_reference)) {
        const PJ_XY lonlat = Wgs84Conversion(point.spatial_reference).to_wgs84(x, y);
        position = GeographicPosition{lonlat.y, lonlat.x};
    }
    if (!(std::fabs(position.latitude) <= 90.0)) {
        refuse("the point's latitude " + number_in_message(position.latitude) +
               " is outside -90 to 90 degrees.");
    }
    return position;
}

GK_GeometryHandle point_at(const GeographicPosition& position, const SpatialReferenceRef& spatial_reference) {
    Vertex vertex{position.longitude, position.latitude};
    if (!is_wgs84(spatial_reference)) {
        const PJ_XY xy = Wgs84Conversion(spatial_reference).from_wgs84(position.longitude, position.latitude);
        vertex = Vertex{xy.x, xy.y};
    }
    return new_point(vertex, false, false, spatial_reference);
}

}  // namespace geokern::formatting
