#pragma once

#include <memory>
#include <vector>

#include "engine/linearize.hpp"
#include "geodesy/geodetic_curve.hpp"
#include "geometry/geometry_value.hpp"
#include "spatial/unit_definition.hpp"

namespace geokern::geodesy {

// A unit argument of a type, or that family's default when it is null: metre, square metre, degree.
UnitPointer unit_or_default(GK_UnitHandle unit, GK_UnitType type);
// A measure in the base unit of `unit`'s family (metre, square metre, radian) in `unit`, and back.
double in_unit(double base_value, const UnitDefinition& unit);
double from_unit(double value, const UnitDefinition& unit);
// Degrees in an angular unit, and back.
double degrees_in(double degrees, const UnitDefinition& angular);
double degrees_from(double value, const UnitDefinition& angular);

// The curve of a type on the frame of the geometry's spatial reference; the code is checked first.
std::unique_ptr<GeodeticCurve> curve_for(const GeometryValue& geometry, GK_GeodeticCurveType code);

// The paths of a polyline, the rings of a polygon (ending on their first point again) and the rectangle of
// an envelope, straight: true curves become chords within 1e-9 of the geometry's extent, fine enough that
// measures along them agree with the curve's to that share. Points have none.
std::vector<engine::LinearPart> straight_parts(const GeometryValue& geometry);

// The points of a straight part in both coordinates; a latitude beyond a pole is refused.
std::vector<FramePoint> frame_points(const GeodeticFrame& frame, const engine::LinearPart& part);

// The vertices of each path or ring of a geometry (rings ending on their first point again), straight as
// `straight_parts` makes them, in both coordinates: what measures of length and area walk along.
std::vector<std::vector<FramePoint>> measured_parts(const GeodeticFrame& frame, const GeometryValue& geometry);

}  // namespace geokern::geodesy
