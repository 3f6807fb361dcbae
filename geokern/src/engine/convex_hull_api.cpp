// Convex hulls of the inputs' vertices, curves taken as their chords within the chord deviation (the
// hull of a curve's chord form, inside the true hull by at most that deviation); a curved segment whose
// every chord vertex is on the hull becomes that curve again. A hull with area is a polygon (one
// clockwise ring), collinear vertices give a polyline of the two extreme vertices, a single distinct
// vertex a point. Hull vertices are input vertices (or chord vertices) and keep their z and m. Empty
// input gives an empty geometry of the input's dimension: an empty point for points and multipoints, an
// empty polyline for polylines, an empty polygon for polygons and envelopes.
#include <cmath>
#include <vector>

#include "engine/curve_restoration.hpp"
#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

struct HullInput {
    std::vector<double> xs, ys;
    bool has_z = false, has_m = false;
    GK_GeometryType empty_type = geometry_type_point;
    SpatialReferenceRef spatial_reference;
    VertexAttributes attributes;
    CurveIndex curves;

    void add_point(double x, double y) {
        if (std::isnan(x) || std::isnan(y)) return;
        xs.push_back(x);
        ys.push_back(y);
    }
    void add_part(const PartValue& part, double deviation) {
        const LinearPart linear = linearize(part, deviation);
        for (size_t i = 0; i < linear.size(); ++i) add_point(linear.xs[i], linear.ys[i]);
    }
    void add(const GeometryValue& geometry) {
        has_z = has_z || geometry.has_z;
        has_m = has_m || geometry.has_m;
        // The empty result takes the highest dimension among the inputs.
        const int32_t dimension = dimension_of(geometry);
        if (dimension == 2) empty_type = geometry_type_polygon;
        else if (dimension == 1 && empty_type == geometry_type_point) empty_type = geometry_type_polyline;
        const double deviation = chord_deviation(geometry);
        attributes.add(geometry, deviation);
        curves.add(geometry, deviation);
        switch (geometry.type) {
            case geometry_type_point:
                add_point(geometry.point.x, geometry.point.y);
                break;
            case geometry_type_envelope: {
                const EnvelopeData& e = geometry.envelope;
                if (e.empty()) break;
                add_point(e.xmin, e.ymin);
                add_point(e.xmin, e.ymax);
                add_point(e.xmax, e.ymax);
                add_point(e.xmax, e.ymin);
                break;
            }
            case geometry_type_multipoint:
                add_part(*geometry.points, deviation);
                break;
            default:
                for (const auto& part : geometry.parts) add_part(*part, deviation);
        }
    }

    GeometryValue hull() const {
        ResultShape shape{empty_type, has_z, has_m, spatial_reference, &attributes};
        if (xs.empty()) return from_geos(checked(GEOSGeom_createEmptyCollection_r(geos(), GEOS_GEOMETRYCOLLECTION), "building a collection").get(), shape);
        if (xs.size() == 1) {
            Vertex single{xs[0], ys[0]};
            attributes.fill(single);
            return point_value(single, has_z, has_m, spatial_reference);
        }
        // A line through every vertex: GEOS's hull takes its coordinates.
        GEOSCoordSequence* sequence =
            GEOSCoordSeq_copyFromArrays_r(geos(), xs.data(), ys.data(), nullptr, nullptr, static_cast<unsigned>(xs.size()));
        if (sequence == nullptr) fail_geos("building a coordinate sequence");
        GeosGeometry points = checked(GEOSGeom_createLineString_r(geos(), sequence), "building a line");
        GeosGeometry hull = checked(GEOSConvexHull_r(geos(), points.get()), "convex hull");
        const int type = GEOSGeomTypeId_r(geos(), hull.get());
        shape.type = type == GEOS_POLYGON ? geometry_type_polygon
                     : type == GEOS_POINT ? geometry_type_point
                                          : geometry_type_polyline;
        GeometryValue result = from_geos(hull.get(), shape);
        curves.restore(result);
        return result;
    }
};

GeometryValue hull_of(const std::vector<const GeometryValue*>& geometries) {
    HullInput input;
    for (const GeometryValue* geometry : geometries) {
        GeometryValue holder;
        holder.spatial_reference = input.spatial_reference;
        input.spatial_reference = joint_spatial_reference(holder, *geometry);
        input.add(*geometry);
    }
    return input.hull();
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_convexHull(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(hull_of({&value_of(geometry)})); });
}

GK_ArrayHandle GK_GeometryEngine_convexHullCollection(GK_VectorHandle geometries, GK_Bool merge, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        const auto inputs = geometries_of(geometries);
        std::vector<GeometryValue> hulls;
        if (merge && !inputs.empty()) {
            std::vector<const GeometryValue*> all;
            for (const auto& input : inputs) all.push_back(input.get());
            hulls.push_back(hull_of(all));
        } else if (!merge) {
            for (const auto& input : inputs) hulls.push_back(hull_of({input.get()}));
        }
        return geometry_array(std::move(hulls));
    });
}
