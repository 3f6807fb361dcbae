#include "geometry/cubic_bezier.hpp"

#include <algorithm>
#include <cmath>

#include "geometry/quadrature.hpp"

namespace geokern {
namespace {

// One coordinate of the curve: its four control values.
struct Axis {
    double p0, p1, p2, p3;
    double at(double t) const {
        const double s = 1 - t;
        return s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3;
    }
    double derivative(double t) const {
        const double s = 1 - t;
        return 3 * (s * s * (p1 - p0) + 2 * s * t * (p2 - p1) + t * t * (p3 - p2));
    }
};

// The control values scaled by a power of two (exact) to at most 1 in size: the roots of the derivative
// do not change, and the coefficients below cannot overflow however large the curve.
Axis unit_scaled(const Axis& axis) {
    const double largest = std::max({std::fabs(axis.p0), std::fabs(axis.p1), std::fabs(axis.p2), std::fabs(axis.p3)});
    if (!(largest > 0.0) || !std::isfinite(largest)) return axis;
    const int exponent = -std::ilogb(largest) - 1;
    return Axis{std::ldexp(axis.p0, exponent), std::ldexp(axis.p1, exponent), std::ldexp(axis.p2, exponent),
                std::ldexp(axis.p3, exponent)};
}

// Roots in (0, 1) of the derivative a t^2 + b t + c (up to the factor 3).
template <class Visit>
void interior_extremes(const Axis& control, Visit&& visit) {
    const Axis axis = unit_scaled(control);
    const double a = -axis.p0 + 3 * axis.p1 - 3 * axis.p2 + axis.p3;
    const double b = 2 * (axis.p0 - 2 * axis.p1 + axis.p2);
    const double c = axis.p1 - axis.p0;
    const auto consider = [&](double t) {
        if (t > 0 && t < 1) visit(t);
    };
    if (std::fabs(a) <= 1e-14 * (std::fabs(b) + std::fabs(c))) {
        if (b != 0) consider(-c / b);
        return;
    }
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return;
    const double root = std::sqrt(discriminant);
    // The numerically stable pair of quadratic roots.
    const double q = -0.5 * (b + std::copysign(root, b));
    consider(q / a);
    if (q != 0) consider(c / q);
}

}  // namespace

Bounds bezier_bounds(const Vertex& start, const CubicBezier& curve, const Vertex& end) {
    const Axis x{start.x, curve.c1x, curve.c2x, end.x};
    const Axis y{start.y, curve.c1y, curve.c2y, end.y};
    Bounds bounds;
    bounds.add(start.x, start.y);
    bounds.add(end.x, end.y);
    interior_extremes(x, [&](double t) { bounds.add(x.at(t), y.at(t)); });
    interior_extremes(y, [&](double t) { bounds.add(x.at(t), y.at(t)); });
    return bounds;
}

double bezier_length(const Vertex& start, const CubicBezier& curve, const Vertex& end) {
    const Axis x{start.x, curve.c1x, curve.c2x, end.x};
    const Axis y{start.y, curve.c1y, curve.c2y, end.y};
    return integrate([&](double t) { return std::hypot(x.derivative(t), y.derivative(t)); }, 0.0, 1.0);
}

}  // namespace geokern
