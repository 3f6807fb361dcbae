#include "engine/proximity.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <variant>
#include <vector>

#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"
#include "engine/ring_groups.hpp"
#include "geometry/quadrature.hpp"

namespace geokern::engine {
namespace {

constexpr double two_pi = 2.0 * std::numbers::pi;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

struct Point2 {
    double x, y;
};

// A curve as position and velocity of its fraction t in [0, 1].
struct ArcCurve {
    const EllipticArc& arc;
    Point2 at(double t) const {
        const Vertex v = arc.point_at(arc.start_param + t * arc.sweep_param);
        return {v.x, v.y};
    }
    Point2 velocity(double t) const {
        const double param = arc.start_param + t * arc.sweep_param;
        const double along = -arc.semi_major * std::sin(param), across = arc.semi_minor() * std::cos(param);
        const double cos_r = std::cos(arc.rotation), sin_r = std::sin(arc.rotation);
        return {arc.sweep_param * (along * cos_r - across * sin_r), arc.sweep_param * (along * sin_r + across * cos_r)};
    }
};

struct BezierCurve {
    double x[4], y[4];
    BezierCurve(const Vertex& start, const CubicBezier& c, const Vertex& end)
        : x{start.x, c.c1x, c.c2x, end.x}, y{start.y, c.c1y, c.c2y, end.y} {}
    static double value(const double* p, double t) {
        const double s = 1.0 - t;
        return s * s * s * p[0] + 3 * s * s * t * p[1] + 3 * s * t * t * p[2] + t * t * t * p[3];
    }
    static double derivative(const double* p, double t) {
        const double s = 1.0 - t;
        return 3 * (s * s * (p[1] - p[0]) + 2 * s * t * (p[2] - p[1]) + t * t * (p[3] - p[2]));
    }
    Point2 at(double t) const { return {value(x, t), value(y, t)}; }
    Point2 velocity(double t) const { return {derivative(x, t), derivative(y, t)}; }
};

// The fraction of the nearest point of a smooth curve: the ends, and every point where the squared
// distance's derivative g(t) = (P(t) - p) . P'(t) turns from negative to positive between two grid
// fractions, bisected until the bracket stops shrinking. A grid point that is a discrete local minimum
// with no such turn next to it (a double root of g) is a candidate too.
template <class C>
double nearest_fraction(const C& curve, int intervals, double px, double py) {
    const auto distance2 = [&](double t) {
        const Point2 q = curve.at(t);
        return (q.x - px) * (q.x - px) + (q.y - py) * (q.y - py);
    };
    const auto slope = [&](double t) {
        const Point2 q = curve.at(t), v = curve.velocity(t);
        return (q.x - px) * v.x + (q.y - py) * v.y;
    };
    std::vector<double> ts(static_cast<size_t>(intervals) + 1), gs(ts.size()), ds(ts.size());
    for (size_t i = 0; i < ts.size(); ++i) {
        ts[i] = static_cast<double>(i) / intervals;
        gs[i] = slope(ts[i]);
        ds[i] = distance2(ts[i]);
    }
    double best_t = 0.0, best = ds[0];
    const auto consider = [&](double t, double d) {
        if (d < best) {
            best = d;
            best_t = t;
        }
    };
    consider(1.0, ds.back());
    for (size_t i = 0; i + 1 < ts.size(); ++i) {
        if (gs[i] < 0.0 && gs[i + 1] >= 0.0) {
            double lo = ts[i], hi = ts[i + 1];
            for (int step = 0; step < 200; ++step) {
                const double mid = 0.5 * (lo + hi);
                if (mid <= lo || mid >= hi) break;
                (slope(mid) < 0.0 ? lo : hi) = mid;
            }
            consider(lo, distance2(lo));
            consider(hi, distance2(hi));
        } else if (i > 0 && ds[i] <= ds[i - 1] && ds[i] <= ds[i + 1]) {
            consider(ts[i], ds[i]);
        }
    }
    return best_t;
}

// Fraction of a circular arc nearest to p: the direction of p from the centre when the arc covers it,
// else the nearer end.
double circle_fraction(const EllipticArc& arc, const Vertex& start, const Vertex& end, double px, double py) {
    const double dx = px - arc.cx, dy = py - arc.cy;
    const double sweep = std::fabs(arc.sweep_param);
    if ((dx != 0.0 || dy != 0.0) && sweep > 0.0) {
        const double angle = std::atan2(dy, dx) - arc.rotation;
        double ahead = std::fmod((angle - arc.start_param) * (arc.sweep_param < 0 ? -1.0 : 1.0), two_pi);
        if (ahead < 0.0) ahead += two_pi;
        if (ahead <= sweep) return ahead / sweep;
    }
    return std::hypot(start.x - px, start.y - py) <= std::hypot(end.x - px, end.y - py) ? 0.0 : 1.0;
}

double curve_fraction(const Vertex& start, const Curve& curve, const Vertex& end, double px, double py) {
    if (const auto* arc = std::get_if<EllipticArc>(&curve)) {
        if (arc->is_circular()) return circle_fraction(*arc, start, end, px, py);
        const int intervals = std::max(16, static_cast<int>(std::ceil(std::fabs(arc->sweep_param) / two_pi * 128.0)));
        return nearest_fraction(ArcCurve{*arc}, intervals, px, py);
    }
    return nearest_fraction(BezierCurve(start, std::get<CubicBezier>(curve), end), 64, px, py);
}

double speed_integral(const Vertex& start, const Curve& curve, const Vertex& end, double t) {
    if (const auto* arc = std::get_if<EllipticArc>(&curve)) {
        if (arc->is_circular()) return arc->semi_major * std::fabs(arc->sweep_param) * t;
        const ArcCurve c{*arc};
        return integrate([&](double u) { const Point2 v = c.velocity(u); return std::hypot(v.x, v.y); }, 0.0, t);
    }
    const BezierCurve c(start, std::get<CubicBezier>(curve), end);
    return integrate([&](double u) { const Point2 v = c.velocity(u); return std::hypot(v.x, v.y); }, 0.0, t);
}

double curve_speed(const Vertex& start, const Curve& curve, const Vertex& end, double t) {
    Point2 v;
    if (const auto* arc = std::get_if<EllipticArc>(&curve)) v = ArcCurve{*arc}.velocity(t);
    else v = BezierCurve(start, std::get<CubicBezier>(curve), end).velocity(t);
    return std::hypot(v.x, v.y);
}

// Even-odd rule over the rings' chord forms.
bool polygon_holds(const GeometryValue& polygon, double x, double y) {
    const double deviation = chord_deviation(polygon);
    bool inside = false;
    for (const auto& part : polygon.parts) {
        if (part->point_count() < 3 && !part->has_curves()) continue;
        if (ring_holds(linearize(*part, deviation), x, y)) inside = !inside;
    }
    return inside;
}

void take(NearestPoint& best, const Vertex& point, double px, double py, int64_t part, int64_t segment, double t) {
    const double distance = std::hypot(point.x - px, point.y - py);
    if (std::isnan(distance)) return;
    if (std::isnan(best.distance) || distance < best.distance) best = NearestPoint{point, distance, part, segment, t};
}

void nearest_in_part(NearestPoint& best, const PartValue& part, int64_t index, double px, double py) {
    if (part.point_count() == 1) {
        take(best, part.point(0), px, py, index, 0, 0.0);
        return;
    }
    for (int64_t segment = 0; segment < part.segment_count(); ++segment) {
        const Vertex start = part.point(segment), end = part.point(part.end_point_of(segment));
        const SegmentPosition at = nearest_on_segment(start, part.curve_of(segment), end, px, py);
        take(best, at.point, px, py, index, segment, at.t);
    }
}

void nearest_in_points(NearestPoint& best, const PartValue& points, double px, double py) {
    for (int64_t i = 0; i < points.point_count(); ++i) take(best, points.point(i), px, py, 0, i, 0.0);
}

// What both nearest searches share: a point or a multipoint answers with its own points and an envelope
// as its polygon; the parts of a polyline or polygon go to `search_parts`.
template <class PartsSearch>
NearestPoint nearest_by_type(const GeometryValue& geometry, double px, double py, const PartsSearch& search_parts) {
    if (geometry.type == geometry_type_envelope) {
        return nearest_by_type(polygon_of_envelope(geometry), px, py, search_parts);
    }
    NearestPoint best;
    if (geometry.type == geometry_type_point) {
        take(best, geometry.point, px, py, 0, 0, 0.0);
    } else if (geometry.type == geometry_type_multipoint) {
        nearest_in_points(best, *geometry.points, px, py);
    } else {
        search_parts(best, geometry);
    }
    return best;
}

}  // namespace

Vertex point_on_segment(const Vertex& start, const Curve* curve, const Vertex& end, double t) {
    if (t <= 0.0) return start;
    if (t >= 1.0) return end;
    Vertex point;
    if (curve == nullptr) {
        point.x = lerp(start.x, end.x, t);
        point.y = lerp(start.y, end.y, t);
    } else if (const auto* arc = std::get_if<EllipticArc>(curve)) {
        point = arc->point_at(arc->start_param + t * arc->sweep_param);
    } else {
        const Point2 q = BezierCurve(start, std::get<CubicBezier>(*curve), end).at(t);
        point.x = q.x;
        point.y = q.y;
    }
    point.z = lerp(start.z, end.z, t);
    point.m = lerp(start.m, end.m, t);
    return point;
}

SegmentPosition nearest_on_segment(const Vertex& start, const Curve* curve, const Vertex& end, double px, double py) {
    double t = 0.0;
    if (curve == nullptr) {
        const double dx = end.x - start.x, dy = end.y - start.y;
        const double length2 = dx * dx + dy * dy;
        if (length2 > 0.0) t = std::clamp(((px - start.x) * dx + (py - start.y) * dy) / length2, 0.0, 1.0);
        if (std::isnan(t)) t = 0.0;
    } else {
        t = curve_fraction(start, *curve, end, px, py);
    }
    SegmentPosition position{t, point_on_segment(start, curve, end, t), nan_value};
    position.distance = std::hypot(position.point.x - px, position.point.y - py);
    return position;
}

double length_to(const Vertex& start, const Curve* curve, const Vertex& end, double t) {
    if (t <= 0.0) return 0.0;
    t = std::min(t, 1.0);
    if (curve == nullptr) return t * std::hypot(end.x - start.x, end.y - start.y);
    return speed_integral(start, *curve, end, t);
}

double fraction_at_length(const Vertex& start, const Curve* curve, const Vertex& end, double length) {
    const double total = length_to(start, curve, end, 1.0);
    if (!(length > 0.0) || !(total > 0.0)) return 0.0;
    if (length >= total) return 1.0;
    if (curve == nullptr) return length / total;
    if (const auto* arc = std::get_if<EllipticArc>(curve); arc != nullptr && arc->is_circular()) return length / total;
    // Newton on the length, kept inside a shrinking bracket by bisection.
    double lo = 0.0, hi = 1.0, t = length / total;
    for (int step = 0; step < 100; ++step) {
        const double error = speed_integral(start, *curve, end, t) - length;
        if (std::fabs(error) <= 1e-15 * total) break;
        (error < 0.0 ? lo : hi) = t;
        const double speed = curve_speed(start, *curve, end, t);
        double next = speed > 0.0 ? t - error / speed : 0.5 * (lo + hi);
        if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
        if (next == t || hi - lo <= 1e-17) break;
        t = next;
    }
    return t;
}

NearestPoint nearest_coordinate(const GeometryValue& geometry, double px, double py) {
    return nearest_by_type(geometry, px, py, [&](NearestPoint& best, const GeometryValue& shape) {
        for (size_t i = 0; i < shape.parts.size(); ++i) {
            nearest_in_part(best, *shape.parts[i], static_cast<int64_t>(i), px, py);
        }
        if (shape.type == geometry_type_polygon && best.distance > 0.0 && polygon_holds(shape, px, py)) {
            best = NearestPoint{Vertex{px, py}, 0.0, -1, -1, 0.0};
        }
    });
}

NearestPoint nearest_vertex(const GeometryValue& geometry, double px, double py) {
    return nearest_by_type(geometry, px, py, [&](NearestPoint& best, const GeometryValue& shape) {
        for (size_t p = 0; p < shape.parts.size(); ++p) {
            const PartValue& part = *shape.parts[p];
            for (int64_t i = 0; i < part.point_count(); ++i) {
                take(best, part.point(i), px, py, static_cast<int64_t>(p), i, 0.0);
            }
        }
    });
}

}  // namespace geokern::engine
