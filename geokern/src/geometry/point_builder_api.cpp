// The PointBuilder family. Setting z or m makes the point z- or m-aware. The three normalize functions
// live with the wrap-around range they use (projection/wrap_around_builder_api.cpp).
#include "geometry/builder_value.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

template <class Body>
auto with_point(const GK_ErrorHandler* handler, GK_GeometryBuilderHandle builder, Body&& body) {
    using Result = decltype(body(std::declval<GeometryBuilderValue&>()));
    return guarded<Result>(handler, [&] { return body(builder_of(builder, geometry_type_point)); });
}

}  // namespace

GK_GeometryBuilderHandle GK_PointBuilder_createFromPoint(GK_GeometryHandle point, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(
        handler, [&] { return make_handle<GK_GeometryBuilderHandle>(builder_for(point_value_of(point))); });
}

GK_GeometryBuilderHandle GK_PointBuilder_createFromSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        return make_handle<GK_GeometryBuilderHandle>(
            empty_builder(geometry_type_point, spatial_reference_argument(spatial_reference)));
    });
}

double GK_PointBuilder_getX(GK_GeometryBuilderHandle builder, GK_EH) {
    return with_point(handler, builder, [](GeometryBuilderValue& b) { return b.point.x; });
}
double GK_PointBuilder_getY(GK_GeometryBuilderHandle builder, GK_EH) {
    return with_point(handler, builder, [](GeometryBuilderValue& b) { return b.point.y; });
}
double GK_PointBuilder_getZ(GK_GeometryBuilderHandle builder, GK_EH) {
    return with_point(handler, builder, [](GeometryBuilderValue& b) { return b.point.z; });
}
double GK_PointBuilder_getM(GK_GeometryBuilderHandle builder, GK_EH) {
    return with_point(handler, builder, [](GeometryBuilderValue& b) { return b.point.m; });
}
void GK_PointBuilder_setX(GK_GeometryBuilderHandle builder, double x, GK_EH) {
    with_point(handler, builder, [x](GeometryBuilderValue& b) { b.point.x = x; });
}
void GK_PointBuilder_setY(GK_GeometryBuilderHandle builder, double y, GK_EH) {
    with_point(handler, builder, [y](GeometryBuilderValue& b) { b.point.y = y; });
}
void GK_PointBuilder_setZ(GK_GeometryBuilderHandle builder, double z, GK_EH) {
    with_point(handler, builder, [z](GeometryBuilderValue& b) {
        b.point.z = z;
        b.has_z = true;
    });
}
void GK_PointBuilder_setM(GK_GeometryBuilderHandle builder, double m, GK_EH) {
    with_point(handler, builder, [m](GeometryBuilderValue& b) {
        b.point.m = m;
        b.has_m = true;
    });
}
void GK_PointBuilder_setXY(GK_GeometryBuilderHandle builder, double x, double y, GK_EH) {
    with_point(handler, builder, [x, y](GeometryBuilderValue& b) {
        b.point.x = x;
        b.point.y = y;
    });
}
void GK_PointBuilder_offsetBy(GK_GeometryBuilderHandle builder, double delta_x, double delta_y, GK_EH) {
    with_point(handler, builder, [delta_x, delta_y](GeometryBuilderValue& b) {
        b.point.x += delta_x;
        b.point.y += delta_y;
    });
}
