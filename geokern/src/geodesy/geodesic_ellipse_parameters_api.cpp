// The GeodesicEllipseParameters family: the settings of ellipseGeodesic.
#include "geodesy/ellipse_shape_accessors.hpp"

using namespace geokern;
using geodesy::GeodesicEllipseParametersValue;

GEOKERN_ELLIPSE_SHAPE_ACCESSORS(GeodesicEllipseParameters)

GK_GeodesicEllipseParametersHandle GK_GeodesicEllipseParameters_create(GK_EH) {
    return guarded<GK_GeodesicEllipseParametersHandle>(handler,
                                                       [&] { return make_handle<GK_GeodesicEllipseParametersHandle>(); });
}

GK_GeodesicEllipseParametersHandle GK_GeodesicEllipseParameters_createWith(
    GK_UnitHandle angular_unit, double axis_direction, GK_GeometryHandle center, GK_GeometryType geometry_type,
    GK_UnitHandle linear_unit, int64_t max_point_count, double max_segment_length, double semi_axis1_length,
    double semi_axis2_length, GK_EH) {
    return guarded<GK_GeodesicEllipseParametersHandle>(handler, [&] {
        return make_handle<GK_GeodesicEllipseParametersHandle>(GeodesicEllipseParametersValue{
            geodesy::ellipse_shape(angular_unit, axis_direction, center, geometry_type, linear_unit, max_point_count,
                                   max_segment_length, semi_axis1_length, semi_axis2_length)});
    });
}

GK_GeodesicEllipseParametersHandle GK_GeodesicEllipseParameters_createWithCenterAndAxisLengths(
    GK_GeometryHandle center, double semi_axis1_length, double semi_axis2_length, GK_EH) {
    return guarded<GK_GeodesicEllipseParametersHandle>(handler, [&] {
        GeodesicEllipseParametersValue value;
        value.ellipse.center = geodesy::checked_center(center);
        value.ellipse.semi_axis1_length = geodesy::checked_length("semi-axis 1 length", semi_axis1_length);
        value.ellipse.semi_axis2_length = geodesy::checked_length("semi-axis 2 length", semi_axis2_length);
        return make_handle<GK_GeodesicEllipseParametersHandle>(std::move(value));
    });
}
