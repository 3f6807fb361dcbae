// The Point family: creation and coordinates. A point without z or m answers NaN for it.
#include "geometry/geometry_value.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

GK_GeometryHandle create(const GK_ErrorHandler* handler, Vertex point, bool has_z, bool has_m,
                         GK_SpatialReferenceHandle spatial_reference) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_point(point, has_z, has_m, spatial_reference_argument(spatial_reference));
    });
}

}  // namespace

GK_GeometryHandle GK_Point_createWithXY(double x, double y, GK_EH) {
    return create(handler, {x, y}, false, false, nullptr);
}
GK_GeometryHandle GK_Point_createWithXYSpatialReference(double x, double y,
                                                        GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return create(handler, {x, y}, false, false, spatial_reference);
}
GK_GeometryHandle GK_Point_createWithXYZ(double x, double y, double z, GK_EH) {
    return create(handler, {x, y, z}, true, false, nullptr);
}
GK_GeometryHandle GK_Point_createWithXYZSpatialReference(double x, double y, double z,
                                                         GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return create(handler, {x, y, z}, true, false, spatial_reference);
}
GK_GeometryHandle GK_Point_createWithM(double x, double y, double m, GK_EH) {
    return create(handler, {x, y, nan_value, m}, false, true, nullptr);
}
GK_GeometryHandle GK_Point_createWithMSpatialReference(double x, double y, double m,
                                                       GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return create(handler, {x, y, nan_value, m}, false, true, spatial_reference);
}
GK_GeometryHandle GK_Point_createWithZM(double x, double y, double z, double m, GK_EH) {
    return create(handler, {x, y, z, m}, true, true, nullptr);
}
GK_GeometryHandle GK_Point_createWithZMSpatialReference(double x, double y, double z, double m,
                                                        GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return create(handler, {x, y, z, m}, true, true, spatial_reference);
}

double GK_Point_getX(GK_GeometryHandle point, GK_EH) {
    return guarded<double>(handler, [&] { return geometry_of(point, geometry_type_point).point.x; });
}
double GK_Point_getY(GK_GeometryHandle point, GK_EH) {
    return guarded<double>(handler, [&] { return geometry_of(point, geometry_type_point).point.y; });
}
double GK_Point_getZ(GK_GeometryHandle point, GK_EH) {
    return guarded<double>(handler, [&] { return geometry_of(point, geometry_type_point).point.z; });
}
double GK_Point_getM(GK_GeometryHandle point, GK_EH) {
    return guarded<double>(handler, [&] { return geometry_of(point, geometry_type_point).point.m; });
}
