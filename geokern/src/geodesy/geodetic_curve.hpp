#pragma once

#include <cstdint>
#include <memory>

#include "geodesy/geodetic_frame.hpp"
#include "interface.hpp"

namespace geokern::geodesy {

// The kinds of line drawn between two points on the ellipsoid, by their interface codes.
enum class CurveKind : GK_GeodeticCurveType {
    geodesic = 0,          // the shortest path
    loxodrome = 1,         // constant azimuth
    great_elliptic = 2,    // section by the plane through the ellipsoid's centre and both end points
    normal_section = 3,    // section by the plane through the normal at the start point and the end point
    shape_preserving = 4,  // straight in the system's own coordinates, measured on the ellipsoid
};

// A curve type argument; any other code is refused with a message that lists the valid ones.
CurveKind curve_kind_argument(GK_GeodeticCurveType code);

// A point both in the system's coordinates and as longitude/latitude degrees.
struct FramePoint {
    double x = 0.0, y = 0.0;
    double longitude = 0.0, latitude = 0.0;
};

// The curve between two points. Azimuths are degrees clockwise from north in the direction of travel.
class GeodeticSpan {
public:
    virtual ~GeodeticSpan() = default;
    virtual double length() const = 0;
    virtual double start_azimuth() const = 0;
    virtual double end_azimuth() const = 0;
    // The point `distance` metres from the start along the curve (beyond its ends it goes on where the
    // curve does). Longitudes run on continuously from the start's.
    virtual FramePoint point_at(double distance) const = 0;
};

// One kind of curve on one frame.
class GeodeticCurve {
public:
    explicit GeodeticCurve(GeodeticFramePointer frame) : frame_(std::move(frame)) {}
    virtual ~GeodeticCurve() = default;
    GeodeticCurve(const GeodeticCurve&) = delete;
    GeodeticCurve& operator=(const GeodeticCurve&) = delete;

    const GeodeticFrame& frame() const { return *frame_; }
    virtual std::unique_ptr<GeodeticSpan> span(const FramePoint& start, const FramePoint& end) const = 0;
    // The length alone, for curves that have a cheaper way to it than a whole span.
    virtual double length(const FramePoint& start, const FramePoint& end) const { return span(start, end)->length(); }
    // The point reached from `start` leaving at `azimuth` degrees and going `distance` metres along the curve.
    virtual FramePoint move(const FramePoint& start, double azimuth, double distance) const = 0;

    // A point given as longitude/latitude, with its coordinates in the system filled in.
    FramePoint from_geographic(double longitude, double latitude) const;

private:
    GeodeticFramePointer frame_;
};

std::unique_ptr<GeodeticCurve> make_curve(CurveKind kind, GeodeticFramePointer frame);

// The curves, each in its own file.
std::unique_ptr<GeodeticCurve> make_geodesic_curve(GeodeticFramePointer frame);
std::unique_ptr<GeodeticCurve> make_loxodrome_curve(GeodeticFramePointer frame);
std::unique_ptr<GeodeticCurve> make_great_elliptic_curve(GeodeticFramePointer frame);
std::unique_ptr<GeodeticCurve> make_normal_section_curve(GeodeticFramePointer frame);
std::unique_ptr<GeodeticCurve> make_shape_preserving_curve(GeodeticFramePointer frame);

}  // namespace geokern::geodesy
