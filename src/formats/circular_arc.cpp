#include "circular_arc.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmor::formats {
namespace {

constexpr double full_turn = 2 * std::numbers::pi;
constexpr double steps_per_quarter = 32;

// The angle from `from` to `to` in the direction of `sign`, in (0, full turn].
double directed_angle(double from, double to, double sign) {
    double angle = std::fmod(sign * (to - from), full_turn);
    if (angle <= 0) angle += full_turn;
    return angle;
}

ArcCircle full_circle(const Coordinate& start, const Coordinate& interior) {
    ArcCircle circle;
    circle.center_x = (start.x + interior.x) / 2;
    circle.center_y = (start.y + interior.y) / 2;
    circle.radius = std::hypot(start.x - circle.center_x, start.y - circle.center_y);
    circle.start_angle = std::atan2(start.y - circle.center_y, start.x - circle.center_x);
    circle.sweep = full_turn;
    circle.interior_sweep = full_turn / 2;
    return circle;
}

// A value that runs linearly with the angle from start to interior and on from interior to end.
double along_arc(double fraction, double interior_fraction, double start, double interior, double end) {
    if (fraction <= interior_fraction) return start + (interior - start) * (fraction / interior_fraction);
    return interior + (end - interior) * ((fraction - interior_fraction) / (1 - interior_fraction));
}

// Points at infinity or NaN describe no circle.
std::optional<ArcCircle> finite(const ArcCircle& circle) {
    if (std::isfinite(circle.center_x) && std::isfinite(circle.center_y) && std::isfinite(circle.radius) &&
        std::isfinite(circle.sweep) && std::isfinite(circle.interior_sweep) && circle.radius > 0) {
        return circle;
    }
    return std::nullopt;
}

ArcCircle through_three_points(const Coordinate& start, const Coordinate& interior, const Coordinate& end,
                               double cross) {
    // The circumcenter, computed relative to the start point to keep the rounding small.
    const double bx = interior.x - start.x;
    const double by = interior.y - start.y;
    const double cx = end.x - start.x;
    const double cy = end.y - start.y;
    const double b2 = bx * bx + by * by;
    const double c2 = cx * cx + cy * cy;
    const double ux = (cy * b2 - by * c2) / (2 * cross);
    const double uy = (bx * c2 - cx * b2) / (2 * cross);

    ArcCircle circle;
    circle.center_x = start.x + ux;
    circle.center_y = start.y + uy;
    circle.radius = std::hypot(ux, uy);
    circle.start_angle = std::atan2(-uy, -ux);
    const double sign = cross > 0 ? 1.0 : -1.0;  // start, interior, end counter-clockwise: the arc is too
    const double end_angle = std::atan2(end.y - circle.center_y, end.x - circle.center_x);
    const double interior_angle = std::atan2(interior.y - circle.center_y, interior.x - circle.center_x);
    circle.sweep = sign * directed_angle(circle.start_angle, end_angle, sign);
    circle.interior_sweep = sign * directed_angle(circle.start_angle, interior_angle, sign);
    return circle;
}

}  // namespace

std::optional<ArcCircle> arc_circle(const Coordinate& start, const Coordinate& interior, const Coordinate& end) {
    const bool closed = start.x == end.x && start.y == end.y;
    const bool interior_on_end = (interior.x == start.x && interior.y == start.y) ||
                                 (interior.x == end.x && interior.y == end.y);
    if (interior_on_end) return std::nullopt;
    if (closed) return finite(full_circle(start, interior));
    const double cross = (interior.x - start.x) * (end.y - start.y) - (interior.y - start.y) * (end.x - start.x);
    if (cross == 0 || !std::isfinite(cross)) return std::nullopt;
    return finite(through_three_points(start, interior, end, cross));
}

void densify_arc(const Coordinate& start, const Coordinate& interior, const Coordinate& end,
                 std::vector<Coordinate>& out) {
    const auto circle = arc_circle(start, interior, end);
    if (!circle) {
        out.push_back(interior);
        out.push_back(end);
        return;
    }
    // The sweep of a quarter circle given by three points is pi / 2 only up to rounding; a step count a
    // hair above a whole number is that number.
    const double exact_steps = steps_per_quarter * std::fabs(circle->sweep) / (std::numbers::pi / 2);
    const int steps = std::max(1, static_cast<int>(std::ceil(exact_steps - 1e-9)));
    const Layout layout{start.layout.has_z && interior.layout.has_z && end.layout.has_z,
                        start.layout.has_m && interior.layout.has_m && end.layout.has_m};
    const double interior_fraction = circle->interior_sweep / circle->sweep;
    for (int k = 1; k < steps; ++k) {
        const double fraction = static_cast<double>(k) / steps;
        const double angle = circle->start_angle + circle->sweep * fraction;
        Coordinate c{circle->center_x + circle->radius * std::cos(angle),
                     circle->center_y + circle->radius * std::sin(angle), 0, 0, layout};
        if (layout.has_z) c.z = along_arc(fraction, interior_fraction, start.z, interior.z, end.z);
        if (layout.has_m) c.m = along_arc(fraction, interior_fraction, start.m, interior.m, end.m);
        out.push_back(c);
    }
    out.push_back(end);
}

double arc_segment_area(const Coordinate& start, const Coordinate& interior, const Coordinate& end) {
    const auto circle = arc_circle(start, interior, end);
    if (!circle) return 0;
    const double angle = std::fabs(circle->sweep);
    const double area = circle->radius * circle->radius / 2 * (angle - std::sin(angle));
    return circle->sweep > 0 ? area : -area;
}

}  // namespace velmor::formats
