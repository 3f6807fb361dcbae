// The geodesic: GeographicLib's solution of the inverse and direct problems.
#include <GeographicLib/GeodesicLine.hpp>

#include <cmath>

#include "geodesy/geodetic_curve.hpp"

namespace geokern::geodesy {

namespace {

using GeographicLib::Geodesic;
using GeographicLib::GeodesicLine;

constexpr unsigned position_mask = Geodesic::LATITUDE | Geodesic::LONGITUDE | Geodesic::LONG_UNROLL;

class GeodesicSpan : public GeodeticSpan {
public:
    GeodesicSpan(const GeodeticCurve& curve, const FramePoint& start, const FramePoint& end)
        : curve_(curve),
          line_(curve.frame().geodesic().InverseLine(start.latitude, start.longitude, end.latitude, end.longitude,
                                                     position_mask | Geodesic::AZIMUTH | Geodesic::DISTANCE_IN)),
          meridian_longitude_(start.longitude) {
        // Between two points of one meridian the geodesic is the meridian: its longitude is kept exactly
        // rather than recomputed with a rounding error.
        on_meridian_ = start.longitude == end.longitude &&
                       (line_.Azimuth() == 0.0 || std::fabs(line_.Azimuth()) == 180.0);
        double latitude = 0.0, longitude = 0.0;
        line_.GenPosition(false, line_.Distance(), position_mask | Geodesic::AZIMUTH, latitude, longitude,
                          end_azimuth_, unused_, unused_, unused_, unused_, unused_);
    }
    double length() const override { return line_.Distance(); }
    double start_azimuth() const override { return line_.Azimuth(); }
    double end_azimuth() const override { return end_azimuth_; }
    FramePoint point_at(double distance) const override {
        double latitude = 0.0, longitude = 0.0, dummy = 0.0;
        line_.GenPosition(false, distance, position_mask, latitude, longitude, dummy, dummy, dummy, dummy, dummy,
                          dummy);
        return curve_.from_geographic(on_meridian_ ? meridian_longitude_ : longitude, latitude);
    }

private:
    const GeodeticCurve& curve_;
    GeodesicLine line_;
    double meridian_longitude_;
    bool on_meridian_ = false;
    double end_azimuth_ = 0.0;
    double unused_ = 0.0;
};

class GeodesicCurve : public GeodeticCurve {
public:
    using GeodeticCurve::GeodeticCurve;
    std::unique_ptr<GeodeticSpan> span(const FramePoint& start, const FramePoint& end) const override {
        return std::make_unique<GeodesicSpan>(*this, start, end);
    }
    double length(const FramePoint& start, const FramePoint& end) const override {
        double distance = 0.0;
        frame().geodesic().Inverse(start.latitude, start.longitude, end.latitude, end.longitude, distance);
        return distance;
    }
    FramePoint move(const FramePoint& start, double azimuth, double distance) const override {
        double latitude = 0.0, longitude = 0.0, dummy = 0.0;
        frame().geodesic().GenDirect(start.latitude, start.longitude, azimuth, false, distance, position_mask,
                                     latitude, longitude, dummy, dummy, dummy, dummy, dummy, dummy);
        return from_geographic(longitude, latitude);
    }
};

}  // namespace

std::unique_ptr<GeodeticCurve> make_geodesic_curve(GeodeticFramePointer frame) {
    return std::make_unique<GeodesicCurve>(std::move(frame));
}

}  // namespace geokern::geodesy
