#pragma once

#include <optional>

#include "geometry/curve.hpp"
#include "geometry/spatial_reference_ref.hpp"
#include "handle.hpp"

namespace geokern {

// A segment on its own: its two end points (with z and m when it has them) and its shape, none for a
// straight line. Segments are values: a part copies what it is given.
struct SegmentValue {
    Vertex start;
    Vertex end;
    bool has_z = false;
    bool has_m = false;
    std::optional<Curve> curve;
    SpatialReferenceRef spatial_reference;
};
GEOKERN_HANDLE_VALUE(GK_SegmentHandle, SegmentValue, "segment");

inline constexpr GK_SegmentType segment_type_line = 1;
inline constexpr GK_SegmentType segment_type_cubic_bezier = 2;
inline constexpr GK_SegmentType segment_type_elliptic_arc = 3;

GK_SegmentType segment_type(const SegmentValue& segment);

// The elliptic arc or Bezier shape of a segment of that type; any other segment is a type mismatch.
const EllipticArc& elliptic_arc_of(const SegmentValue& segment);
const CubicBezier& cubic_bezier_of(const SegmentValue& segment);

}  // namespace geokern
