#pragma once

#include "geometry/part.hpp"
#include "geometry/segment_value.hpp"

namespace geokern {

// Editing an open part (a mutable part) so that points and segments stay consistent.
//
// - Z and m are part-wide: a point or segment with z makes the whole part z-aware (earlier points get a
//   missing z, NaN); a point without z in a z-aware part has a missing z. The same holds for m.
// - add_point appends a point; the new last segment is a straight line.
// - add_segment appends a segment. An empty part takes both its end points. Otherwise, when the
//   segment starts where the part ends (same x and y) only its end point is added and the part's last
//   point keeps its z and m; when it starts elsewhere, its start point is added too, joined to the old
//   end by a straight line.
// - insert_point puts a point at a point index (0 to the point count). A curved segment split by the
//   new point becomes two straight ones; every other segment keeps its shape.
// - insert_segment puts a segment at a segment index (0 to the segment count; the count appends as
//   add_segment). The point where the segment now at that index starts is split in two so that both
//   neighbouring segments keep their shape; the new segment sits between them, each of its ends merged
//   with the neighbouring point when they coincide in x and y and joined to it by a straight line
//   otherwise.
// - set_point moves a point. Bezier segments touching it keep their control points; elliptic arcs are
//   refitted to their moved end point, keeping rotation, axes, direction and minor/major choice.
// - set_segment replaces a segment's end points and shape; its neighbours follow as for set_point.
// - remove_point takes a point out. Inside the part, the two segments that met there are replaced by
//   one straight segment; at either end the dangling segment goes with it.
// - remove_segment takes a segment out. The first or last segment goes with its outer point (the only
//   segment goes with both). An inner segment, with preserve_adjacent_segments, is replaced by a straight
//   line so that its neighbours keep their shapes; without it, its two end points merge at their midpoint
//   and the neighbours are stretched to it.
// - remove_all empties the part; its z and m awareness stays.
void add_point(PartValue& part, const Vertex& point, bool has_z, bool has_m);
void add_segment(PartValue& part, const SegmentValue& segment);
void insert_point(PartValue& part, int64_t index, const Vertex& point, bool has_z, bool has_m);
void insert_segment(PartValue& part, int64_t index, const SegmentValue& segment);
void set_point(PartValue& part, int64_t index, const Vertex& point, bool has_z, bool has_m);
void set_segment(PartValue& part, int64_t index, const SegmentValue& segment);
void remove_point(PartValue& part, int64_t index);
void remove_segment(PartValue& part, int64_t index, bool preserve_adjacent_segments);
void remove_all(PartValue& part);

// Widens a part's z or m awareness, filling the new column with NaN.
void widen(PartValue& part, bool has_z, bool has_m);

// Segment `index` of a part as a segment value of its own.
SegmentValue segment_at(const PartValue& part, int64_t index, const SpatialReferenceRef& spatial_reference);

}  // namespace geokern
