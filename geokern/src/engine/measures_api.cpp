// Planar measures: area and length exact for curves, distance, and a label point inside a polygon.
#include <algorithm>
#include <cfloat>
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

// GEOS's indexes loop or fail on coordinates that are not finite (a huge arc's chords may overflow).
void require_finite_extent(const GEOSGeometry* geometry, const char* which) {
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    if (GEOSisEmpty_r(geos(), geometry) != 0) return;
    if (GEOSGeom_getExtent_r(geos(), geometry, &xmin, &ymin, &xmax, &ymax) == 0 || !std::isfinite(xmin) ||
        !std::isfinite(ymin) || !std::isfinite(xmax) || !std::isfinite(ymax)) {
        refuse(std::string("the ") + which + " geometry reaches coordinates that are not finite numbers (a curve too large).");
    }
}

bool finite_columns(const PartValue& part) {
    for (size_t i = 0; i < part.xs.size(); ++i) {
        if (!std::isfinite(part.xs[i]) || !std::isfinite(part.ys[i])) return false;
    }
    return true;
}

void require_finite_vertices(const GeometryValue& geometry, const char* which) {
    bool finite = true;
    for (const auto& part : geometry.parts) finite = finite && finite_columns(*part);
    if (geometry.points != nullptr) {
        for (size_t i = 0; i < geometry.points->xs.size(); ++i) {
            const double x = geometry.points->xs[i], y = geometry.points->ys[i];
            if (!(std::isnan(x) && std::isnan(y)) && !(std::isfinite(x) && std::isfinite(y))) finite = false;
        }
    }
    if (!finite) refuse(std::string("the ") + which + " geometry has coordinates that are not finite numbers.");
}

struct Frame {
    double cx, cy, scale;
};

// The extent's centre and a power of two as large as its longer side: moved there and scaled (exact),
// a polygon lies within a unit of the origin.
Frame unit_frame(const EnvelopeData& extent) {
    const Vertex centre = extent.centre();
    const double longer = std::max(extent.xmax - extent.xmin, extent.ymax - extent.ymin);
    return Frame{centre.x, centre.y, longer > 0.0 ? std::ldexp(1.0, std::ilogb(longer)) : 1.0};
}

Vertex from_frame(const Frame& frame, const Vertex& point) {
    return Vertex{frame.cx + point.x * frame.scale, frame.cy + point.y * frame.scale};
}

int to_frame(double* x, double* y, void* frame) {
    const Frame& f = *static_cast<const Frame*>(frame);
    *x = (*x - f.cx) / f.scale;
    *y = (*y - f.cy) / f.scale;
    return 1;
}

// The centre of the largest inscribed circle, or no point where GEOS cannot be trusted to find it. GEOS
// 3.11 starts from a grid of cells as large as the extent's shorter side, stepping from its corner: a
// long thin extent makes too many cells, and far from the origin a step may not move. So the polygon
// goes to GEOS moved to the origin and scaled by a power of two to a unit extent (exact), and only when
// its sides differ by at most 1e4 times.
Vertex inscribed_centre(const GEOSGeometry* shape) {
    EnvelopeData extent;
    if (GEOSGeom_getExtent_r(geos(), shape, &extent.xmin, &extent.ymin, &extent.xmax, &extent.ymax) == 0) return Vertex{};
    const double width = extent.xmax - extent.xmin, height = extent.ymax - extent.ymin;
    const double longer = std::max(width, height), shorter = std::min(width, height);
    if (!(shorter > 0.0) || !std::isfinite(longer) || longer > 1e4 * shorter) return Vertex{};
    Frame frame = unit_frame(extent);
    GeosGeometry moved(GEOSGeom_transformXY_r(geos(), shape, &to_frame, &frame));
    if (moved == nullptr) return Vertex{};
    GeosGeometry circle(GEOSMaximumInscribedCircle_r(geos(), moved.get(), 1e-5));
    if (circle == nullptr) return Vertex{};
    return from_frame(frame, first_point(circle.get()));
}

// GEOS's point on the surface. GEOS halves sums of coordinates, which overflow beyond half the largest
// double, so a polygon reaching that far goes to GEOS in its unit frame.
Vertex point_on_surface(const GEOSGeometry* shape, const EnvelopeData& extent) {
    const double largest = std::max({-extent.xmin, extent.xmax, -extent.ymin, extent.ymax});
    if (largest < 0.25 * DBL_MAX) {
        GeosGeometry surface = checked(GEOSPointOnSurface_r(geos(), shape), "label point");
        return first_point(surface.get());
    }
    Frame frame = unit_frame(extent);
    GeosGeometry moved = checked(GEOSGeom_transformXY_r(geos(), shape, &to_frame, &frame), "label point");
    GeosGeometry surface = checked(GEOSPointOnSurface_r(geos(), moved.get()), "label point");
    return from_frame(frame, first_point(surface.get()));
}

}  // namespace

// The area of the region the polygon bounds, never negative: clockwise outer rings count positive,
// counter-clockwise holes negative, and a polygon whose rings all run the other way round measures what
// its mirror measures (see region_measure); curved segments add the exact area between them and their
// chords.
double GK_GeometryEngine_area(GK_GeometryHandle geometry, GK_EH) {
    return guarded<double>(handler, [&] { return planar_area(value_of(geometry)); });
}

double GK_GeometryEngine_length(GK_GeometryHandle geometry, GK_EH) {
    return guarded<double>(handler, [&] { return planar_length(value_of(geometry)); });
}

// NaN when either input is empty. From a point the distance is exact for curves (a polygon whose rings
// lack area is then measured to its outline); between other geometries it is GEOS's distance between
// their chord forms, within the chord deviation of the exact one (see linearize.hpp), and a polygon
// whose rings all lack area counts as empty there, as GEOS never sees such rings.
double GK_GeometryEngine_distance(GK_GeometryHandle geometry1, GK_GeometryHandle geometry2, GK_EH) {
    return guarded<double>(handler, [&] {
        const GeometryValue& a = value_of(geometry1);
        const GeometryValue& b = value_of(geometry2);
        joint_spatial_reference(a, b);
        if (is_empty(a) || is_empty(b)) return nan_value;
        if (a.type == geometry_type_point) return point_distance(a, b);
        if (b.type == geometry_type_point) return point_distance(b, a);
        require_finite_vertices(a, "first");
        require_finite_vertices(b, "second");
        const double deviation = chord_deviation(a, b);
        GeosGeometry ga = to_geos(a, deviation), gb = to_geos(b, deviation);
        require_finite_extent(ga.get(), "first");
        require_finite_extent(gb.get(), "second");
        // Rings without area do not reach GEOS: a polygon of only such rings is as empty as no polygon.
        if (GEOSisEmpty_r(geos(), ga.get()) != 0 || GEOSisEmpty_r(geos(), gb.get()) != 0) return nan_value;
        // GEOS's plain distance compares every pair of segments, too slow for curves cut into many
        // chords; the indexed one measures between boundaries only, so a meeting comes first.
        if (extents_meet(a, b)) {
            GeosPrepared prepared(GEOSPrepare_r(geos(), ga.get()));
            if (prepared == nullptr) fail_geos("distance");
            if (checked(GEOSPreparedIntersects_r(geos(), prepared.get(), gb.get()), "distance")) return 0.0;
        }
        double distance = nan_value;
        if (GEOSDistanceIndexed_r(geos(), ga.get(), gb.get(), &distance) == 0) fail_geos("distance");
        return distance;
    });
}

// The centre of the largest circle inside the polygon's chord form (GEOS, to 1e-5 of the extent's
// larger side), so the point lies as deep inside as the polygon allows. Where that circle is not sought
// (see inscribed_centre) or its centre is not inside, GEOS's point on the surface: the middle of the
// widest inside stretch of the horizontal line through the extent's middle. A polygon whose rings all
// lack area gives its first vertex, an empty polygon an empty point, an envelope its centre.
GK_GeometryHandle GK_GeometryEngine_labelPoint(GK_GeometryHandle polygon, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& input = value_of(polygon);
        if (input.type == geometry_type_envelope) {
            Vertex centre;
            if (!input.envelope.empty()) {
                const Vertex middle = input.envelope.centre();
                centre = Vertex{middle.x, middle.y};
            }
            return new_point(centre, input.has_z, input.has_m, input.spatial_reference);
        }
        const GeometryValue& value = geometry_of(polygon, geometry_type_polygon);
        const GeometryValue result_shape = point_value(Vertex{}, value.has_z, value.has_m, value.spatial_reference);
        const EnvelopeData extent = extent_of(value);
        if (extent.empty()) return new_geometry(result_shape);
        const double side = std::max(extent.xmax - extent.xmin, extent.ymax - extent.ymin);
        if (!std::isfinite(side)) refuse("the polygon's extent is not finite: its sides overflow a double.");
        GeosGeometry shape = to_geos(value, chord_deviation(value));
        require_finite_extent(shape.get(), "input");
        if (GEOSisEmpty_r(geos(), shape.get()) != 0) {
            // Every ring is without area: the polygon is its outline, and its first vertex lies on it.
            for (const auto& part : value.parts) {
                if (!part->empty()) return new_point(part->point(0), value.has_z, value.has_m, value.spatial_reference);
            }
            return new_geometry(result_shape);
        }
        Vertex label = inscribed_centre(shape.get());
        bool inside = std::isfinite(label.x) && std::isfinite(label.y);
        if (inside) {
            GeosGeometry point = checked(GEOSGeom_createPointFromXY_r(geos(), label.x, label.y), "label point");
            inside = checked(GEOSContains_r(geos(), shape.get(), point.get()), "label point");
        }
        if (!inside) label = point_on_surface(shape.get(), extent);
        if (!std::isfinite(label.x) || !std::isfinite(label.y)) refuse("the polygon has no point whose x and y are finite numbers.");
        return new_point(Vertex{label.x, label.y}, value.has_z, value.has_m, value.spatial_reference);
    });
}
