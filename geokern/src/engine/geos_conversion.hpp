#pragma once

#include <vector>

#include "engine/geos_context.hpp"
#include "engine/linearize.hpp"
#include "engine/ring_groups.hpp"
#include "engine/vertex_attributes.hpp"
#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// A geometry in GEOS's form, x and y only (relations and measures are two-dimensional; z and m of
// results come from the inputs, see vertex_attributes.hpp). Curves become chords within `deviation`.
// A point is a GEOS point, a multipoint a multipoint, a polyline a multi line string, an envelope its
// rectangle (a flat one its segment or point, see flat_envelope) and a polygon a multipolygon: rings are
// grouped by orientation (clockwise outer rings, counter-clockwise holes, each hole given to the
// smallest outer ring around it; a hole that no outer ring holds counts as an outer ring of its own).
GeosGeometry to_geos(const GeometryValue& geometry, double deviation);

// The rings of a polygon as they go to GEOS: closed chord forms of its parts without those that hold
// no area, grouped into polygons as to_geos describes; a hole without an outer ring is a group of its own.
struct PolygonRings {
    std::vector<LinearPart> rings;
    RingGroups groups;  // every ring in `groups`; `lonely` is empty
};
PolygonRings polygon_rings(const GeometryValue& polygon, double deviation);
GeosGeometry to_geos(const PolygonRings& polygons);

// Everything a result needs beside GEOS's coordinates.
struct ResultShape {
    GK_GeometryType type = geometry_type_polygon;
    bool has_z = false;
    bool has_m = false;
    SpatialReferenceRef spatial_reference;
    const VertexAttributes* attributes = nullptr;  // z and m of the result's vertices; null: NaN
};

// The pieces of a GEOS geometry of the result's dimension (points for a point or multipoint, lines for a
// polyline, polygons for a polygon) as a geometry of that type; pieces of other dimensions are left out.
// Polygon results get clockwise outer rings, each followed by its counter-clockwise holes. A point
// result of several points takes the first.
GeometryValue from_geos(const GEOSGeometry* geometry, const ResultShape& shape);

// Whether an envelope is not empty but has no width or no height (a -0.0 bound equals 0.0): the extent
// of a vertical or horizontal line, or of one point. Such an envelope is the segment or point it
// covers, as GEOS makes it, not a rectangle without area (which GEOS would take for nothing at all).
bool flat_envelope(const EnvelopeData& envelope);
// The segment from (xmin, ymin) to (xmax, ymax) of a flat envelope, or its point; a bound that is not
// a finite number is refused.
GeosGeometry flat_envelope_form(const EnvelopeData& envelope);

// The polygon of an envelope (one clockwise ring), or the geometry itself for every other type.
GeometryValue polygon_of_envelope(const GeometryValue& geometry);

// Twice the signed area of a closed point list (positive counter-clockwise).
double signed_area2(const std::vector<double>& xs, const std::vector<double>& ys);

}  // namespace geokern::engine
