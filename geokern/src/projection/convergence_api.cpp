// Meridian convergence: the angle in degrees from grid north to true north at a point of a projected
// system, positive when true north lies west of grid north (east of the central meridian in the
// northern hemisphere). Geographic systems have none. It is measured from the image of a short step
// north along the meridian through the point.
#include <cmath>
#include <numbers>

#include "engine/engine_inputs.hpp"
#include "projection/coordinate_operation.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

// A step north of about a metre, in degrees.
constexpr double step_north = 1e-5;

double convergence_at(const SpatialReferencePointer& system, double x, double y) {
    if (system->geographic) return 0.0;
    const SpatialReferencePointer geographic = base_geographic(*system);
    double longitude = x, latitude = y;
    if (!transform_point(operation_between(system, geographic, nullptr), longitude, latitude)) {
        engine::refuse("the point is outside the spatial reference's domain.");
    }
    const double degree = std::numbers::pi / 180.0 / geographic->unit->factor.approximate;
    const double direction = latitude > 0 ? -1.0 : 1.0;  // step towards the equator near the poles' side
    double north_x = longitude, north_y = latitude + direction * step_north * degree;
    double here_x = longitude, here_y = latitude;
    const OperationChain& forward = operation_between(geographic, system, nullptr);
    if (!transform_point(forward, here_x, here_y) || !transform_point(forward, north_x, north_y)) {
        engine::refuse("the point is outside the spatial reference's domain.");
    }
    const double dx = (north_x - here_x) * direction, dy = (north_y - here_y) * direction;
    return -std::atan2(dx, dy) * 180.0 / std::numbers::pi;
}

}  // namespace

double GK_SpatialReference_getConvergenceAngle(GK_SpatialReferenceHandle spatial_reference, GK_GeometryHandle point,
                                               GK_EH) {
    return guarded<double>(handler, [&] {
        const SpatialReferencePointer system = shared_value(spatial_reference);
        const GeometryValue& value = point_value_of(point);
        if (is_empty(value)) engine::refuse("the point is empty.");
        return convergence_at(system, value.point.x, value.point.y);
    });
}
