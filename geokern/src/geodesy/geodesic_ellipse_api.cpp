// Geodesic ellipses and sectors from their parameter objects.
#include "geodesy/geodesic_ellipse.hpp"
#include "geodesy/geodetic_inputs.hpp"
#include "report.hpp"

using namespace geokern;

GK_GeometryHandle GK_GeometryEngine_ellipseGeodesic(GK_GeodesicEllipseParametersHandle parameters,
                                                    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(geodesy::geodesic_ellipse(value_of(parameters).ellipse, std::nullopt,
                                                      spatial_reference_argument(spatial_reference)));
    });
}

GK_GeometryHandle GK_GeometryEngine_sectorGeodesic(GK_GeodesicSectorParametersHandle parameters,
                                                   GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const geodesy::GeodesicSectorParametersValue& value = value_of(parameters);
        const UnitDefinition& unit = *value.ellipse.angular_unit;
        // The unit may have changed since the angle was set; the angle must still be at most a turn.
        geodesy::checked_sector_angle(value.sector_angle, unit);
        const geodesy::SectorSweep sweep{geodesy::degrees_from(value.start_direction, unit), geodesy::degrees_from(value.sector_angle, unit)};
        return new_geometry(
            geodesy::geodesic_ellipse(value.ellipse, sweep, spatial_reference_argument(spatial_reference)));
    });
}
