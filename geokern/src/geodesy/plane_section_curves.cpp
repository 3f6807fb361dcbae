// The great elliptic and the normal section: arcs of the ellipse where a plane cuts the ellipsoid. They
// differ only in the plane: through the centre, or through the start point's normal.
#include <GeographicLib/Geocentric.hpp>

#include <cmath>
#include <numbers>

#include "geodesy/geodetic_curve.hpp"
#include "geodesy/plane_section.hpp"

namespace geokern::geodesy {

namespace {

constexpr double two_pi = 2.0 * std::numbers::pi;
// Below this sine of the angle between the vectors that fix the plane, the plane is taken as undefined.
constexpr double degenerate_sine = 1e-13;

// Which plane holds the curve from a point, given a second vector: the other end point or the direction
// of travel.
enum class PlaneRule { through_centre, through_normal };

// The plane's normal, oriented so that travel from `start` towards `toward` runs counter-clockwise about it;
// the meridian plane of the start point when the two vectors do not fix one (antipodal or coincident ends).
Vector3 plane_normal(PlaneRule rule, const Vector3& start, const Vector3& start_normal, const Vector3& toward) {
    const Vector3 base = rule == PlaneRule::through_centre ? unit(start) : start_normal;
    const Vector3 raw = cross(base, unit(toward));
    if (std::hypot(raw[0], raw[1], raw[2]) > degenerate_sine) return unit(raw);
    const Vector3 meridian = cross(start_normal, Vector3{0, 0, 1});
    return std::hypot(meridian[0], meridian[1], meridian[2]) > degenerate_sine ? unit(meridian) : Vector3{0, 1, 0};
}

class PlaneSectionCurve;

class PlaneSectionSpan : public GeodeticSpan {
public:
    PlaneSectionSpan(const PlaneSectionCurve& curve, const FramePoint& start, const PlaneSection& section,
                     double start_parameter, double end_parameter, const FramePoint& end);
    double length() const override { return length_; }
    double start_azimuth() const override { return start_azimuth_; }
    double end_azimuth() const override { return end_azimuth_; }
    FramePoint point_at(double distance) const override;

private:
    const PlaneSectionCurve& curve_;
    PlaneSection section_;
    FramePoint start_;
    double start_parameter_;
    double length_;
    double start_azimuth_;
    double end_azimuth_;
};

class PlaneSectionCurve : public GeodeticCurve {
public:
    PlaneSectionCurve(GeodeticFramePointer frame, PlaneRule rule)
        : GeodeticCurve(std::move(frame)), earth_(this->frame().semi_major_axis(), this->frame().flattening()),
          rule_(rule) {}

    std::unique_ptr<GeodeticSpan> span(const FramePoint& start, const FramePoint& end) const override {
        const Vector3 a = earth_centred(earth_, start.longitude, start.latitude);
        const Vector3 b = earth_centred(earth_, end.longitude, end.latitude);
        const Vector3 normal = surface_normal(start.longitude, start.latitude);
        const Vector3 chord{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const Vector3 toward = rule_ == PlaneRule::through_centre ? b : chord;
        const PlaneSection section(earth_, plane_normal(rule_, a, normal, toward), a);
        const double t1 = section.parameter_of(a);
        double sweep = section.parameter_of(b) - t1;
        if (chord == Vector3{0, 0, 0}) sweep = 0.0;
        sweep -= two_pi * std::floor(sweep / two_pi);
        return std::make_unique<PlaneSectionSpan>(*this, start, section, t1, t1 + sweep, end);
    }

    FramePoint move(const FramePoint& start, double azimuth, double distance) const override {
        const Vector3 a = earth_centred(earth_, start.longitude, start.latitude);
        const Vector3 normal = surface_normal(start.longitude, start.latitude);
        const Vector3 heading = direction_of(azimuth, start.longitude, start.latitude);
        const PlaneSection section(earth_, plane_normal(rule_, a, normal, heading), a);
        return at_parameter(section, section.parameter_after(section.parameter_of(a), distance), start.longitude);
    }

    // The point of the section at a parameter, its longitude continuous from `near_longitude`.
    FramePoint at_parameter(const PlaneSection& section, double t, double near_longitude) const {
        const Vector3 point = section.point_at(t);
        double latitude = 0.0, longitude = 0.0, height = 0.0;
        earth_.Reverse(point[0], point[1], point[2], latitude, longitude, height);
        longitude = near_longitude + GeographicLib::Math::AngDiff(near_longitude, longitude);
        return from_geographic(longitude, latitude);
    }

    const GeographicLib::Geocentric& earth() const { return earth_; }

private:
    GeographicLib::Geocentric earth_;
    PlaneRule rule_;
};

PlaneSectionSpan::PlaneSectionSpan(const PlaneSectionCurve& curve, const FramePoint& start,
                                   const PlaneSection& section, double start_parameter, double end_parameter,
                                   const FramePoint& end)
    : curve_(curve), section_(section), start_(start), start_parameter_(start_parameter),
      length_(section.arc_length(start_parameter, end_parameter)),
      start_azimuth_(azimuth_of(section.tangent_at(start_parameter), start.longitude, start.latitude)),
      end_azimuth_(azimuth_of(section.tangent_at(end_parameter), end.longitude, end.latitude)) {}

FramePoint PlaneSectionSpan::point_at(double distance) const {
    return curve_.at_parameter(section_, section_.parameter_after(start_parameter_, distance), start_.longitude);
}

}  // namespace

std::unique_ptr<GeodeticCurve> make_great_elliptic_curve(GeodeticFramePointer frame) {
    return std::make_unique<PlaneSectionCurve>(std::move(frame), PlaneRule::through_centre);
}

std::unique_ptr<GeodeticCurve> make_normal_section_curve(GeodeticFramePointer frame) {
    return std::make_unique<PlaneSectionCurve>(std::move(frame), PlaneRule::through_normal);
}

}  // namespace geokern::geodesy
