// autoComplete: the polygons that new boundary lines close off against existing polygons.
//
// The existing polygons' rings and the new polylines are noded together and polygonized (GEOS). A face
// is returned when it lies outside every existing polygon (its interior point is not covered by their
// union) and part of its boundary runs along a new line (so a gap already enclosed by existing polygons
// alone is not filled). Each face is its own polygon, clockwise with counter-clockwise holes, in GEOS's
// order. Lines that close nothing (dangles) add nothing. Existing polylines count as boundary lines too.
// z and m of face vertices come from the inputs' vertices or are interpolated on their segments.
#include <string>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/topology_support.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

GK_ArrayHandle GK_GeometryEngine_autoComplete(GK_VectorHandle existing_boundaries, GK_VectorHandle new_boundaries,
                                              GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        const auto existing = geometries_of(existing_boundaries);
        const auto lines = geometries_of(new_boundaries);
        SpatialReferenceRef spatial_reference;
        bool has_z = false, has_m = false;
        double deviation = 0.0;
        bool first = true;
        auto visit = [&](const GeometryValue& value, const char* which, size_t index, bool lines_only) {
            const bool allowed = lines_only ? value.type == geometry_type_polyline : dimension_of(value) > 0;
            if (!allowed) {
                refuse(std::string(which) + " " + std::to_string(index) + " must be a " +
                       (lines_only ? "polyline" : "polygon or polyline") + ": got a " + geometry_type_name(value.type) + ".");
            }
            if (!finite_coordinates(value)) {
                refuse(std::string(which) + " " + std::to_string(index) + " has a NaN or infinite coordinate.");
            }
            GeometryValue carrier;
            carrier.spatial_reference = spatial_reference;
            spatial_reference = joint_spatial_reference(carrier, value);
            has_z = has_z || value.has_z;
            has_m = has_m || value.has_m;
            if (is_empty(value)) return;
            const double own = chord_deviation(value);
            deviation = first ? own : std::min(deviation, own);
            first = false;
        };
        for (size_t i = 0; i < existing.size(); ++i) visit(*existing[i], "existing boundary", i, false);
        for (size_t i = 0; i < lines.size(); ++i) visit(*lines[i], "new boundary", i, true);
        if (first) return geometry_array({});

        VertexAttributes attributes;
        std::vector<GeosGeometry> areas, linework, added;
        for (const auto& value : existing) {
            if (is_empty(*value)) continue;
            const GeometryValue polygon = polygon_of_envelope(*value);
            attributes.add(polygon, deviation);
            GeosGeometry form = to_geos(polygon, deviation);
            if (polygon.type == geometry_type_polygon) {
                // Union and boundary need a valid area: a self-crossing ring keeps every lobe.
                if (!checked(GEOSisValid_r(geos(), form.get()), "auto-complete")) form = made_valid(form.get());
                linework.push_back(checked(GEOSBoundary_r(geos(), form.get()), "auto-complete"));
                areas.push_back(std::move(form));
            } else {
                linework.push_back(std::move(form));
            }
        }
        for (const auto& value : lines) {
            if (is_empty(*value)) continue;
            attributes.add(*value, deviation);
            linework.push_back(to_geos(*value, deviation));
            added.push_back(to_geos(*value, deviation));
        }
        if (added.empty()) return geometry_array({});
        GeosGeometry all_lines = checked(
            GEOSUnaryUnion_r(geos(), geos_collection(GEOS_GEOMETRYCOLLECTION, std::move(linework)).get()), "auto-complete");
        // Relate takes no collections of mixed parts: the new lines as one multi line string.
        GeosGeometry new_lines = checked(
            GEOSUnaryUnion_r(geos(), geos_collection(GEOS_GEOMETRYCOLLECTION, std::move(added)).get()), "auto-complete");
        GeosGeometry covered = checked(
            GEOSUnaryUnion_r(geos(), geos_collection(GEOS_GEOMETRYCOLLECTION, std::move(areas)).get()), "auto-complete");
        const GEOSGeometry* input[] = {all_lines.get()};
        GeosGeometry faces = checked(GEOSPolygonize_r(geos(), input, 1), "auto-complete");

        const ResultShape shape{geometry_type_polygon, has_z, has_m, spatial_reference, &attributes};
        std::vector<GeometryValue> result;
        const int count = GEOSGetNumGeometries_r(geos(), faces.get());
        for (int i = 0; i < count; ++i) {
            const GEOSGeometry* face = GEOSGetGeometryN_r(geos(), faces.get(), i);
            GeosGeometry probe = checked(GEOSPointOnSurface_r(geos(), face), "auto-complete");
            if (checked(GEOSIntersects_r(geos(), covered.get(), probe.get()), "auto-complete")) continue;
            // Boundary of the face against the interior of the new lines: a shared stretch, not a point.
            if (!checked(GEOSRelatePattern_r(geos(), face, new_lines.get(), "***1*****"), "auto-complete")) continue;
            result.push_back(from_geos(face, shape));
        }
        return geometry_array(std::move(result));
    });
}
