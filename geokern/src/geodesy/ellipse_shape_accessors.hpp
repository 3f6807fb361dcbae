#pragma once

// The getters and setters that the geodesic ellipse and sector parameter families share, defined once
// for each family `Family` whose value keeps its ellipse in `ellipse`. Every setter checks its value
// before it changes anything.
#include "geodesy/ellipse_shape.hpp"
#include "report.hpp"

#define GEOKERN_ELLIPSE_SHAPE_ACCESSORS(Family)                                                                  \
    void GK_##Family##_destroy(GK_##Family##Handle parameters, GK_EH) {                                          \
        guarded<void>(handler, [&] { destroy_handle(parameters); });                                             \
    }                                                                                                            \
    GK_UnitHandle GK_##Family##_getAngularUnit(GK_##Family##Handle parameters, GK_EH) {                          \
        return guarded<GK_UnitHandle>(handler,                                                                   \
                                      [&] { return new_unit_handle(value_of(parameters).ellipse.angular_unit); }); \
    }                                                                                                            \
    GK_UnitHandle GK_##Family##_getLinearUnit(GK_##Family##Handle parameters, GK_EH) {                           \
        return guarded<GK_UnitHandle>(handler,                                                                   \
                                      [&] { return new_unit_handle(value_of(parameters).ellipse.linear_unit); }); \
    }                                                                                                            \
    double GK_##Family##_getAxisDirection(GK_##Family##Handle parameters, GK_EH) {                               \
        return guarded<double>(handler, [&] { return value_of(parameters).ellipse.axis_direction; });            \
    }                                                                                                            \
    GK_GeometryHandle GK_##Family##_getCenter(GK_##Family##Handle parameters, GK_EH) {                           \
        return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(value_of(parameters).ellipse.center); }); \
    }                                                                                                            \
    GK_GeometryType GK_##Family##_getGeometryType(GK_##Family##Handle parameters, GK_EH) {                       \
        return guarded<GK_GeometryType>(handler, [&] { return value_of(parameters).ellipse.geometry_type; });    \
    }                                                                                                            \
    int64_t GK_##Family##_getMaxPointCount(GK_##Family##Handle parameters, GK_EH) {                              \
        return guarded<int64_t>(handler, [&] { return value_of(parameters).ellipse.max_point_count; });          \
    }                                                                                                            \
    double GK_##Family##_getMaxSegmentLength(GK_##Family##Handle parameters, GK_EH) {                            \
        return guarded<double>(handler, [&] { return value_of(parameters).ellipse.max_segment_length; });        \
    }                                                                                                            \
    double GK_##Family##_getSemiAxis1Length(GK_##Family##Handle parameters, GK_EH) {                             \
        return guarded<double>(handler, [&] { return value_of(parameters).ellipse.semi_axis1_length; });         \
    }                                                                                                            \
    double GK_##Family##_getSemiAxis2Length(GK_##Family##Handle parameters, GK_EH) {                             \
        return guarded<double>(handler, [&] { return value_of(parameters).ellipse.semi_axis2_length; });         \
    }                                                                                                            \
    void GK_##Family##_setAngularUnit(GK_##Family##Handle parameters, GK_UnitHandle angular_unit, GK_EH) {       \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.angular_unit = geodesy::checked_unit(angular_unit, unit_type_angular);                       \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setLinearUnit(GK_##Family##Handle parameters, GK_UnitHandle linear_unit, GK_EH) {         \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.linear_unit = geodesy::checked_unit(linear_unit, unit_type_linear);                          \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setAxisDirection(GK_##Family##Handle parameters, double axis_direction, GK_EH) {          \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.axis_direction = geodesy::checked_angle("axis direction", axis_direction);                   \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setCenter(GK_##Family##Handle parameters, GK_GeometryHandle center, GK_EH) {              \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.center = geodesy::checked_center(center);                                                    \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setGeometryType(GK_##Family##Handle parameters, GK_GeometryType geometry_type, GK_EH) {   \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.geometry_type = geodesy::checked_output_type(geometry_type);                                 \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setMaxPointCount(GK_##Family##Handle parameters, int64_t max_point_count, GK_EH) {        \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.max_point_count = geodesy::checked_point_count(max_point_count);                             \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setMaxSegmentLength(GK_##Family##Handle parameters, double max_segment_length, GK_EH) {   \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.max_segment_length = geodesy::checked_length("max segment length", max_segment_length);      \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setSemiAxis1Length(GK_##Family##Handle parameters, double length, GK_EH) {                \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.semi_axis1_length = geodesy::checked_length("semi-axis 1 length", length);                   \
        });                                                                                                      \
    }                                                                                                            \
    void GK_##Family##_setSemiAxis2Length(GK_##Family##Handle parameters, double length, GK_EH) {                \
        guarded<void>(handler, [&] {                                                                             \
            auto& ellipse = value_of(parameters).ellipse;                                                        \
            ellipse.semi_axis2_length = geodesy::checked_length("semi-axis 2 length", length);                   \
        });                                                                                                      \
    }
