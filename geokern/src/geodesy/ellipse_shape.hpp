#pragma once

#include <cstdint>

#include "geometry/geometry_value.hpp"
#include "handle.hpp"
#include "spatial/unit_definition.hpp"

namespace geokern::geodesy {

// What a geodesic ellipse and a geodesic sector share: an ellipse on the tangent plane at the centre,
// laid on the ellipsoid along the geodesics from the centre, and how its outline is returned.
// Semi-axis 1 points along `axis_direction`, an azimuth (clockwise from north); semi-axis 2 is
// perpendicular to it. Lengths are in the linear unit, angles in the angular unit. A max segment length
// of 0 sets no limit on segments, only the max point count bounds the outline.
//
// Defaults of a new object: no centre (an empty point), both semi-axes 0, axis direction 0, degrees and
// metres, a polygon, at most 100 points, no segment limit.
struct EllipseShape {
    UnitPointer angular_unit;
    UnitPointer linear_unit;
    double axis_direction = 0.0;
    GeometryValue center;
    GK_GeometryType geometry_type = geometry_type_polygon;
    int64_t max_point_count = 100;
    double max_segment_length = 0.0;
    double semi_axis1_length = 0.0;
    double semi_axis2_length = 0.0;

    EllipseShape();
};

// Checks of one setter's value; each names the parameter and leaves the object untouched when it fails.
double checked_length(const char* name, double length);
double checked_angle(const char* name, double angle);
int64_t checked_point_count(int64_t count);
GK_GeometryType checked_output_type(GK_GeometryType type);
UnitPointer checked_unit(GK_UnitHandle unit, GK_UnitType type);
const GeometryValue& checked_center(GK_GeometryHandle center);

// The whole ellipse from the arguments of the createWith functions, each checked.
EllipseShape ellipse_shape(GK_UnitHandle angular_unit, double axis_direction, GK_GeometryHandle center,
                           GK_GeometryType geometry_type, GK_UnitHandle linear_unit, int64_t max_point_count,
                           double max_segment_length, double semi_axis1_length, double semi_axis2_length);

struct GeodesicEllipseParametersValue {
    EllipseShape ellipse;
};

// A sector cuts the ellipse from the azimuth `start_direction` clockwise through `sector_angle`
// (counter-clockwise when negative, at most one full turn), both in the angular unit.
struct GeodesicSectorParametersValue {
    EllipseShape ellipse;
    double sector_angle = 0.0;
    double start_direction = 0.0;
};

// A sector angle: finite and at most one full turn either way in the given angular unit.
double checked_sector_angle(double angle, const UnitDefinition& angular_unit);

}  // namespace geokern::geodesy

namespace geokern {
GEOKERN_HANDLE_VALUE(GK_GeodesicEllipseParametersHandle, geodesy::GeodesicEllipseParametersValue,
                     "geodesic ellipse parameters");
GEOKERN_HANDLE_VALUE(GK_GeodesicSectorParametersHandle, geodesy::GeodesicSectorParametersValue,
                     "geodesic sector parameters");
}  // namespace geokern
