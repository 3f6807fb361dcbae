// offset: the curve at a distance beside a polyline, or the outline of a polygon moved out or in.
//
// A polyline's paths are offset one by one (GEOS's offset curve), each result path running in the
// direction of its input path. A positive distance offsets to the right of the path's direction,
// a negative one to the left: for a clockwise ring drawn as a path that is the inside, as a
// surveyor's right-hand offset would be. A polygon (or envelope) is offset as an area: a positive
// distance grows it and a negative one shrinks it (GEOS's buffer with the chosen joins), giving a
// polygon. Offset vertices are new, so their z and m are NaN. Distance 0, or one too small to move
// any coordinate (at most four units in the last place of the largest), gives the input back.
//
// Joins (GK_OffsetType): 0 mitered (corners extended to a point unless the mitre would reach further
// than bevel_ratio times the distance from the vertex; then cut square there), 1 bevelled (a straight cut
// between the two offset segments), 2 rounded (arcs as chords within flatten_error of the true arc;
// flatten_error <= 0 means 1e-3 of the distance), 3 squared (the corner cut square at the distance
// from the vertex: a mitre limited to ratio 1). bevel_ratio <= 0 means 10. Curves are offset as chords
// within a tenth of the flatten error.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/overlay.hpp"
#include "engine/topology_support.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

struct Joins {
    int style;
    double mitre_limit;
    int quadrant_segments;
    double error;
};

Joins joins_of(int32_t offset_type, double distance, double bevel_ratio, double flatten_error) {
    if (offset_type < 0 || offset_type > 3) {
        refuse("offset type must be 0 (mitered), 1 (bevelled), 2 (rounded) or 3 (squared): got " +
               std::to_string(offset_type) + ".");
    }
    if (std::isnan(bevel_ratio) || std::isinf(bevel_ratio)) refuse("offset bevel ratio must be a finite number.");
    if (std::isnan(flatten_error) || std::isinf(flatten_error)) refuse("offset flatten error must be a finite number.");
    const double radius = std::abs(distance);
    const double error = flatten_error > 0.0 ? flatten_error : 1e-3 * radius;
    // Chords of angle a stray r (1 - cos(a / 2)) from an arc of radius r.
    int quadrants = 1;
    if (error < radius) {
        const double angle = 2.0 * std::acos(1.0 - error / radius);
        quadrants = static_cast<int>(std::clamp(std::ceil(0.5 * std::numbers::pi / angle), 1.0, 10000.0));
    }
    const double limit = bevel_ratio > 0.0 ? bevel_ratio : 10.0;
    switch (offset_type) {
        case 0: return Joins{GEOSBUF_JOIN_MITRE, limit, quadrants, error};
        case 1: return Joins{GEOSBUF_JOIN_BEVEL, limit, quadrants, error};
        case 2: return Joins{GEOSBUF_JOIN_ROUND, limit, quadrants, error};
        default: return Joins{GEOSBUF_JOIN_MITRE, 1.0, quadrants, error};
    }
}

// Whether a distance is too small to move any coordinate of the geometry: GEOS would cut such an
// offset into more pieces than it can hold.
bool below_resolution(const GeometryValue& geometry, double distance) {
    const EnvelopeData extent = extent_of(geometry);
    const double largest = std::max({std::fabs(extent.xmin), std::fabs(extent.xmax), std::fabs(extent.ymin),
                                     std::fabs(extent.ymax)});
    return std::fabs(distance) <= 4.0 * (std::nextafter(largest, INFINITY) - largest);
}

// A distance near the largest double can carry the outline past it.
GeometryValue checked_finite(GeometryValue result) {
    if (!finite_coordinates(result)) refuse("the offset reaches beyond the range of finite coordinates.");
    return result;
}

GeometryValue offset_value(const GeometryValue& input, double distance, int32_t offset_type, double bevel_ratio,
                           double flatten_error) {
    if (input.type == geometry_type_point || input.type == geometry_type_multipoint) {
        refuse(std::string("offset needs a polyline or a polygon: got a ") + geometry_type_name(input.type) + ".");
    }
    if (!std::isfinite(distance)) refuse("offset distance must be a finite number.");
    // Beyond this GEOS falls into retries at reduced precision that take it many seconds, for an outline
    // that would not stay finite anyway.
    if (std::fabs(distance) > largest_coordinate) {
        refuse("the offset distance is beyond 1e150 in size, out of the range offsets are computed in.");
    }
    const Joins joins = joins_of(offset_type, distance, bevel_ratio, flatten_error);
    if (!finite_coordinates(input)) refuse("offset needs finite coordinates: the geometry has a NaN or infinite coordinate.");
    const GeometryValue source = polygon_of_envelope(input);
    if (distance == 0.0 || is_empty(source) || below_resolution(source, distance)) return source;
    // The outline is only as exact as the flatten error, and every chord of a curve becomes a join: curves
    // go to GEOS as chords within a tenth of it (or of 1e-3 of the distance) when that is coarser than
    // the usual chord deviation.
    const double deviation = std::max(chord_deviation(source), 0.1 * joins.error);
    const ResultShape shape{source.type, source.has_z, source.has_m, source.spatial_reference, nullptr};
    if (source.type == geometry_type_polygon) {
        GeosGeometry area = to_geos(source, deviation);
        GeosGeometry grown = checked(GEOSBufferWithStyle_r(geos(), area.get(), distance, joins.quadrant_segments,
                                                           GEOSBUF_CAP_FLAT, joins.style, joins.mitre_limit),
                                     "offset");
        return checked_finite(from_geos(grown.get(), shape));
    }
    GeometryValue result;
    result.type = geometry_type_polyline;
    result.has_z = source.has_z;
    result.has_m = source.has_m;
    result.spatial_reference = source.spatial_reference;
    for (const auto& part : source.parts) {
        LinearPart line = linearize(*part, deviation);
        if (line.size() < 2) continue;
        GeosGeometry path = geos_line(line);
        // GEOS offsets to the left for a positive distance.
        GeosGeometry moved = checked(GEOSOffsetCurve_r(geos(), path.get(), -distance, joins.quadrant_segments,
                                                       joins.style, joins.mitre_limit),
                                     "offset");
        GeometryValue pieces = from_geos(moved.get(), shape);
        for (auto& piece : pieces.parts) result.parts.push_back(std::move(piece));
    }
    return checked_finite(std::move(result));
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_offset(GK_GeometryHandle geometry, double distance, GK_OffsetType offset_type,
                                           double bevel_ratio, double flatten_error, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(offset_value(value_of(geometry), distance, offset_type, bevel_ratio, flatten_error));
    });
}
