// The geodetic distance between two points and the azimuths of the curve at both ends; moving points a
// distance along a curve leaving at an azimuth.
#include <GeographicLib/Math.hpp>

#include <cmath>
#include <string>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "geodesy/geodetic_distance_result.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::geodesy;

namespace {

FramePoint frame_point_of(const GeodeticFrame& frame, const GeometryValue& point, const char* which) {
    if (is_empty(point)) engine::refuse(std::string("the ") + which + " point is empty.");
    engine::LinearPart single;
    single.add(point.point, 0);
    return frame_points(frame, single).front();
}

void require_finite(double value, const char* what) {
    if (!std::isfinite(value)) engine::refuse(std::string("the ") + what + " must be a finite number: got " + engine::number_text(value) + ".");
}

}  // namespace

GK_GeodeticDistanceResultHandle GK_GeometryEngine_distanceGeodetic(GK_GeometryHandle point1, GK_GeometryHandle point2,
                                                                   GK_UnitHandle distance_unit,
                                                                   GK_UnitHandle azimuth_unit,
                                                                   GK_GeodeticCurveType curve_type, GK_EH) {
    return guarded<GK_GeodeticDistanceResultHandle>(handler, [&] {
        const GeometryValue& a = point_value_of(point1);
        const GeometryValue& b = point_value_of(point2);
        GeodeticDistanceResultValue result;
        result.distance_unit = unit_or_default(distance_unit, unit_type_linear);
        result.azimuth_unit = unit_or_default(azimuth_unit, unit_type_angular);
        const CurveKind kind = curve_kind_argument(curve_type);
        const SpatialReferenceRef reference = engine::joint_spatial_reference(a, b);
        const auto curve = make_curve(kind, GeodeticFrame::of(reference.get()));
        const auto span = curve->span(frame_point_of(curve->frame(), a, "first"), frame_point_of(curve->frame(), b, "second"));
        result.distance = in_unit(span->length(), *result.distance_unit);
        result.azimuth1 = degrees_in(span->start_azimuth(), *result.azimuth_unit);
        result.azimuth2 = degrees_in(GeographicLib::Math::AngNormalize(span->end_azimuth() + 180.0), *result.azimuth_unit);
        return make_handle<GK_GeodeticDistanceResultHandle>(std::move(result));
    });
}

GK_ArrayHandle GK_GeometryEngine_moveGeodetic(GK_VectorHandle points, double distance, GK_UnitHandle distance_unit,
                                              double azimuth, GK_UnitHandle azimuth_unit,
                                              GK_GeodeticCurveType curve_type, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        const auto inputs = engine::geometries_of(points);
        const double metres = from_unit(distance, *unit_or_default(distance_unit, unit_type_linear));
        const double degrees = degrees_from(azimuth, *unit_or_default(azimuth_unit, unit_type_angular));
        require_finite(metres, "distance");
        require_finite(degrees, "azimuth");
        const CurveKind kind = curve_kind_argument(curve_type);
        std::vector<GeometryValue> moved;
        for (const auto& input : inputs) {
            if (input->type != geometry_type_point) {
                engine::refuse(std::string("geodetic move takes points: got a ") + geometry_type_name(input->type) + ".");
            }
            const auto curve = make_curve(kind, GeodeticFrame::of(input->spatial_reference.get()));
            GeometryValue result = *input;
            if (!is_empty(*input)) {
                const FramePoint end = curve->move(frame_point_of(curve->frame(), *input, "moved"), degrees, metres);
                if (!std::isfinite(end.x) || !std::isfinite(end.y)) engine::refuse("the moved point has no coordinates in the spatial reference.");
                result.point.x = end.x;
                result.point.y = end.y;
            }
            moved.push_back(std::move(result));
        }
        return engine::geometry_array(std::move(moved));
    });
}
