// Geodesic ellipses and sectors from their parameter objects.
#include "geodesy/geodesic_ellipse.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

double degrees_of(double angle, const UnitDefinition& angular_unit) {
    return convert(angle, angular_unit, *find_unit(9102));
}

}  // namespace

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
        const geodesy::SectorSweep sweep{degrees_of(value.start_direction, unit), degrees_of(value.sector_angle, unit)};
        return new_geometry(
            geodesy::geodesic_ellipse(value.ellipse, sweep, spatial_reference_argument(spatial_reference)));
    });
}
