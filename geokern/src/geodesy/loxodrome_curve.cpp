// The loxodrome (rhumb line): GeographicLib's rhumb solutions.
#include "geodesy/geodetic_curve.hpp"

#include <cmath>

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

struct Course {
    double distance = 0.0, azimuth = 0.0;
    FramePoint start;
};

bool at_pole(const FramePoint& point) { return std::fabs(point.latitude) >= 90.0; }

// A loxodrome to or from a pole has no course but the meridian through its other end: any other
// constant azimuth winds round the pole without reaching it. A pole's longitude is free, so the pole
// end takes the other end's longitude (GeographicLib would otherwise answer with a course a fraction
// of a degree off the meridian, winding round the pole near its end).
Course course(const Rhumb& rhumb, FramePoint start, FramePoint end) {
    if (at_pole(start) != at_pole(end)) {
        if (at_pole(start)) start.longitude = end.longitude;
        if (at_pole(end)) end.longitude = start.longitude;
    }
    Course found;
    found.start = start;
    rhumb.Inverse(start.latitude, start.longitude, end.latitude, end.longitude, found.distance, found.azimuth);
    return found;
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
        const Course found = course(frame().rhumb(), start, end);
        return std::make_unique<LoxodromeSpan>(*this, found.start, found.azimuth, found.distance);
    }
    double length(const FramePoint& start, const FramePoint& end) const override {
        return course(frame().rhumb(), start, end).distance;
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
