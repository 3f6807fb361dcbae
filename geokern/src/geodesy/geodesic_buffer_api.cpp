// Geodesic buffers of one geometry and of a collection.
#include <algorithm>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/overlay.hpp"
#include "geodesy/geodesic_buffer.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "report.hpp"
#include "spatial/unit_definition.hpp"

using namespace geokern;

namespace {

// Metres per unit of a linear unit argument; no unit means metres.
double metres_per(GK_UnitHandle unit) { return geodesy::from_unit(1.0, *geodesy::unit_or_default(unit, unit_type_linear)); }

GeometryValue merged_buffers(std::vector<GeometryValue> buffers) {
    engine::OverlayInputs inputs(std::move(buffers));
    std::vector<engine::GeosGeometry> members;
    for (size_t i = 0; i < inputs.size(); ++i) members.push_back(inputs.geos_of(i));
    engine::GeosGeometry all = engine::geos_collection(std::move(members));
    engine::GeosGeometry merged = engine::checked(GEOSUnaryUnion_r(engine::geos(), all.get()), "union of buffers");
    return inputs.result(merged.get(), geometry_type_polygon);
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_bufferGeodetic(GK_GeometryHandle geometry, double distance,
                                                   GK_UnitHandle distance_unit, double max_deviation,
                                                   GK_GeodeticCurveType curve_type, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const double metres = metres_per(distance_unit);
        geodesy::check_geodesic_buffer_numbers(distance, max_deviation, metres);
        return new_geometry(
            geodesy::geodesic_buffer(value_of(geometry), distance * metres, max_deviation * metres, curve_type));
    });
}

// Distances broadcast as for planar buffers: geometry i takes distance i, and the last distance serves
// the geometries after it. With union_result, one polygon of all buffers together, else one polygon per
// geometry. The union is planar in the geometries' own coordinates: in a geographic system, buffers whose
// continuous longitudes lie a turn apart (either side of the antimeridian) touch without merging.
GK_ArrayHandle GK_GeometryEngine_bufferGeodeticCollection(GK_VectorHandle geometries, GK_VectorHandle distances,
                                                          GK_UnitHandle distance_unit, double max_deviation,
                                                          GK_GeodeticCurveType curve_type, GK_Bool union_result,
                                                          GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        const auto values = engine::geometries_of(geometries);
        const std::vector<double> numbers = engine::numbers_of(distances);
        const double metres = metres_per(distance_unit);
        if (values.empty()) return engine::geometry_array({});
        if (numbers.empty()) {
            engine::refuse("a buffer of " + std::to_string(values.size()) +
                           " geometries needs at least one distance: the distance vector is empty.");
        }
        for (double distance : numbers) geodesy::check_geodesic_buffer_numbers(distance, max_deviation, metres);
        std::vector<GeometryValue> buffers;
        for (size_t i = 0; i < values.size(); ++i) {
            const double distance = numbers[std::min(i, numbers.size() - 1)];
            buffers.push_back(
                geodesy::geodesic_buffer(*values[i], distance * metres, max_deviation * metres, curve_type));
        }
        if (union_result) return engine::geometry_array({merged_buffers(std::move(buffers))});
        return engine::geometry_array(std::move(buffers));
    });
}
