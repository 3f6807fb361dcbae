#include "svg_path.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <span>
#include <variant>

#include "number_format.hpp"

namespace velmor::core {
namespace {

constexpr double pi = std::numbers::pi;
// Points per curve that the bounds follow; the picture's margin covers what lies between them.
constexpr int curve_samples = 64;

struct Xy {
    double x;
    double y;
};

Xy flipped(double x, double y) {
    return {x, svg_y(y)};
}

bool finite(Xy p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}
bool same(Xy a, Xy b) {
    return a.x == b.x && a.y == b.y;
}
double cross(Xy a, Xy b) {
    return a.x * b.y - a.y * b.x;
}
Xy minus(Xy a, Xy b) {
    return {a.x - b.x, a.y - b.y};
}

// The arc that SVG draws for `A rx ry degrees large sweep to` from `from`, sampled into the bounds.
// The centre follows the endpoint-to-centre conversion of the SVG implementation notes, radii too
// short to reach both ends included (they grow until they do).
void add_arc_bounds(SvgBounds& bounds, Xy from, double rx, double ry, double degrees, bool large, bool sweep,
                    Xy to) {
    const double phi = degrees * pi / 180.0;
    const double c = std::cos(phi);
    const double s = std::sin(phi);
    const double hx = (from.x - to.x) / 2.0;
    const double hy = (from.y - to.y) / 2.0;
    const double x1 = c * hx + s * hy;
    const double y1 = -s * hx + c * hy;
    const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (lambda > 1.0) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coefficient = denominator > 0.0 ? std::sqrt(std::max(0.0, numerator / denominator)) : 0.0;
    if (large == sweep) coefficient = -coefficient;
    const double ux = coefficient * rx * y1 / ry;
    const double uy = -coefficient * ry * x1 / rx;
    const double cx = c * ux - s * uy + (from.x + to.x) / 2.0;
    const double cy = s * ux + c * uy + (from.y + to.y) / 2.0;
    const double t0 = std::atan2((y1 - uy) / ry, (x1 - ux) / rx);
    const double t1 = std::atan2((-y1 - uy) / ry, (-x1 - ux) / rx);
    double sweep_angle = t1 - t0;
    if (sweep && sweep_angle < 0.0) sweep_angle += 2.0 * pi;
    if (!sweep && sweep_angle > 0.0) sweep_angle -= 2.0 * pi;
    for (int k = 0; k <= curve_samples; ++k) {
        const double t = t0 + sweep_angle * k / curve_samples;
        bounds.add(cx + rx * std::cos(t) * c - ry * std::sin(t) * s,
                   cy + rx * std::cos(t) * s + ry * std::sin(t) * c);
    }
}

void add_cubic_bounds(SvgBounds& bounds, Xy from, Xy c1, Xy c2, Xy to) {
    for (int k = 0; k <= curve_samples; ++k) {
        const double t = static_cast<double>(k) / curve_samples;
        const double u = 1.0 - t;
        const double a = u * u * u, b = 3.0 * u * u * t, d = 3.0 * u * t * t, e = t * t * t;
        bounds.add(a * from.x + b * c1.x + d * c2.x + e * to.x, a * from.y + b * c1.y + d * c2.y + e * to.y);
    }
}

// Writes the commands of one path and keeps the bounds of what they draw.
class Pen {
  public:
    Pen(std::string& data, SvgBounds& bounds) : data_(data), bounds_(bounds) {}

    bool down() const { return down_; }
    Xy at() const { return at_; }
    void lift() { down_ = false; }

    void move_to(Xy p) {
        command('M', {p.x, p.y});
        reach(p);
        down_ = true;
    }
    void line_to(Xy p) {
        command('L', {p.x, p.y});
        reach(p);
    }
    void arc_to(double rx, double ry, double degrees, bool large, bool sweep, Xy p) {
        add_arc_bounds(bounds_, at_, rx, ry, degrees, large, sweep, p);
        command('A', {rx, ry, degrees, large ? 1.0 : 0.0, sweep ? 1.0 : 0.0, p.x, p.y});
        reach(p);
    }
    void cubic_to(Xy c1, Xy c2, Xy p) {
        add_cubic_bounds(bounds_, at_, c1, c2, p);
        command('C', {c1.x, c1.y, c2.x, c2.y, p.x, p.y});
        reach(p);
    }
    void close() {
        if (down_) command('Z', {});
        down_ = false;
    }

  private:
    void command(char letter, std::initializer_list<double> numbers) {
        if (!data_.empty()) data_ += ' ';
        data_ += letter;
        for (const double number : numbers) {
            data_ += ' ';
            append_number(data_, number);
        }
    }
    void reach(Xy p) {
        bounds_.add(p.x, p.y);
        at_ = p;
    }

    std::string& data_;
    SvgBounds& bounds_;
    Xy at_{0.0, 0.0};
    bool down_ = false;
};

// The circle through three points of the picture's frame; absent when they are collinear.
std::optional<Xy> circumcentre(Xy a, Xy b, Xy c) {
    const Xy ab = minus(b, a);
    const Xy ac = minus(c, a);
    const double d = 2.0 * cross(ab, ac);
    if (d == 0.0) return std::nullopt;
    const double ab2 = ab.x * ab.x + ab.y * ab.y;
    const double ac2 = ac.x * ac.x + ac.y * ac.y;
    const Xy centre{a.x + (ac.y * ab2 - ab.y * ac2) / d, a.y + (ab.x * ac2 - ac.x * ab2) / d};
    if (!finite(centre)) return std::nullopt;
    return centre;
}

// Draws the segment that ends at one vertex, from where the pen is.
struct Segment {
    Pen& pen;
    Xy end;

    void operator()(const Linear&) const { pen.line_to(end); }

    // The arc from the pen through the interior point. Coinciding ends make the full circle whose
    // diameter joins them and the interior point, counter-clockwise; collinear points make a line.
    void operator()(const CircularArc& arc) const {
        const Xy start = pen.at();
        const Xy interior = flipped(arc.interior_x, arc.interior_y);
        if (!finite(interior) || same(interior, start) || same(interior, end)) return pen.line_to(end);
        if (same(start, end)) {
            const double radius = std::hypot(interior.x - start.x, interior.y - start.y) / 2.0;
            pen.arc_to(radius, radius, 0.0, false, false, interior);
            pen.arc_to(radius, radius, 0.0, false, false, end);
            return;
        }
        const std::optional<Xy> centre = circumcentre(start, interior, end);
        if (!centre) return pen.line_to(end);
        // Positive turn in the picture's frame is SVG's positive-angle (sweep) direction.
        const bool sweep = cross(minus(interior, start), minus(end, interior)) > 0.0;
        const double radius = std::hypot(start.x - centre->x, start.y - centre->y);
        double turn = std::atan2(end.y - centre->y, end.x - centre->x) -
                      std::atan2(start.y - centre->y, start.x - centre->x);
        if (sweep && turn < 0.0) turn += 2.0 * pi;
        if (!sweep && turn > 0.0) turn -= 2.0 * pi;
        pen.arc_to(radius, radius, 0.0, std::abs(turn) > pi, sweep, end);
    }

    // Rotation is counter-clockwise in radians; in the flipped frame it is clockwise in degrees, and a
    // clockwise arc runs in SVG's positive-angle direction. Coinciding ends are the whole ellipse for a
    // major arc and nothing for a minor one.
    void operator()(const EllipticArc& arc) const {
        const Xy start = pen.at();
        const double rx = arc.axis;
        const double ry = arc.axis * arc.ratio;
        const double degrees = 0.0 - arc.rotation * 180.0 / pi;
        if (!(std::isfinite(rx) && std::isfinite(ry) && std::isfinite(degrees)) || rx <= 0.0 || ry <= 0.0) {
            return pen.line_to(end);
        }
        if (!same(start, end)) return pen.arc_to(rx, ry, degrees, !arc.minor, arc.clockwise, end);
        const Xy centre = flipped(arc.center_x, arc.center_y);
        if (arc.minor || !finite(centre)) return;
        const Xy opposite{2.0 * centre.x - start.x, 2.0 * centre.y - start.y};
        pen.arc_to(rx, ry, degrees, false, arc.clockwise, opposite);
        pen.arc_to(rx, ry, degrees, false, arc.clockwise, end);
    }

    void operator()(const BezierCurve& curve) const {
        const Xy c1 = flipped(curve.control1_x, curve.control1_y);
        const Xy c2 = flipped(curve.control2_x, curve.control2_y);
        if (!finite(c1) || !finite(c2)) return pen.line_to(end);
        pen.cubic_to(c1, c2, end);
    }
};

void draw(Pen& pen, const Part& vertices, const std::function<CurveData(std::size_t)>& curve_at, bool ring) {
    const std::span<const double> xs = vertices.xs();
    const std::span<const double> ys = vertices.ys();
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const Xy point = flipped(xs[i], ys[i]);
        if (!finite(point)) {
            pen.lift();
        } else if (!pen.down()) {
            pen.move_to(point);
        } else {
            std::visit(Segment{pen, point}, curve_at(i));
        }
    }
    if (ring) pen.close();
    pen.lift();
}

}  // namespace

SvgBounds::SvgBounds()
    : xmin(std::numeric_limits<double>::infinity()),
      ymin(std::numeric_limits<double>::infinity()),
      xmax(-std::numeric_limits<double>::infinity()),
      ymax(-std::numeric_limits<double>::infinity()) {}

void SvgBounds::add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    xmin = std::min(xmin, x);
    ymin = std::min(ymin, y);
    xmax = std::max(xmax, x);
    ymax = std::max(ymax, y);
}

void SvgPath::add(const Part& part, bool ring) {
    Pen pen(data_, bounds_);
    draw(pen, part, [](std::size_t) { return CurveData{Linear{}}; }, ring);
}

void SvgPath::add(const CurvePart& part, bool ring) {
    Pen pen(data_, bounds_);
    draw(pen, part.vertices(), [&](std::size_t i) { return *part.curve(i); }, ring);
}

}  // namespace velmor::core
