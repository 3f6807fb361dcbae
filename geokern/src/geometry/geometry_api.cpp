// The Geometry family: what every geometry answers. (JSON text comes with the JSON support.)
#include "geometry/geometry_value.hpp"
#include "geometry/point_handles.hpp"
#include "report.hpp"

using namespace geokern;

void GK_Geometry_destroy(GK_GeometryHandle geometry, GK_EH) {
    guarded<void>(handler, [&] { release_geometry_handle(geometry); });
}

int32_t GK_Geometry_getDimension(GK_GeometryHandle geometry, GK_EH) {
    return guarded<int32_t>(handler, [&] { return dimension_of(value_of(geometry)); });
}

// The extent includes the bulge of curves, and z and m ranges where the geometry has them.
GK_GeometryHandle GK_Geometry_getExtent(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        return new_geometry(
            envelope_value(extent_of(value), value.has_z, value.has_m, value.spatial_reference));
    });
}

GK_Bool GK_Geometry_getHasCurves(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{has_curves(value_of(geometry))}; });
}

GK_Bool GK_Geometry_getHasM(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(geometry).has_m}; });
}

GK_Bool GK_Geometry_getHasZ(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(geometry).has_z}; });
}

GK_Bool GK_Geometry_getIsEmpty(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{is_empty(value_of(geometry))}; });
}

GK_GeometryType GK_Geometry_getObjectType(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_GeometryType>(handler, [&] { return value_of(geometry).type; });
}

GK_SpatialReferenceHandle GK_Geometry_getSpatialReference(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(
        handler, [&] { return spatial_reference_result(value_of(geometry).spatial_reference); });
}

GK_Bool GK_Geometry_equals(GK_GeometryHandle geometry, GK_GeometryHandle other, GK_EH) {
    return guarded<GK_Bool>(handler,
                            [&] { return GK_Bool{near_geometry(value_of(geometry), value_of(other), 0.0)}; });
}

GK_Bool GK_Geometry_equalsWithTolerance(GK_GeometryHandle geometry, GK_GeometryHandle other, double tolerance,
                                        GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        if (!(tolerance >= 0))
            fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the tolerance must not be negative.");
        return GK_Bool{near_geometry(value_of(geometry), value_of(other), tolerance)};
    });
}

// Equal geometries have equal hashes (the spatial reference is left out).
uint64_t GK_Geometry_getHash(GK_GeometryHandle geometry, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return geometry_hash(value_of(geometry)); });
}
