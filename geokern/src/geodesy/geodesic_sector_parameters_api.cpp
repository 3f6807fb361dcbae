// The GeodesicSectorParameters family: the settings of sectorGeodesic.
#include "geodesy/ellipse_shape_accessors.hpp"

using namespace geokern;
using geodesy::GeodesicSectorParametersValue;

GEOKERN_ELLIPSE_SHAPE_ACCESSORS(GeodesicSectorParameters)

GK_GeodesicSectorParametersHandle GK_GeodesicSectorParameters_create(GK_EH) {
    return guarded<GK_GeodesicSectorParametersHandle>(handler,
                                                      [&] { return make_handle<GK_GeodesicSectorParametersHandle>(); });
}

GK_GeodesicSectorParametersHandle GK_GeodesicSectorParameters_createWith(
    GK_UnitHandle angular_unit, double axis_direction, GK_GeometryHandle center, GK_GeometryType geometry_type,
    GK_UnitHandle linear_unit, int64_t max_point_count, double max_segment_length, double sector_angle,
    double semi_axis1_length, double semi_axis2_length, double start_direction, GK_EH) {
    return guarded<GK_GeodesicSectorParametersHandle>(handler, [&] {
        GeodesicSectorParametersValue value;
        value.ellipse = geodesy::ellipse_shape(angular_unit, axis_direction, center, geometry_type, linear_unit,
                                               max_point_count, max_segment_length, semi_axis1_length,
                                               semi_axis2_length);
        value.sector_angle = geodesy::checked_sector_angle(sector_angle, *value.ellipse.angular_unit);
        value.start_direction = geodesy::checked_angle("start direction", start_direction);
        return make_handle<GK_GeodesicSectorParametersHandle>(std::move(value));
    });
}

GK_GeodesicSectorParametersHandle GK_GeodesicSectorParameters_createWithCenterAndAxisLengthsAndSectorAngleAndStartDirection(
    GK_GeometryHandle center, double semi_axis1_length, double semi_axis2_length, double sector_angle,
    double start_direction, GK_EH) {
    return guarded<GK_GeodesicSectorParametersHandle>(handler, [&] {
        GeodesicSectorParametersValue value;
        value.ellipse.center = geodesy::checked_center(center);
        value.ellipse.semi_axis1_length = geodesy::checked_length("semi-axis 1 length", semi_axis1_length);
        value.ellipse.semi_axis2_length = geodesy::checked_length("semi-axis 2 length", semi_axis2_length);
        value.sector_angle = geodesy::checked_sector_angle(sector_angle, *value.ellipse.angular_unit);
        value.start_direction = geodesy::checked_angle("start direction", start_direction);
        return make_handle<GK_GeodesicSectorParametersHandle>(std::move(value));
    });
}

double GK_GeodesicSectorParameters_getSectorAngle(GK_GeodesicSectorParametersHandle parameters, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(parameters).sector_angle; });
}

double GK_GeodesicSectorParameters_getStartDirection(GK_GeodesicSectorParametersHandle parameters, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(parameters).start_direction; });
}

void GK_GeodesicSectorParameters_setSectorAngle(GK_GeodesicSectorParametersHandle parameters, double sector_angle,
                                                GK_EH) {
    guarded<void>(handler, [&] {
        GeodesicSectorParametersValue& value = value_of(parameters);
        value.sector_angle = geodesy::checked_sector_angle(sector_angle, *value.ellipse.angular_unit);
    });
}

void GK_GeodesicSectorParameters_setStartDirection(GK_GeodesicSectorParametersHandle parameters,
                                                   double start_direction, GK_EH) {
    guarded<void>(handler, [&] {
        value_of(parameters).start_direction = geodesy::checked_angle("start direction", start_direction);
    });
}
