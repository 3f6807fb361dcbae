#pragma once

#include <optional>

#include "core/envelope_value.hpp"
#include "core/multipoint.hpp"
#include "core/point_value.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "geometry_sink.hpp"

namespace velmor::formats {

// What the text and binary writers need beyond the geometry: the tolerance of its spatial reference,
// when it has one the runtime core knows. Curves SQL/MM cannot hold (elliptic arcs, Bezier curves)
// become chords within it; without it, within 1e-4 of each curve's own size (an elliptic arc's
// semi-major axis, a Bezier curve's control polygon length), which keeps a whole ellipse at about 220
// chords and a Bezier curve at most 87.
struct WriteOptions {
    std::optional<double> tolerance;
};

// Reports a native geometry to a sink, as the simple-feature type that holds it or, when it has
// circular arcs, as the SQL/MM curve type:
// - a point as POINT, an empty one as the empty point;
// - an envelope as the POLYGON of its x and y extent (z and m ranges have no place in a polygon);
// - a multipoint as MULTIPOINT, an empty member point as an empty point;
// - a polyline as LINESTRING (one path) or MULTILINESTRING; with arcs, a path as CIRCULARSTRING (all arcs)
//   or COMPOUNDCURVE, several paths as MULTICURVE;
// - a polygon as POLYGON, or MULTIPOLYGON when it has several outer rings; with arcs, CURVEPOLYGON (its
//   curved rings as COMPOUNDCURVE) or MULTISURFACE. Rings are grouped the way polygons hold them: every
//   clockwise ring after the first starts a new polygon and every other ring is a hole of the polygon
//   before it, so a polygon whose outer rings are each followed by their holes (as every engine result
//   is) is written as those polygons. Rings that do not end where they start are closed.
// Curved paths and rings come before straight ones, as in the runtime core. Parts are locked one at a time.
core::Dims dims_of(const core::PointValue& point);
core::Dims dims_of(const core::EnvelopeValue& envelope);
core::Dims dims_of(const core::Multipoint& multipoint);
core::Dims dims_of(const core::Polyline& polyline);
core::Dims dims_of(const core::Polygon& polygon);

void walk_geometry(const core::PointValue& point, GeometrySink& sink, const WriteOptions& options);
void walk_geometry(const core::EnvelopeValue& envelope, GeometrySink& sink, const WriteOptions& options);
void walk_geometry(const core::Multipoint& multipoint, GeometrySink& sink, const WriteOptions& options);
void walk_geometry(const core::Polyline& polyline, GeometrySink& sink, const WriteOptions& options);
void walk_geometry(const core::Polygon& polygon, GeometrySink& sink, const WriteOptions& options);

// Whether writing the geometry turns curves into chords, so that the tolerance is worth looking up.
bool needs_chords(const core::PointValue& point);
bool needs_chords(const core::EnvelopeValue& envelope);
bool needs_chords(const core::Multipoint& multipoint);
bool needs_chords(const core::Polyline& polyline);
bool needs_chords(const core::Polygon& polygon);

}  // namespace velmor::formats
