#include "formatting/geographic_position.hpp"

#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern::formatting {
namespace {

constexpr int32_t wgs84_wkid = 4326;

using engine::number_text;
using engine::refuse;

bool is_wgs84(const SpatialReferenceRef& spatial_reference) {
    return spatial_reference == nullptr || spatial_reference->wkid == wgs84_wkid;
}

// PROJ's operation from WGS84 to a system, with longitude before latitude and x before y on both
// sides whatever the systems' axis order. Made under the PROJ lock, which the caller holds.
SharedPj wgs84_to(const SpatialReferenceRef& system, PJ_CONTEXT* context) {
    const std::string what = "conversion between WGS84 and " + engine::describe_spatial_reference(system);
    SharedPj wgs84 = require_pj(proj_create(context, "EPSG:4326"), "WGS84");
    SharedPj operation =
        require_pj(proj_create_crs_to_crs_from_pj(context, wgs84.get(), system->horizontal.get(), nullptr, nullptr), what);
    return require_pj(proj_normalize_for_visualization(context, operation.get()), what);
}

// One conversion of x and y, in the operation's direction; a point PROJ cannot convert is refused.
PJ_XY convert(const SpatialReferenceRef& system, PJ_DIRECTION direction, double x, double y) {
    ProjLock lock;
    SharedPj operation = wgs84_to(system, lock.context());
    const PJ_COORD converted = proj_trans(operation.get(), direction, proj_coord(x, y, 0.0, 0.0));
    if (!std::isfinite(converted.xy.x) || !std::isfinite(converted.xy.y)) {
        refuse("the point (" + number_text(x) + ", " + number_text(y) + ") cannot be converted " +
               (direction == PJ_FWD ? "from WGS84 to " : "to WGS84 from ") +
               engine::describe_spatial_reference(system) + ".");
    }
    return converted.xy;
}

}  // namespace

GeographicPosition geographic_position_of(const GeometryValue& point) {
    if (is_empty(point)) refuse("the point is empty: it has no position to write.");
    const double x = point.point.x, y = point.point.y;
    if (!std::isfinite(x) || !std::isfinite(y)) {
        refuse("the point (" + number_text(x) + ", " + number_text(y) + ") has a coordinate that is not a finite number.");
    }
    GeographicPosition position{y, x};
    if (!is_wgs84(point.spatial_reference)) {
        const PJ_XY lonlat = convert(point.spatial_reference, PJ_INV, x, y);
        position = GeographicPosition{lonlat.y, lonlat.x};
    }
    if (!(std::fabs(position.latitude) <= 90.0)) {
        refuse("the point's latitude " + number_text(position.latitude) + " is outside -90 to 90 degrees.");
    }
    return position;
}

GK_GeometryHandle point_at(const GeographicPosition& position, const SpatialReferenceRef& spatial_reference) {
    Vertex vertex{position.longitude, position.latitude};
    if (!is_wgs84(spatial_reference)) {
        const PJ_XY xy = convert(spatial_reference, PJ_FWD, position.longitude, position.latitude);
        vertex = Vertex{xy.x, xy.y};
    }
    return new_point(vertex, false, false, spatial_reference);
}

}  // namespace geokern::formatting
