#include "geometry/elliptic_arc.hpp"

#include <cmath>
#include <numbers>

#include "failure.hpp"
#include "geometry/quadrature.hpp"

namespace geokern {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double two_pi = 2.0 * std::numbers::pi;

[[noreturn]] void refuse(const std::string& why) {
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", why);
}

void require_finite(double value, const char* what) {
    if (!std::isfinite(value)) refuse(std::string("the ") + what + " is not a finite number.");
}

void require_finite_xy(const Vertex& point, const char* what) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
        refuse(std::string("the ") + what + " has no finite x and y.");
    }
}

double wrap_pi(double angle) {
    return angle - two_pi * std::nearbyint(angle / two_pi);
}

// The direction of (x, y) in (-pi, pi]: atan2 answers -pi for a negative zero y.
double direction(double y, double x) {
    const double angle = std::atan2(y, x);
    return angle == -pi ? pi : angle;
}

// The shape of the ellipse, checked and brought to a ratio of at most 1.
struct Shape {
    double rotation, semi_major, ratio;
};

Shape checked_shape(double rotation, double semi_major, double ratio) {
    require_finite(rotation, "rotation angle");
    if (!(std::isfinite(semi_major) && semi_major > 0))
        refuse("the semi-major axis must be a positive number.");
    if (!(std::isfinite(ratio) && ratio > 0)) refuse("the minor/major ratio must be a positive number.");
    if (ratio > 1.0) return Shape{rotation + 0.5 * pi, semi_major * ratio, 1.0 / ratio};
    return Shape{rotation, semi_major, ratio};
}

// Eccentric anomaly of a polar angle and back; both maps are continuous, increasing and move by a full
// turn when their argument does, so differences keep the number of turns.
double param_of_polar(const Shape& shape, double polar) {
    const double local = polar - shape.rotation;
    if (shape.ratio == 1.0) return local;
    return local + wrap_pi(std::atan2(std::sin(local), shape.ratio * std::cos(local)) - local);
}

double polar_of_param(const Shape& shape, double param) {
    if (shape.ratio == 1.0) return param + shape.rotation;
    const double local = param + wrap_pi(std::atan2(shape.ratio * std::sin(param), std::cos(param)) - param);
    return local + shape.rotation;
}

// A raw angle difference in (-2 pi, 2 pi) turned into a sweep in the requested direction.
double directed_sweep(double raw, bool counter_clockwise) {
    double sweep = std::fmod(raw, two_pi);
    if (counter_clockwise && sweep <= 0) sweep += two_pi;
    if (!counter_clockwise && sweep >= 0) sweep -= two_pi;
    return sweep;
}

// Completes an arc whose centre and parameters are known with its polar angles.
EllipticArc from_params(double cx, double cy, const Shape& shape, double start_param, double sweep_param) {
    EllipticArc arc{cx, cy, shape.rotation, shape.semi_major, shape.ratio, 0, 0, start_param, sweep_param};
    arc.start_angle = polar_of_param(shape, start_param);
    if (shape.ratio == 1.0 || std::fabs(sweep_param) == two_pi) {
        arc.central_angle = sweep_param;
    } else {
        arc.central_angle = polar_of_param(shape, start_param + sweep_param) - arc.start_angle;
    }
    return arc;
}

EllipticArc circle_arc(double cx, double cy, double radius, double start_param, double sweep_param) {
    return from_params(cx, cy, Shape{0.0, radius, 1.0}, start_param, sweep_param);
}

}  // namespace

Vertex EllipticArc::point_at(double param) const {
    const double cos_t = std::cos(param), sin_t = std::sin(param);
    const double cos_r = std::cos(rotation), sin_r = std::sin(rotation);
    const double along = semi_major * cos_t, across = semi_minor() * sin_t;
    return Vertex{cx + along * cos_r - across * sin_r, cy + along * sin_r + across * cos_r, nan_value,
                  nan_value};
}

EllipticArc arc_with_center(double cx, double cy, double rotation, double semi_major, double ratio,
                            double start_angle, double central_angle) {
    require_finite(cx, "centre's x");
    require_finite(cy, "centre's y");
    require_finite(start_angle, "start angle");
    require_finite(central_angle, "central angle");
    if (std::fabs(central_angle) > two_pi) refuse("the central angle exceeds a full turn.");
    const Shape shape = checked_shape(rotation, semi_major, ratio);
    EllipticArc arc{cx, cy, shape.rotation, shape.semi_major, shape.ratio, start_angle, central_angle, 0, 0};
    arc.start_param = param_of_polar(shape, start_angle);
    const bool exact = shape.ratio == 1.0 || std::fabs(central_angle) == two_pi;
    arc.sweep_param =
        exact ? central_angle : param_of_polar(shape, start_angle + central_angle) - arc.start_param;
    return arc;
}

EllipticArc arc_from_endpoints(const Vertex& start, const Vertex& end, double rotation, bool minor,
                               bool counter_clockwise, double semi_major, double ratio) {
    require_finite_xy(start, "start point");
    require_finite_xy(end, "end point");
    Shape shape = checked_shape(rotation, semi_major, ratio);
    // Work from the start point in the ellipse's own axes, with the minor axis stretched to the major
    // one: the ellipse becomes a circle of radius semi_major and the parameter its polar angle.
    const double cos_r = std::cos(shape.rotation), sin_r = std::sin(shape.rotation);
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double ux = cos_r * dx + sin_r * dy;
    const double uy = (-sin_r * dx + cos_r * dy) / shape.ratio;
    const double chord = std::hypot(ux, uy);
    if (chord == 0) refuse("the start and end points coincide, which fixes no ellipse.");
    const double half = 0.5 * chord;
    double height_squared = shape.semi_major * shape.semi_major - half * half;
    if (height_squared <= 0) {
        shape.semi_major = half;
        height_squared = 0;
    }
    // The centre on the left of the chord gives the minor arc counter-clockwise.
    const double side = (minor == counter_clockwise) ? 1.0 : -1.0;
    const double height = side * std::sqrt(height_squared);
    const double ccx = 0.5 * ux - height * uy / chord;
    const double ccy = 0.5 * uy + height * ux / chord;
    const double start_param = direction(-ccy, -ccx);
    const double sweep =
        height_squared == 0 ? (counter_clockwise ? pi : -pi)
                            : directed_sweep(std::atan2(uy - ccy, ux - ccx) - start_param, counter_clockwise);
    const double lx = ccx, ly = ccy * shape.ratio;
    return from_params(start.x + cos_r * lx - sin_r * ly, start.y + sin_r * lx + cos_r * ly, shape,
                       start_param, sweep);
}

EllipticArc circular_arc_with_center(const Vertex& start, const Vertex& end, const Vertex& center, bool minor,
                                     bool counter_clockwise) {
    require_finite_xy(start, "start point");
    require_finite_xy(end, "end point");
    require_finite_xy(center, "centre");
    const double radius = std::hypot(start.x - center.x, start.y - center.y);
    if (!(radius > 0)) refuse("the start point lies on the centre.");
    const double end_radius = std::hypot(end.x - center.x, end.y - center.y);
    if (std::fabs(end_radius - radius) > 1e-9 * radius) {
        refuse("the end point does not lie on the circle through the start point.");
    }
    const double start_param = direction(start.y - center.y, start.x - center.x);
    double sweep = 0;
    if (same_xy(start, end)) {
        sweep = minor ? 0.0 : (counter_clockwise ? two_pi : -two_pi);
    } else {
        sweep =
            directed_sweep(std::atan2(end.y - center.y, end.x - center.x) - start_param, counter_clockwise);
    }
    return circle_arc(center.x, center.y, radius, start_param, sweep);
}

std::optional<EllipticArc> circular_arc_through(const Vertex& start, const Vertex& end,
                                                const Vertex& interior) {
    require_finite_xy(start, "start point");
    require_finite_xy(end, "end point");
    require_finite_xy(interior, "interior point");
    const double bx = interior.x - start.x, by = interior.y - start.y;
    if (same_xy(start, end)) {
        if (bx == 0 && by == 0) refuse("the start, end and interior points coincide.");
        const double cx = start.x + 0.5 * bx, cy = start.y + 0.5 * by;
        return circle_arc(cx, cy, 0.5 * std::hypot(bx, by), direction(-by, -bx), two_pi);
    }
    const double ex = end.x - start.x, ey = end.y - start.y;
    const double cross = bx * ey - by * ex;
    const double b_squared = bx * bx + by * by, e_squared = ex * ex + ey * ey;
    if (std::fabs(cross) <= 1e-12 * std::sqrt(b_squared * e_squared)) {
        const double along = bx * ex + by * ey;
        if (b_squared > 0 && along > 0 && along < e_squared && !same_xy(interior, end)) return std::nullopt;
        refuse(
            "the start, end and interior points are collinear and the interior point is not between the "
            "ends.");
    }
    // Circumcentre relative to the start point.
    const double d = 2.0 * (bx * ey - by * ex);
    const double ux = (ey * b_squared - by * e_squared) / d;
    const double uy = (bx * e_squared - ex * b_squared) / d;
    const double start_param = direction(-uy, -ux);
    // The arc runs from start through interior to end: counter-clockwise when that triangle turns left.
    const bool counter_clockwise = cross > 0;
    const double sweep = directed_sweep(std::atan2(ey - uy, ex - ux) - start_param, counter_clockwise);
    return circle_arc(start.x + ux, start.y + uy, std::hypot(ux, uy), start_param, sweep);
}

EllipticArc refit_arc(const EllipticArc& arc, const Vertex& start, const Vertex& end) {
    if (same_xy(start, end)) {
        // A closed arc keeps its shape and moves with its end points.
        const Vertex old_start = arc.start_point();
        EllipticArc moved = arc;
        moved.cx += start.x - old_start.x;
        moved.cy += start.y - old_start.y;
        return moved;
    }
    return arc_from_endpoints(start, end, arc.rotation, std::fabs(arc.central_angle) < pi,
                              arc.is_counter_clockwise(), arc.semi_major, arc.ratio);
}

Bounds arc_bounds(const EllipticArc& arc) {
    Bounds bounds;
    const Vertex first = arc.start_point(), last = arc.end_point();
    bounds.add(first.x, first.y);
    bounds.add(last.x, last.y);
    const double low = std::min(arc.start_param, arc.start_param + arc.sweep_param);
    const double high = std::max(arc.start_param, arc.start_param + arc.sweep_param);
    const double a = arc.semi_major, b = arc.semi_minor();
    const double cos_r = std::cos(arc.rotation), sin_r = std::sin(arc.rotation);
    // Parameters where x and where y reach their extremes, each with its opposite.
    const double x_extreme = std::atan2(-b * sin_r, a * cos_r);
    const double y_extreme = std::atan2(b * cos_r, a * sin_r);
    for (double candidate : {x_extreme, x_extreme + pi, y_extreme, y_extreme + pi}) {
        const double param = candidate + two_pi * std::ceil((low - candidate) / two_pi);
        if (param <= high) {
            const Vertex point = arc.point_at(param);
            bounds.add(point.x, point.y);
        }
    }
    return bounds;
}

double arc_length(const EllipticArc& arc) {
    const double sweep = std::fabs(arc.sweep_param);
    if (arc.is_circular()) return arc.semi_major * sweep;
    const double a = arc.semi_major, b = arc.semi_minor();
    const double low = std::min(arc.start_param, arc.start_param + arc.sweep_param);
    const auto speed = [a, b](double t) { return std::hypot(a * std::sin(t), b * std::cos(t)); };
    return integrate(speed, low, low + sweep);
}

}  // namespace geokern
