#pragma once

#include <Python.h>

#include <optional>

#include "core/coord.hpp"
#include "core/curve_part.hpp"
#include "errors.hpp"
#include "segments/segment_state.hpp"

namespace velmor::py {

// The class tree Segment -> Coord and Segment -> CurveSegment -> Linear, CircularArc, EllipticArc,
// BezierCurve. Segment and CurveSegment may be subclassed from Python; none has a Python constructor.
PyTypeObject* segment_type();
PyTypeObject* curve_segment_type();
PyTypeObject* coord_type();
PyTypeObject* linear_type();
PyTypeObject* circular_arc_type();
PyTypeObject* elliptic_arc_type();
PyTypeObject* bezier_curve_type();

// A Coord object for a vertex of a Part; linked objects write their changes back into the part.
Result<Ref> new_coord_object(const core::Coord& coord, std::optional<PartLink> link);
// The segment object of the class matching the curve data of a curve part vertex.
Result<Ref> new_segment_object(const core::CurveVertex& vertex, std::optional<CurvePartLink> link);

}  // namespace velmor::py
