#include "circular_arc_geometry.hpp"

#include <cmath>
#include <numbers>

namespace velmor::formats {
namespace {

constexpr double kTurn = 2.0 * std::numbers::pi;

// The angle from `from` to `to` going counter-clockwise, in [0, 2 pi).
double ccw_angle(double from, double to) {
    const double angle = std::fmod(to - from, kTurn);
    return angle < 0 ? angle + kTurn : angle;
}

std::optional<ArcCircle> full_circle(double start_x, double start_y, double interior_x, double interior_y) {
    const double cx = (start_x + interior_x) / 2.0;
    const double cy = (start_y + interior_y) / 2.0;
    const double radius = std::hypot(start_x - cx, start_y - cy);
    if (!(radius > 0.0) || !std::isfinite(radius)) return std::nullopt;
    return ArcCircle{cx, cy, radius, std::atan2(start_y - cy, start_x - cx), kTurn, interior_x, interior_y};
}

}  // namespace

double ArcCircle::bulge_area() const { return radius * radius / 2.0 * (sweep - std::sin(sweep)); }

std::optional<ArcCircle> arc_circle(double start_x, double start_y, double interior_x, double interior_y,
                                    double end_x, double end_y) {
    if (start_x == end_x && start_y == end_y) return full_circle(start_x, start_y, interior_x, interior_y);
    // The circumcentre, relative to the start for accuracy far from the origin.
    const double bx = interior_x - start_x, by = interior_y - start_y;
    const double cx = end_x - start_x, cy = end_y - start_y;
    const double d = 2.0 * (bx * cy - by * cx);
    if (d == 0.0 || !std::isfinite(d)) return std::nullopt;
    const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const double ux = (cy * b2 - by * c2) / d, uy = (bx * c2 - cx * b2) / d;
    const double radius = std::hypot(ux, uy);
    if (!std::isfinite(radius)) return std::nullopt;
    const double center_x = start_x + ux, center_y = start_y + uy;
    const double a0 = std::atan2(start_y - center_y, start_x - center_x);
    const double to_interior = ccw_angle(a0, std::atan2(interior_y - center_y, interior_x - center_x));
    const double to_end = ccw_angle(a0, std::atan2(end_y - center_y, end_x - center_x));
    // Counter-clockwise when the interior point comes before the end on the way round.
    const double sweep = to_interior < to_end ? to_end : to_end - kTurn;
    // A counter-clockwise arc bulges to the right of its chord, a clockwise one to the left.
    const double side = sweep > 0 ? 1.0 : -1.0;
    const double length = std::hypot(cx, cy);
    const double mid_x = center_x + side * radius * cy / length;
    const double mid_y = center_y - side * radius * cx / length;
    return ArcCircle{center_x, center_y, radius, a0, sweep, mid_x, mid_y};
}

}  // namespace velmor::formats
