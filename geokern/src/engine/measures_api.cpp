// Planar measures: area and length exact for curves, distance, and a label point inside a polygon.
#include <cmath>
#include <string>

#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/measures.hpp"
#include "engine/proximity.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

// The distance from a point to a geometry, exact for curves.
double point_distance(const GeometryValue& point, const GeometryValue& other) {
    return nearest_coordinate(other, point.point.x, point.point.y).distance;
}

Vertex first_point(const GEOSGeometry* geometry) {
    Vertex point;
    if (geometry == nullptr || GEOSisEmpty_r(geos(), geometry) != 0) return point;
    const GEOSGeometry* first = GEOSGeomTypeId_r(geos(), geometry) == GEOS_POINT ? geometry : nullptr;
    GeosGeometry start;
    if (first == nullptr) {
        start = checked(GEOSGeomGetStartPoint_r(geos(), geometry), "reading the label point");
        first = start.get();
    }
    if (GEOSGeomGetX_r(geos(), first, &point.x) == 0 || GEOSGeomGetY_r(geos(), first, &point.y) == 0) {
        fail_geos("reading the label point");
    }
    return point;
}

}  // namespace

// Clockwise outer rings count positive, counter-clockwise holes negative (so a polygon given with
// counter-clockwise outer rings has a negative area); curved segments add the exact area between them
// and their chords.
double GK_GeometryEngine_area(GK_GeometryHandle geometry, GK_EH) {
    return guarded<double>(handler, [&] { return planar_area(value_of(geometry)); });
}

double GK_GeometryEngine_length(GK_GeometryHandle geometry, GK_EH) {
    return guarded<double>(handler, [&] { return planar_length(value_of(geometry)); });
}

// NaN when either input is empty. From a point the distance is exact for curves; between other
// geometries it is GEOS's distance between their chord forms, within the chord deviation of the exact
// one (see linearize.hpp).
double GK_GeometryEngine_distance(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<double>(handler, [&] {
        const GeometryValue& a = value_of(geometry1);
        const GeometryValue& b = value_of(geometry2);
        joint_spatial_reference(a, b);
        if (is_empty(a) || is_empty(b)) return nan_value;
        if (a.type == geometry_type_point) return point_distance(a, b);
        if (b.type == geometry_type_point) return point_distance(b, a);
        const double deviation = chord_deviation(a, b);
        GeosGeometry ga = to_geos(a, deviation), gb = to_geos(b, deviation);
        double distance = nan_value;
        if (GEOSDistance_r(geos(), ga.get(), gb.get(), &distance) == 0) fail_geos("distance");
        return distance;
    });
}

// The centre of the largest circle inside the polygon's chord form (GEOS, to 1e-5 of the extent's
// larger side), so the point lies as deep inside as the polygon allows. A polygon without area has
// GEOS's point on its surface; an empty polygon gives an empty point. An envelope gives its centre.
GK_GeometryHandle GK_GeometryEngine_labelPoint(GK_GeometryHandle polygon, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& input = value_of(polygon);
        if (input.type == geometry_type_envelope) {
            const EnvelopeData& e = input.envelope;
            Vertex centre;
            if (!e.empty()) centre = Vertex{0.5 * (e.xmin + e.xmax), 0.5 * (e.ymin + e.ymax)};
            return new_point(centre, input.has_z, input.has_m, input.spatial_reference);
        }
        const GeometryValue& value = geometry_of(polygon, geometry_type_polygon);
        const GeometryValue result_shape = point_value(Vertex{}, value.has_z, value.has_m, value.spatial_reference);
        const EnvelopeData extent = extent_of(value);
        if (extent.empty()) return new_geometry(result_shape);
        const double side = std::max(extent.xmax - extent.xmin, extent.ymax - extent.ymin);
        if (!std::isfinite(side)) refuse("the polygon has coordinates that are not finite numbers.");
        GeosGeometry shape = to_geos(value, chord_deviation(value));
        if (GEOSisEmpty_r(geos(), shape.get()) != 0) return new_geometry(result_shape);
        Vertex label;
        if (side > 0.0) {
            GeosGeometry circle = checked(GEOSMaximumInscribedCircle_r(geos(), shape.get(), side * 1e-5), "label point");
            label = first_point(circle.get());
        }
        bool inside = std::isfinite(label.x) && std::isfinite(label.y);
        if (inside) {
            GeosGeometry point = checked(GEOSGeom_createPointFromXY_r(geos(), label.x, label.y), "label point");
            inside = checked(GEOSContains_r(geos(), shape.get(), point.get()), "label point");
        }
        if (!inside) {
            GeosGeometry surface = checked(GEOSPointOnSurface_r(geos(), shape.get()), "label point");
            label = first_point(surface.get());
        }
        return new_point(Vertex{label.x, label.y}, value.has_z, value.has_m, value.spatial_reference);
    });
}
