// The loxodrome (rhumb line): GeographicLib's rhumb solutions.
#include "geodesy/geodetic_curve.hpp"

namespace geokern::geodesy {

namespace {

using GeographicLib::Rhumb;
using GeographicLib::RhumbLine;

constexpr unsigned position_mask = Rhumb::LATITUDE | Rhumb::LONGITUDE | Rhumb::LONG_UNROLL;

FramePoint walk(const GeodeticCurve& curve, const RhumbLine& line, double distance) {
    double latitude = 0.0, longitude = 0.0, dummy = 0.0;
    line.GenPosition(distance, position_mask, latitude, longitude, dummy);
    return curve.from_geographic(longitude, latitude);
}

class LoxodromeSpan : public GeodeticSpan {
public:
    LoxodromeSpan(const GeodeticCurve& curve, const FramePoint& start, double azimuth, double length)
        : curve_(curve), line_(curve.frame().rhumb().Line(start.latitude, start.longitude, azimuth)),
          length_(length) {}
    double length() const override { return length_; }
    double start_azimuth() const override { return line_.Azimuth(); }
    double end_azimuth() const override { return line_.Azimuth(); }
    FramePoint point_at(double distance) const override { return walk(curve_, line_, distance); }

private:
    const GeodeticCurve& curve_;
    RhumbLine line_;
    double length_;
};

class LoxodromeCurve : public GeodeticCurve {
public:
    using GeodeticCurve::GeodeticCurve;
    std::unique_ptr<GeodeticSpan> span(const FramePoint& start, const FramePoint& end) const override {
        double distance = 0.0, azimuth = 0.0;
        frame().rhumb().Inverse(start.latitude, start.longitude, end.latitude, end.longitude, distance, azimuth);
        return std::make_unique<LoxodromeSpan>(*this, start, azimuth, distance);
    }
    double length(const FramePoint& start, const FramePoint& end) const override {
        double distance = 0.0, azimuth = 0.0;
        frame().rhumb().Inverse(start.latitude, start.longitude, end.latitude, end.longitude, distance, azimuth);
        return distance;
    }
    FramePoint move(const FramePoint& start, double azimuth, double distance) const override {
        return walk(*this, frame().rhumb().Line(start.latitude, start.longitude, azimuth), distance);
    }
};

}  // namespace

std::unique_ptr<GeodeticCurve> make_loxodrome_curve(GeodeticFramePointer frame) {
    return std::make_unique<LoxodromeCurve>(std::move(frame));
}

}  // namespace geokern::geodesy
