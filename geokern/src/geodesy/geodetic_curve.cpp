#include "geodesy/geodetic_curve.hpp"

#include <string>

#include "failure.hpp"

namespace geokern::geodesy {

CurveKind curve_kind_argument(GK_GeodeticCurveType code) {
    if (code < 0 || code > static_cast<GK_GeodeticCurveType>(CurveKind::shape_preserving)) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             "the geodetic curve type must be 0 (geodesic), 1 (loxodrome), 2 (great elliptic), 3 (normal section) "
             "or 4 (shape preserving): got " + std::to_string(code) + ".");
    }
    return static_cast<CurveKind>(code);
}

FramePoint GeodeticCurve::from_geographic(double longitude, double latitude) const {
    FramePoint point{longitude, latitude, longitude, latitude};
    frame_->from_geographic(point.x, point.y);
    return point;
}

std::unique_ptr<GeodeticCurve> make_curve(CurveKind kind, GeodeticFramePointer frame) {
    switch (kind) {
        case CurveKind::geodesic: return make_geodesic_curve(std::move(frame));
        case CurveKind::loxodrome: return make_loxodrome_curve(std::move(frame));
        case CurveKind::great_elliptic: return make_great_elliptic_curve(std::move(frame));
        case CurveKind::normal_section: return make_normal_section_curve(std::move(frame));
        case CurveKind::shape_preserving: return make_shape_preserving_curve(std::move(frame));
    }
    fail(GK_ERROR_INTERNAL, "internal error.", "unknown geodetic curve type.");
}

}  // namespace geokern::geodesy
