#pragma once

#include "geometry/geometry_value.hpp"
#include "geometry/segment_value.hpp"

namespace geokern {

// A segment between two point geometries; it has z (or m) when either end has it.
GK_SegmentHandle new_segment(const GeometryValue& start, const GeometryValue& end, std::optional<Curve> curve,
                             GK_SpatialReferenceHandle spatial_reference);

// A segment whose end points come from its curve, with the z and m of a reference point.
GK_SegmentHandle new_segment_from_arc(const EllipticArc& arc, const GeometryValue& reference,
                                      GK_SpatialReferenceHandle spatial_reference);

}  // namespace geokern
