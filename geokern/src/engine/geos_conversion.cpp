#include "engine/geos_conversion.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "engine/geos_building.hpp"
#include "engine/ring_groups.hpp"
#include "failure.hpp"

namespace geokern::engine {
namespace {

GeosSequence sequence_of(const double* xs, const double* ys, size_t size) {
    GEOSCoordSequence* sequence =
        GEOSCoordSeq_copyFromArrays_r(geos(), xs, ys, nullptr, nullptr, static_cast<unsigned>(size));
    if (sequence == nullptr) fail_geos("building a coordinate sequence");
    return GeosSequence(sequence);
}

GeosGeometry line_of(const PartValue& part, double deviation) {
    // A straight path goes to GEOS straight from its columns. GEOS refuses a line of one point, which
    // becomes a line of no length there.
    if (!part.has_curves() && part.point_count() >= 2) {
        return checked(
            GEOSGeom_createLineString_r(geos(), sequence_of(part.xs.data(), part.ys.data(), part.xs.size()).release()),
            "building a line");
    }
    LinearPart linear = linearize(part, deviation);
    if (linear.size() == 1) linear.add(linear.point(0), 0);
    return geos_line(linear);
}

// Twice the signed area of a ring, refusing coordinates that are not finite numbers. Each coordinate
// takes part in the area, so only a ring whose area is not finite can hold one.
double ring_area2(const LinearPart& ring) {
    const double area2 = signed_area2(ring.xs, ring.ys);
    if (std::isfinite(area2)) return area2;
    for (size_t i = 0; i < ring.size(); ++i) {
        if (!std::isfinite(ring.xs[i]) || !std::isfinite(ring.ys[i])) {
            fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "a ring has a coordinate that is not a finite number.");
        }
    }
    return area2;
}

// Whether a ring of that doubled area covers none: a ring whose lobes cancel (a bow-tie) still covers
// area, a ring on one line does not. A ring of huge coordinates whose area overflows is measured at a
// power-of-two scale, which keeps its orientation.
bool without_area(const LinearPart& ring, double area2) {
    if (!std::isfinite(area2)) {
        std::vector<double> xs(ring.xs), ys(ring.ys);
        for (double& x : xs) x = std::ldexp(x, -600);
        for (double& y : ys) y = std::ldexp(y, -600);
        area2 = signed_area2(xs, ys);
    }
    return area2 == 0.0 && all_collinear(ring);
}

}  // namespace

PolygonRings polygon_rings(const GeometryValue& polygon, double deviation) {
    PolygonRings polygons;
    std::vector<double> areas2;
    for (const auto& part : polygon.parts) {
        LinearPart points = linearize_xy(*part, deviation);
        if (points.size() < 4) continue;  // fewer than three distinct points hold no area
        // A bow-tie counts as an outer ring, for the operation to resolve.
        const double area2 = ring_area2(points);
        if (without_area(points, area2)) continue;
        polygons.rings.push_back(std::move(points));
        areas2.push_back(area2);
    }
    polygons.groups = group_rings(polygons.rings, areas2);
    for (size_t lonely : polygons.groups.lonely) polygons.groups.groups.push_back(RingGroup{lonely, {}});
    polygons.groups.lonely.clear();
    return polygons;
}

GeosGeometry to_geos(const PolygonRings& polygons) {
    std::vector<GeosGeometry> members;
    for (const RingGroup& group : polygons.groups.groups) members.push_back(geos_polygon(polygons.rings, group));
    return geos_collection(GEOS_MULTIPOLYGON, std::move(members));
}

namespace {

GeosGeometry polygons_of(const GeometryValue& polygon, double deviation) {
    return to_geos(polygon_rings(polygon, deviation));
}

GeosGeometry point_of(const Vertex& point) {
    if (std::isnan(point.x) || std::isnan(point.y)) return checked(GEOSGeom_createEmptyPoint_r(geos()), "building a point");
    return checked(GEOSGeom_createPointFromXY_r(geos(), point.x, point.y), "building a point");
}

// ---- from GEOS ----

struct Collected {
    std::vector<const GEOSGeometry*> pieces;
};

void collect(const GEOSGeometry* geometry, int dimension, Collected& into) {
    const int type = GEOSGeomTypeId_r(geos(), geometry);
    if (type >= GEOS_MULTIPOINT) {
        const int count = GEOSGetNumGeometries_r(geos(), geometry);
        for (int i = 0; i < count; ++i) collect(GEOSGetGeometryN_r(geos(), geometry, i), dimension, into);
        return;
    }
    if (GEOSisEmpty_r(geos(), geometry) == 1) return;
    const int piece_dimension = type == GEOS_POINT ? 0 : type == GEOS_POLYGON ? 2 : 1;
    if (piece_dimension == dimension) into.pieces.push_back(geometry);
}

LinearPart coordinates_of(const GEOSGeometry* simple) {
    const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(geos(), simple);
    unsigned size = 0;
    if (sequence == nullptr || GEOSCoordSeq_getSize_r(geos(), sequence, &size) == 0) fail_geos("reading coordinates");
    LinearPart part;
    part.xs.resize(size);
    part.ys.resize(size);
    if (size > 0 && GEOSCoordSeq_copyToArrays_r(geos(), sequence, part.xs.data(), part.ys.data(), nullptr, nullptr) == 0)
        fail_geos("reading coordinates");
    return part;
}

PartValue part_of(LinearPart&& linear, bool closed, const ResultShape& shape, bool reverse) {
    PartValue part;
    part.has_z = shape.has_z;
    part.has_m = shape.has_m;
    part.closed = closed;
    if (reverse) {
        std::reverse(linear.xs.begin(), linear.xs.end());
        std::reverse(linear.ys.begin(), linear.ys.end());
    }
    if (closed && !linear.xs.empty()) {  // GEOS repeats a ring's first point at its end
        linear.xs.pop_back();
        linear.ys.pop_back();
    }
    part.xs = std::move(linear.xs);
    part.ys = std::move(linear.ys);
    if (shape.has_z || shape.has_m) {
        const size_t size = part.xs.size();
        if (shape.has_z) part.zs.assign(size, nan_value);
        if (shape.has_m) part.ms.assign(size, nan_value);
        if (shape.attributes != nullptr) {
            for (size_t i = 0; i < size; ++i) {
                Vertex vertex{part.xs[i], part.ys[i]};
                shape.attributes->fill(vertex);
                if (shape.has_z) part.zs[i] = vertex.z;
                if (shape.has_m) part.ms[i] = vertex.m;
            }
        }
    }
    return part;
}

GeometryValue empty_result(const ResultShape& shape) {
    return empty_geometry(shape.type, shape.has_z, shape.has_m, shape.spatial_reference);
}

void add_ring(GeometryValue& value, const GEOSGeometry* ring, bool outer, const ResultShape& shape) {
    LinearPart linear = coordinates_of(ring);
    if (linear.size() < 4) return;
    const bool clockwise = signed_area2(linear.xs, linear.ys) < 0.0;
    value.parts.push_back(std::make_shared<const PartValue>(part_of(std::move(linear), true, shape, clockwise != outer)));
}

}  // namespace

double signed_area2(const std::vector<double>& xs, const std::vector<double>& ys) {
    if (xs.size() < 3) return 0.0;
    // Relative to the first point, so that far-away rings keep their digits.
    const double x0 = xs[0], y0 = ys[0];
    double sum = 0.0;
    for (size_t i = 1; i + 1 < xs.size(); ++i) {
        sum += (xs[i] - x0) * (ys[i + 1] - y0) - (xs[i + 1] - x0) * (ys[i] - y0);
    }
    const size_t last = xs.size() - 1;
    if (xs[last] != x0 || ys[last] != y0) sum += (xs[last] - x0) * (ys[0] - y0) - (xs[0] - x0) * (ys[last] - y0);
    return sum;
}

GeometryValue polygon_of_envelope(const GeometryValue& geometry) {
    if (geometry.type != geometry_type_envelope) return geometry;
    GeometryValue polygon;
    polygon.type = geometry_type_polygon;
    polygon.spatial_reference = geometry.spatial_reference;
    const EnvelopeData& e = geometry.envelope;
    if (e.empty()) return polygon;
    PartValue ring;
    ring.closed = true;
    ring.xs = {e.xmin, e.xmin, e.xmax, e.xmax};
    ring.ys = {e.ymin, e.ymax, e.ymax, e.ymin};
    polygon.parts.push_back(std::make_shared<const PartValue>(std::move(ring)));
    return polygon;
}

bool flat_envelope(const EnvelopeData& envelope) {
    return !envelope.empty() && (envelope.xmin == envelope.xmax || envelope.ymin == envelope.ymax);
}

GeosGeometry flat_envelope_form(const EnvelopeData& envelope) {
    for (double bound : {envelope.xmin, envelope.ymin, envelope.xmax, envelope.ymax}) {
        if (!std::isfinite(bound)) {
            fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "an envelope has a bound that is not a finite number.");
        }
    }
    if (envelope.xmin == envelope.xmax && envelope.ymin == envelope.ymax) {
        return point_of(Vertex{envelope.xmin, envelope.ymin});
    }
    const double xs[2] = {envelope.xmin, envelope.xmax}, ys[2] = {envelope.ymin, envelope.ymax};
    return checked(GEOSGeom_createLineString_r(geos(), sequence_of(xs, ys, 2).release()), "building a line");
}

GeosGeometry to_geos(const GeometryValue& geometry, double deviation) {
    switch (geometry.type) {
        case geometry_type_point:
            return point_of(geometry.point);
        case geometry_type_multipoint: {
            std::vector<GeosGeometry> members;
            const PartValue& points = *geometry.points;
            for (int64_t i = 0; i < points.point_count(); ++i) {
                if (std::isnan(points.xs[i]) || std::isnan(points.ys[i])) continue;
                members.push_back(point_of(points.point(i)));
            }
            return geos_collection(GEOS_MULTIPOINT, std::move(members));
        }
        case geometry_type_polyline: {
            std::vector<GeosGeometry> members;
            for (const auto& part : geometry.parts) {
                if (!part->empty()) members.push_back(line_of(*part, deviation));
            }
            return geos_collection(GEOS_MULTILINESTRING, std::move(members));
        }
        case geometry_type_envelope:
            if (flat_envelope(geometry.envelope)) return flat_envelope_form(geometry.envelope);
            return polygons_of(polygon_of_envelope(geometry), deviation);
        default:
            return polygons_of(geometry, deviation);
    }
}

GeometryValue from_geos(const GEOSGeometry* geometry, const ResultShape& shape) {
    GeometryValue value = empty_result(shape);
    const int dimension = shape.type == geometry_type_polygon ? 2 : shape.type == geometry_type_polyline ? 1 : 0;
    Collected collected;
    collect(geometry, dimension, collected);
    switch (shape.type) {
        case geometry_type_point:
            if (!collected.pieces.empty()) {
                PartValue single = part_of(coordinates_of(collected.pieces[0]), false, shape, false);
                value.point = single.point(0);
            }
            break;
        case geometry_type_multipoint: {
            PartValue points;
            points.has_z = shape.has_z;
            points.has_m = shape.has_m;
            for (const GEOSGeometry* piece : collected.pieces) {
                PartValue single = part_of(coordinates_of(piece), false, shape, false);
                points.xs.push_back(single.xs[0]);
                points.ys.push_back(single.ys[0]);
                if (shape.has_z) points.zs.push_back(single.zs[0]);
                if (shape.has_m) points.ms.push_back(single.ms[0]);
            }
            value.points = std::make_shared<const PartValue>(std::move(points));
            break;
        }
        case geometry_type_polyline:
            for (const GEOSGeometry* piece : collected.pieces) {
                value.parts.push_back(std::make_shared<const PartValue>(part_of(coordinates_of(piece), false, shape, false)));
            }
            break;
        case geometry_type_polygon:
            for (const GEOSGeometry* piece : collected.pieces) {
                add_ring(value, GEOSGetExteriorRing_r(geos(), piece), true, shape);
                const int holes = GEOSGetNumInteriorRings_r(geos(), piece);
                for (int i = 0; i < holes; ++i) add_ring(value, GEOSGetInteriorRingN_r(geos(), piece, i), false, shape);
            }
            break;
        default:
            fail(GK_ERROR_INTERNAL, "internal error.", "no GEOS result for this geometry type.");
    }
    return value;
}

}  // namespace geokern::engine
