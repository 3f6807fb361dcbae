// The CubicBezierSegment family. Control points are two-dimensional; z and m come from the end points.
#include <cmath>

#include "geometry/segment_building.hpp"
#include "report.hpp"

using namespace geokern;

GK_SegmentHandle GK_CubicBezierSegment_create(GK_GeometryHandle start_point, GK_GeometryHandle control_point1,
                                              GK_GeometryHandle control_point2, GK_GeometryHandle end_point,
                                              GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SegmentHandle>(handler, [&] {
        const Vertex first = point_value_of(control_point1).point;
        const Vertex second = point_value_of(control_point2).point;
        const GeometryValue& start = point_value_of(start_point);
        const GeometryValue& end = point_value_of(end_point);
        for (const Vertex* point : {&start.point, &end.point, &first, &second}) {
            if (!std::isfinite(point->x) || !std::isfinite(point->y)) {
                fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
                     "every point of a Bezier curve needs finite x and y.");
            }
        }
        return new_segment(start, end, Curve{CubicBezier{first.x, first.y, second.x, second.y}},
                           spatial_reference);
    });
}

GK_GeometryHandle GK_CubicBezierSegment_getControlPoint1(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        const CubicBezier& curve = cubic_bezier_of(value);
        return new_point(Vertex{curve.c1x, curve.c1y}, false, false, value.spatial_reference);
    });
}

GK_GeometryHandle GK_CubicBezierSegment_getControlPoint2(GK_SegmentHandle segment, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const SegmentValue& value = value_of(segment);
        const CubicBezier& curve = cubic_bezier_of(value);
        return new_point(Vertex{curve.c2x, curve.c2y}, false, false, value.spatial_reference);
    });
}
