#pragma once

#include <GeographicLib/EllipticFunction.hpp>
#include <GeographicLib/Geocentric.hpp>

#include <array>

namespace geokern::geodesy {

using Vector3 = std::array<double, 3>;

// The ellipse where a plane cuts the ellipsoid, in earth-centred coordinates: centre C, semi-axes p >= q
// along unit vectors U and V with U x V the plane's normal, so that the point of parameter t,
// C + p cos t U + q sin t V, runs counter-clockwise about the normal as t grows. Arc lengths are
// incomplete elliptic integrals of the second kind.
class PlaneSection {
public:
    // The plane of unit normal `normal` through `on_plane`, a point of the ellipsoid.
    PlaneSection(const GeographicLib::Geocentric& earth, const Vector3& normal, const Vector3& on_plane);

    Vector3 point_at(double t) const;
    // The direction of travel (not of unit length) at parameter t.
    Vector3 tangent_at(double t) const;
    // The parameter of a point of the ellipse.
    double parameter_of(const Vector3& point) const;
    // The arc length from parameter t1 to t2 (negative when t2 < t1), and the parameter reached from t1
    // after an arc of that length.
    double arc_length(double t1, double t2) const;
    double parameter_after(double t1, double length) const;

private:
    Vector3 centre_{}, major_{}, minor_{};
    double p_ = 0.0, q_ = 0.0;
    GeographicLib::EllipticFunction arc_;
};

Vector3 earth_centred(const GeographicLib::Geocentric& earth, double longitude, double latitude);
// The outward normal of the ellipsoid at a longitude/latitude, of unit length.
Vector3 surface_normal(double longitude, double latitude);
// The azimuth in degrees, clockwise from north, of a direction at a point of the ellipsoid.
double azimuth_of(const Vector3& direction, double longitude, double latitude);
// The horizontal unit direction of an azimuth at a point.
Vector3 direction_of(double azimuth, double longitude, double latitude);

Vector3 cross(const Vector3& a, const Vector3& b);
double dot(const Vector3& a, const Vector3& b);
// The vector scaled to unit length; the zero vector stays zero.
Vector3 unit(const Vector3& v);

}  // namespace geokern::geodesy
