// Clip: the part of a geometry inside an envelope (its boundary included), of the geometry's type. Points
// are kept or dropped; an envelope meets the other; a polyline's parts that lie wholly inside are kept
// as they are (curves too) and the others are cut by GEOS's rectangle clipping; a polygon wholly inside
// is kept, otherwise clipped as a whole (repaired first where GEOS finds it invalid, as the overlays
// do), and its result is simple (pieces that touch at a point are separate rings). An envelope without
// width or height clips as the segment or point it is: a polyline keeps its stretches along it, a
// polygon keeps nothing (its result has no area). Clipped results get their vertices' z and m from the
// input, and every curved segment that survives whole becomes a curve again (see
// curve_restoration.hpp); curves that the envelope cuts stay chords.
#include <algorithm>
#include <cmath>

#include "engine/clip.hpp"
#include "engine/curve_restoration.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/overlay.hpp"
#include "engine/simplify.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

bool inside(const EnvelopeData& box, double x, double y) {
    return x >= box.xmin && x <= box.xmax && y >= box.ymin && y <= box.ymax;
}

bool holds(const EnvelopeData& box, const EnvelopeData& extent) {
    return !extent.empty() && inside(box, extent.xmin, extent.ymin) && inside(box, extent.xmax, extent.ymax);
}

bool misses(const EnvelopeData& box, const EnvelopeData& extent) {
    return extent.empty() || extent.xmin > box.xmax || extent.xmax < box.xmin || extent.ymin > box.ymax ||
           extent.ymax < box.ymin;
}

EnvelopeData extent_of_part(const PartValue& part) {
    const Bounds bounds = part_bounds(part);
    return EnvelopeData{bounds.xmin, bounds.ymin, bounds.xmax, bounds.ymax};
}

GeometryValue empty_like(const GeometryValue& geometry) {
    return empty_geometry(geometry.type, geometry.has_z, geometry.has_m, geometry.spatial_reference);
}

bool finite_parts(const GeometryValue& geometry) {
    for (const auto& part : geometry.parts) {
        for (size_t i = 0; i < part->xs.size(); ++i) {
            if (!std::isfinite(part->xs[i]) || !std::isfinite(part->ys[i])) return false;
        }
    }
    return true;
}

// The overlay's intersection with the box: it takes a flat box as the segment or point it is, keeps
// the pieces of a polygon that meet at a point apart, and computes crossings without overflow for huge
// coordinates.
GeosGeometry intersection_with_box(const GEOSGeometry* input, const EnvelopeData& box, double deviation) {
    GeosGeometry shape = to_geos(envelope_value(box, false, false, nullptr), deviation);
    return checked(GEOSIntersection_r(geos(), input, shape.get()), "intersection");
}

// Whether GEOS's rectangle clipping gave a result to keep. It computes crossings from the segment's far
// end, which overflows for huge coordinates; where a polygon's part inside the box is pieces that meet
// at a point it gives one ring through that point twice; and it keeps an input's repeated vertices.
// A polygon result must be simple by the engine's own rule.
bool sound_clip(const GeometryValue& result, const GeometryValue& geometry) {
    if (!finite_parts(result) && finite_parts(geometry)) return false;
    return geometry.type != geometry_type_polygon || is_simple_geometry(result);
}

GeometryValue clipped_by_geos(const GeometryValue& geometry, const EnvelopeData& box, double deviation) {
    GeosGeometry input = to_geos(geometry, deviation);
    // A polygon that GEOS finds invalid is repaired first, as every overlay does: clipping its invalid
    // form has no defined answer.
    if (geometry.type == geometry_type_polygon) input = valid_polygons(std::move(input));
    VertexAttributes attributes;
    attributes.add(geometry, deviation);
    const ResultShape shape{geometry.type, geometry.has_z, geometry.has_m, geometry.spatial_reference, &attributes};
    // GEOS's rectangle clipping is the fast way, for a box with area.
    if (!flat_envelope(box)) {
        GeosGeometry clipped = checked(GEOSClipByRect_r(geos(), input.get(), box.xmin, box.ymin, box.xmax, box.ymax),
                                       "clipping by a rectangle");
        GeometryValue result = from_geos(clipped.get(), shape);
        if (sound_clip(result, geometry)) return result;
    }
    GeosGeometry met = intersection_with_box(input.get(), box, deviation);
    GeometryValue result = from_geos(met.get(), shape);
    if (!finite_parts(result)) refuse("the geometry's coordinates are too large to clip.");
    return result;
}

GeometryValue clipped_with_curves(const GeometryValue& geometry, const EnvelopeData& box, double deviation) {
    GeometryValue result = clipped_by_geos(geometry, box, deviation);
    CurveIndex curves;
    curves.add(geometry, deviation);
    curves.restore(result);
    return result;
}

}  // namespace

GeometryValue geokern::engine::clipped(const GeometryValue& geometry, const EnvelopeData& box) {
    GeometryValue result = empty_like(geometry);
    if (box.empty() || is_empty(geometry)) return result;
    switch (geometry.type) {
        case geometry_type_point:
            if (inside(box, geometry.point.x, geometry.point.y)) result.point = geometry.point;
            return result;
        case geometry_type_multipoint: {
            PartValue points = *result.points;
            for (int64_t i = 0; i < geometry.points->point_count(); ++i) {
                const Vertex p = geometry.points->point(i);
                if (!inside(box, p.x, p.y)) continue;
                points.xs.push_back(p.x);
                points.ys.push_back(p.y);
                if (points.has_z) points.zs.push_back(p.z);
                if (points.has_m) points.ms.push_back(p.m);
            }
            result.points = std::make_shared<const PartValue>(std::move(points));
            return result;
        }
        case geometry_type_envelope: {
            const EnvelopeData& e = geometry.envelope;
            if (misses(box, e)) return result;
            EnvelopeData met = e;
            met.xmin = std::max(e.xmin, box.xmin);
            met.ymin = std::max(e.ymin, box.ymin);
            met.xmax = std::min(e.xmax, box.xmax);
            met.ymax = std::min(e.ymax, box.ymax);
            return envelope_value(met, geometry.has_z, geometry.has_m, geometry.spatial_reference);
        }
        case geometry_type_polyline: {
            // Part by part, so that the pieces keep the parts' order.
            const double deviation = chord_deviation(geometry);
            GeometryValue single = empty_like(geometry);
            for (const auto& part : geometry.parts) {
                const EnvelopeData extent = extent_of_part(*part);
                if (holds(box, extent)) {
                    result.parts.push_back(part);
                } else if (!misses(box, extent)) {
                    single.parts = {part};
                    const GeometryValue cut = clipped_with_curves(single, box, deviation);
                    result.parts.insert(result.parts.end(), cut.parts.begin(), cut.parts.end());
                }
            }
            return result;
        }
        default: {
            const EnvelopeData extent = extent_of(geometry);
            if (holds(box, extent)) return geometry;
            if (misses(box, extent)) return result;
            return clipped_with_curves(geometry, box, chord_deviation(geometry));
        }
    }
}

GK_GeometryHandle GK_GeometryEngine_clip(GK_GeometryHandle geometry, GK_GeometryHandle envelope, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        const GeometryValue& box = geometry_of(envelope, geometry_type_envelope);
        GeometryValue result = clipped(value, box.envelope);
        result.spatial_reference = joint_spatial_reference(value, box);
        return new_geometry(std::move(result));
    });
}
