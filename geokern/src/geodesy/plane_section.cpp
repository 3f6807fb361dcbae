#include "geodesy/plane_section.hpp"

#include <GeographicLib/Math.hpp>

#include <cmath>
#include <numbers>

namespace geokern::geodesy {

namespace {

constexpr double half_pi = std::numbers::pi / 2;

Vector3 add(const Vector3& a, const Vector3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vector3 scale(const Vector3& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
Vector3 subtract(const Vector3& a, const Vector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

// Any unit vector at right angles to a unit vector.
Vector3 perpendicular(const Vector3& n) {
    const Vector3 axis = std::fabs(n[2]) < 0.9 ? Vector3{0, 0, 1} : Vector3{1, 0, 0};
    return unit(cross(n, axis));
}

struct Symmetric2 {
    double a11, a12, a22;
};

}  // namespace

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vector3 unit(const Vector3& v) {
    const double length = std::hypot(v[0], v[1], v[2]);
    return length > 0.0 ? scale(v, 1.0 / length) : v;
}

Vector3 earth_centred(const GeographicLib::Geocentric& earth, double longitude, double latitude) {
    Vector3 point{};
    earth.Forward(latitude, longitude, 0.0, point[0], point[1], point[2]);
    return point;
}

Vector3 surface_normal(double longitude, double latitude) {
    double sin_lat = 0.0, cos_lat = 0.0, sin_lon = 0.0, cos_lon = 0.0;
    GeographicLib::Math::sincosd(latitude, sin_lat, cos_lat);
    GeographicLib::Math::sincosd(longitude, sin_lon, cos_lon);
    return {cos_lat * cos_lon, cos_lat * sin_lon, sin_lat};
}

double azimuth_of(const Vector3& direction, double longitude, double latitude) {
    double sin_lat = 0.0, cos_lat = 0.0, sin_lon = 0.0, cos_lon = 0.0;
    GeographicLib::Math::sincosd(latitude, sin_lat, cos_lat);
    GeographicLib::Math::sincosd(longitude, sin_lon, cos_lon);
    const Vector3 east{-sin_lon, cos_lon, 0.0};
    const Vector3 north{-sin_lat * cos_lon, -sin_lat * sin_lon, cos_lat};
    return GeographicLib::Math::atan2d(dot(direction, east), dot(direction, north));
}

Vector3 direction_of(double azimuth, double longitude, double latitude) {
    double sin_lat = 0.0, cos_lat = 0.0, sin_lon = 0.0, cos_lon = 0.0, sin_az = 0.0, cos_az = 0.0;
    GeographicLib::Math::sincosd(latitude, sin_lat, cos_lat);
    GeographicLib::Math::sincosd(longitude, sin_lon, cos_lon);
    GeographicLib::Math::sincosd(azimuth, sin_az, cos_az);
    const Vector3 east{-sin_lon, cos_lon, 0.0};
    const Vector3 north{-sin_lat * cos_lon, -sin_lat * sin_lon, cos_lat};
    return add(scale(east, sin_az), scale(north, cos_az));
}

// Points of the plane are on_plane + a e1 + b e2; the ellipsoid's equation x^T D x = 1 becomes a
// quadratic in (a, b), whose centre and principal axes are those of the section.
PlaneSection::PlaneSection(const GeographicLib::Geocentric& earth, const Vector3& normal, const Vector3& on_plane)
    : arc_(0.0) {
    const double a = earth.EquatorialRadius();
    const double b = a * (1.0 - earth.Flattening());
    const Vector3 d{1.0 / (a * a), 1.0 / (a * a), 1.0 / (b * b)};
    auto form = [&](const Vector3& u, const Vector3& v) { return u[0] * d[0] * v[0] + u[1] * d[1] * v[1] + u[2] * d[2] * v[2]; };
    const Vector3 e1 = perpendicular(normal);
    const Vector3 e2 = cross(normal, e1);
    const Symmetric2 m{form(e1, e1), form(e1, e2), form(e2, e2)};
    const double g1 = form(e1, on_plane), g2 = form(e2, on_plane);
    const double determinant = m.a11 * m.a22 - m.a12 * m.a12;
    const double c1 = -(m.a22 * g1 - m.a12 * g2) / determinant;
    const double c2 = -(m.a11 * g2 - m.a12 * g1) / determinant;
    const double k = c1 * (m.a11 * c1 + m.a12 * c2) + c2 * (m.a12 * c1 + m.a22 * c2) - (form(on_plane, on_plane) - 1.0);
    centre_ = add(on_plane, add(scale(e1, c1), scale(e2, c2)));
    // Eigenvalues mean -/+ r; the smaller belongs to the major axis.
    const double mean = (m.a11 + m.a22) / 2, half_difference = (m.a11 - m.a22) / 2;
    const double r = std::hypot(half_difference, m.a12);
    const double larger_angle = 0.5 * std::atan2(2.0 * m.a12, m.a11 - m.a22);
    const double major_angle = larger_angle + half_pi;
    major_ = unit(add(scale(e1, std::cos(major_angle)), scale(e2, std::sin(major_angle))));
    minor_ = cross(normal, major_);
    const double k_positive = std::max(k, 0.0);
    p_ = std::sqrt(k_positive / (mean - r));
    q_ = std::sqrt(k_positive / (mean + r));
    arc_.Reset(2.0 * r / (mean + r), 0.0);  // k^2 = 1 - q^2/p^2
}

Vector3 PlaneSection::point_at(double t) const {
    return add(centre_, add(scale(major_, p_ * std::cos(t)), scale(minor_, q_ * std::sin(t))));
}

Vector3 PlaneSection::tangent_at(double t) const {
    return add(scale(major_, -p_ * std::sin(t)), scale(minor_, q_ * std::cos(t)));
}

double PlaneSection::parameter_of(const Vector3& point) const {
    const Vector3 offset = subtract(point, centre_);
    if (!(q_ > 0.0)) return 0.0;
    return std::atan2(dot(offset, minor_) / q_, dot(offset, major_) / p_);
}

double PlaneSection::arc_length(double t1, double t2) const {
    return p_ * (arc_.E(t2 - half_pi) - arc_.E(t1 - half_pi));
}

double PlaneSection::parameter_after(double t1, double length) const {
    if (!(p_ > 0.0)) return t1;
    return arc_.Einv(arc_.E(t1 - half_pi) + length / p_) + half_pi;
}

}  // namespace geokern::geodesy
