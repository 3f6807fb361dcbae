#include "geodesy/ellipse_shape.hpp"

#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/number_text.hpp"
#include "geodesy/geodetic_inputs.hpp"

namespace geokern::geodesy {

using engine::number_text;
using engine::refuse;

EllipseShape::EllipseShape()
    : angular_unit(unit_or_default(nullptr, unit_type_angular)),
      linear_unit(unit_or_default(nullptr, unit_type_linear)),
      center(empty_geometry(geometry_type_point, false, false, nullptr)) {}

double checked_length(const char* name, double length) {
    if (!std::isfinite(length) || length < 0.0) {
        refuse(std::string("the ") + name + " must be a finite length of 0 or more: got " + number_text(length) + ".");
    }
    return length;
}

double checked_angle(const char* name, double angle) {
    if (!std::isfinite(angle)) {
        refuse(std::string("the ") + name + " must be a finite angle: got " + number_text(angle) + ".");
    }
    return angle;
}

int64_t checked_point_count(int64_t count) {
    if (count < 1) refuse("the max point count must be 1 or more: got " + std::to_string(count) + ".");
    return count;
}

GK_GeometryType checked_output_type(GK_GeometryType type) {
    if (type != geometry_type_polygon && type != geometry_type_polyline && type != geometry_type_multipoint) {
        refuse("the geometry type of a geodesic ellipse or sector must be a polygon (4), a polyline (3) or a "
               "multipoint (5): got " + std::to_string(type) + ".");
    }
    return type;
}

UnitPointer checked_unit(GK_UnitHandle unit, GK_UnitType type) {
    unit_argument(unit, type);
    return shared_value(unit);
}

const GeometryValue& checked_center(GK_GeometryHandle center) { return point_value_of(center); }

EllipseShape ellipse_shape(GK_UnitHandle angular_unit, double axis_direction, GK_GeometryHandle center,
                           GK_GeometryType geometry_type, GK_UnitHandle linear_unit, int64_t max_point_count,
                           double max_segment_length, double semi_axis1_length, double semi_axis2_length) {
    EllipseShape shape;
    shape.angular_unit = checked_unit(angular_unit, unit_type_angular);
    shape.axis_direction = checked_angle("axis direction", axis_direction);
    shape.center = checked_center(center);
    shape.geometry_type = checked_output_type(geometry_type);
    shape.linear_unit = checked_unit(linear_unit, unit_type_linear);
    shape.max_point_count = checked_point_count(max_point_count);
    shape.max_segment_length = checked_length("max segment length", max_segment_length);
    shape.semi_axis1_length = checked_length("semi-axis 1 length", semi_axis1_length);
    shape.semi_axis2_length = checked_length("semi-axis 2 length", semi_axis2_length);
    return shape;
}

double checked_sector_angle(double angle, const UnitDefinition& angular_unit) {
    checked_angle("sector angle", angle);
    const double full_turn = degrees_in(360.0, angular_unit);
    if (std::fabs(angle) > full_turn * (1.0 + 1e-15)) {
        refuse("the sector angle must be at most one full turn (" + number_text(full_turn) + " " +
               angular_unit.plural_name + ") either way: got " + number_text(angle) + ".");
    }
    return angle;
}

}  // namespace geokern::geodesy
