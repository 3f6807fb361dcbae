#include "curve_chords.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmor::formats {
namespace {

constexpr double kTurn = 2.0 * std::numbers::pi;

int clamp_chords(double chords) {
    if (!(chords >= 1.0)) return 1;
    return chords >= max_chords_per_curve ? max_chords_per_curve : static_cast<int>(std::ceil(chords));
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

template <class PointAt>
std::vector<WrittenVertex> sample(int chords, const WrittenVertex& start, const WrittenVertex& end,
                                  PointAt&& point_at) {
    std::vector<WrittenVertex> points;
    points.reserve(static_cast<std::size_t>(chords - 1));
    for (int i = 1; i < chords; ++i) {
        const double t = static_cast<double>(i) / chords;
        WrittenVertex point = point_at(t);
        point.z = lerp(start.z, end.z, t);
        point.m = lerp(start.m, end.m, t);
        points.push_back(point);
    }
    return points;
}

// An elliptic arc in the frame where its ellipse is a circle of radius `axis` (rotated back and
// stretched across by 1 / ratio). Its centre is derived from the end points, the axes and the flags,
// as the runtime core derives it (the stored centre is not authoritative); only a closed arc, whose
// end points fix nothing, keeps the stored one.
class EllipseFrame {
public:
    EllipseFrame(const core::EllipticArc& arc, const WrittenVertex& start, const WrittenVertex& end)
        : arc_(arc), cos_r_(std::cos(arc.rotation)), sin_r_(std::sin(arc.rotation)), radius_(arc.axis) {
        const bool closed = start.x == end.x && start.y == end.y;
        const Local p0 = local(start.x, start.y), p1 = local(end.x, end.y);
        center_ = closed ? local(arc.center_x, arc.center_y) : derived_center(p0, p1);
        from_ = angle(p0);
        sweep_ = closed ? kTurn : std::fmod(angle(p1) - from_, kTurn);
        if (sweep_ <= 0) sweep_ += kTurn;
        if (arc.clockwise) sweep_ -= kTurn;
    }

    double sweep() const { return sweep_; }
    double radius() const { return radius_; }
    // The point at the fraction t of the sweep.
    WrittenVertex at(double t) const {
        const double angle = from_ + t * sweep_;
        const double u = center_.u + radius_ * std::cos(angle);
        const double v = (center_.v + radius_ * std::sin(angle)) * arc_.ratio;
        return {u * cos_r_ - v * sin_r_, u * sin_r_ + v * cos_r_};
    }

private:
    struct Local {
        double u, v;
    };
    Local local(double x, double y) const {
        return {x * cos_r_ + y * sin_r_, (-x * sin_r_ + y * cos_r_) / arc_.ratio};
    }
    double angle(Local p) const { return std::atan2(p.v - center_.v, p.u - center_.u); }

    // On the left of the chord for a counter-clockwise minor arc or a clockwise major one; a chord
    // longer than the diameter widens the circle to it.
    Local derived_center(Local p0, Local p1) {
        const double mu = (p0.u + p1.u) / 2, mv = (p0.v + p1.v) / 2;
        const double du = p1.u - p0.u, dv = p1.v - p0.v;
        const double half = std::hypot(du, dv) / 2;
        if (!(half > 0.0)) return local(arc_.center_x, arc_.center_y);
        radius_ = std::max(radius_, half);
        const double offset = std::sqrt(std::max(0.0, radius_ * radius_ - half * half));
        const double side = arc_.minor != arc_.clockwise ? 1.0 : -1.0;
        return {mu - side * offset * dv / (2 * half), mv + side * offset * du / (2 * half)};
    }

    const core::EllipticArc& arc_;
    double cos_r_, sin_r_;
    double radius_;
    Local center_{};
    double from_ = 0;
    double sweep_ = 0;
};

}  // namespace

// An elliptic arc is an affine image of a circle of radius a, so a chord of parameter step h strays at
// most a (1 - cos(h / 2)) from it.
std::vector<WrittenVertex> curve_chords(const WrittenVertex& start, const core::EllipticArc& arc,
                                        const WrittenVertex& end, ChordDeviation allowed) {
    if (!(arc.ratio > 0.0) || !(arc.axis > 0.0)) return {};
    const EllipseFrame frame(arc, start, end);
    const double sweep = std::fabs(frame.sweep());
    if (!std::isfinite(sweep) || !std::isfinite(frame.radius())) return {};
    const double a = frame.radius();
    const double deviation = allowed.for_size(a);
    const double step = deviation > 0.0 && deviation < a ? 2.0 * std::acos(1.0 - deviation / a) : 2.0;
    // At least three chords for a whole turn, so a closed arc still encloses area.
    const int chords = std::max(clamp_chords(sweep / step), clamp_chords(sweep / (kTurn / 3.0)));
    return sample(chords, start, end, [&](double t) { return frame.at(t); });
}

WrittenVertex circular_midpoint(const WrittenVertex& start, const core::EllipticArc& arc, const WrittenVertex& end) {
    return EllipseFrame(arc, start, end).at(0.5);
}

// A chord of parameter step h of a cubic strays at most h^2 / 8 max |B''|, and |B''| is at most six
// times the larger second difference of the control polygon. That difference is at most the polygon's
// length, so a deviation relative to that length bounds the chords at sqrt(6 / (8 * fraction)).
std::vector<WrittenVertex> curve_chords(const WrittenVertex& start, const core::BezierCurve& curve,
                                        const WrittenVertex& end, ChordDeviation allowed) {
    const double ax = start.x - 2 * curve.control1_x + curve.control2_x;
    const double ay = start.y - 2 * curve.control1_y + curve.control2_y;
    const double bx = curve.control1_x - 2 * curve.control2_x + end.x;
    const double by = curve.control1_y - 2 * curve.control2_y + end.y;
    const double bend = 6.0 * std::max(std::hypot(ax, ay), std::hypot(bx, by));
    const double polygon = std::hypot(curve.control1_x - start.x, curve.control1_y - start.y) +
                           std::hypot(curve.control2_x - curve.control1_x, curve.control2_y - curve.control1_y) +
                           std::hypot(end.x - curve.control2_x, end.y - curve.control2_y);
    const double deviation = allowed.for_size(polygon);
    const int chords = deviation > 0.0 ? clamp_chords(std::sqrt(bend / (8.0 * deviation))) : 16;
    return sample(chords, start, end, [&](double t) {
        const double u = 1.0 - t;
        const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
        return WrittenVertex{b0 * start.x + b1 * curve.control1_x + b2 * curve.control2_x + b3 * end.x,
                             b0 * start.y + b1 * curve.control1_y + b2 * curve.control2_y + b3 * end.y};
    });
}

}  // namespace velmor::formats
