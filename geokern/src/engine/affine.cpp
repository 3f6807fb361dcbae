#include "engine/affine.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/curve_restoration.hpp"
#include "engine/engine_inputs.hpp"

namespace geokern::engine {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double two_pi = 2.0 * std::numbers::pi;

double wrap_pi(double angle) { return angle - two_pi * std::nearbyint(angle / two_pi); }

// The polar angle of eccentric anomaly `param` on an ellipse of the given rotation and ratio; continuous
// in the parameter, so differences keep whole turns.
double polar_of_param(double rotation, double ratio, double param) {
    if (ratio == 1.0) return param + rotation;
    return param + wrap_pi(std::atan2(ratio * std::sin(param), std::cos(param)) - param) + rotation;
}

bool finite_xy(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

void check_image(double x, double y, double mx, double my) {
    if (finite_xy(x, y) && !finite_xy(mx, my)) {
        refuse("the transformed geometry has coordinates beyond the range of double-precision numbers.");
    }
}

PartValue map_part(const PartValue& part, const Affine& map) {
    PartValue mapped = part;
    for (size_t i = 0; i < mapped.xs.size(); ++i) {
        const Vertex image = map.apply(Vertex{part.xs[i], part.ys[i]});
        check_image(part.xs[i], part.ys[i], image.x, image.y);
        mapped.xs[i] = image.x;
        mapped.ys[i] = image.y;
    }
    std::vector<CurveEntry> curves;
    curves.reserve(part.curves.size());
    for (const CurveEntry& entry : part.curves) {
        if (const auto* arc = std::get_if<EllipticArc>(&entry.curve)) {
            if (auto image = map_arc(*arc, map)) curves.push_back({entry.segment, *image});
        } else {
            const auto& bezier = std::get<CubicBezier>(entry.curve);
            const Vertex c1 = map.apply(Vertex{bezier.c1x, bezier.c1y});
            const Vertex c2 = map.apply(Vertex{bezier.c2x, bezier.c2y});
            check_image(bezier.c1x, bezier.c1y, c1.x, c1.y);
            check_image(bezier.c2x, bezier.c2y, c2.x, c2.y);
            curves.push_back({entry.segment, CubicBezier{c1.x, c1.y, c2.x, c2.y}});
        }
    }
    mapped.curves = std::move(curves);
    return mapped;
}

// The same ring run the other way from the same start: new segment j is old segment n - 1 - j reversed.
PartValue reversed_ring(const PartValue& ring) {
    PartValue reversed = ring;
    const size_t n = ring.xs.size();
    auto flip = [n](std::vector<double>& column) {
        if (column.size() == n && n > 1) std::reverse(column.begin() + 1, column.end());
    };
    flip(reversed.xs);
    flip(reversed.ys);
    flip(reversed.zs);
    flip(reversed.ms);
    reversed.curves.clear();
    for (auto entry = ring.curves.rbegin(); entry != ring.curves.rend(); ++entry) {
        reversed.curves.push_back({static_cast<int64_t>(n) - 1 - entry->segment, reversed_curve(entry->curve)});
    }
    return reversed;
}

}  // namespace

Vertex Affine::apply(const Vertex& point) const {
    const double rx = point.x - ox, ry = point.y - oy;
    Vertex image = point;
    if (diagonal()) {
        // A unit factor leaves its coordinate as it was, bit for bit (a full turn, a one-way stretch).
        image.x = xx == 1.0 ? point.x + dx : ox + xx * rx + dx;
        image.y = yy == 1.0 ? point.y + dy : oy + yy * ry + dy;
    } else {
        image.x = ox + (xx * rx + xy * ry) + dx;
        image.y = oy + (yx * rx + yy * ry) + dy;
    }
    return image;
}

Affine move_map(double dx, double dy) {
    Affine map;
    map.dx = dx;
    map.dy = dy;
    return map;
}

Affine rotation_map(double degrees, double ox, double oy) {
    double turn = std::fmod(degrees, 360.0);
    if (turn < 0) turn += 360.0;
    double c = 0, s = 0;
    if (turn == 0.0) c = 1;
    else if (turn == 90.0) s = 1;
    else if (turn == 180.0) c = -1;
    else if (turn == 270.0) s = -1;
    else {
        const double radians = turn * (pi / 180.0);
        c = std::cos(radians);
        s = std::sin(radians);
    }
    Affine map;
    map.xx = c;
    map.xy = -s;
    map.yx = s;
    map.yy = c;
    map.ox = ox;
    map.oy = oy;
    return map;
}

Affine scale_map(double sx, double sy, double ox, double oy) {
    Affine map;
    map.xx = sx;
    map.yy = sy;
    map.ox = ox;
    map.oy = oy;
    return map;
}

std::optional<EllipticArc> map_arc(const EllipticArc& arc, const Affine& map) {
    const Vertex centre = map.apply(Vertex{arc.cx, arc.cy});
    check_image(arc.cx, arc.cy, centre.x, centre.y);
    EllipticArc image = arc;
    image.cx = centre.x;
    image.cy = centre.y;
    // A similarity k R(alpha) turns the axes and scales them, leaving the parameters as they are.
    if (map.xx == map.yy && map.xy == -map.yx) {
        const double k = std::hypot(map.xx, map.yx);
        if (!(k > 0.0)) return std::nullopt;
        const double alpha = std::atan2(map.yx, map.xx);
        image.semi_major = arc.semi_major * k;
        if (!std::isfinite(image.semi_major)) check_image(0, 0, image.semi_major, 0);
        // Rotation and start angle move by the same whole turns, so the parameters still match them.
        const double turns = two_pi * std::nearbyint((arc.rotation + alpha) / two_pi);
        image.rotation = arc.rotation + alpha - turns;
        image.start_angle = arc.start_angle + alpha - turns;
        return image;
    }
    // Otherwise the arc is centre + M u(t) with M = L R(rotation) diag(a, b), u(t) = (cos t, sin t). The
    // closed-form SVD M = R(phi) diag(s1, s2) R(theta) gives the image ellipse: axes s1 >= s2, rotated by
    // phi, and parameter t + theta. A mirror map (det M < 0) runs the parameter backwards: with
    // J = diag(1, -1), M u(t) = (M J) u(-t).
    const double cr = std::cos(arc.rotation), sr = std::sin(arc.rotation);
    const double a = arc.semi_major, b = arc.semi_minor();
    double m00 = (map.xx * cr + map.xy * sr) * a, m01 = (-map.xx * sr + map.xy * cr) * b;
    double m10 = (map.yx * cr + map.yy * sr) * a, m11 = (-map.yx * sr + map.yy * cr) * b;
    const bool mirrored = m00 * m11 - m01 * m10 < 0.0;
    if (mirrored) {
        m01 = -m01;
        m11 = -m11;
    }
    const double e = 0.5 * (m00 + m11), f = 0.5 * (m00 - m11), g = 0.5 * (m10 + m01), h = 0.5 * (m10 - m01);
    const double q = std::hypot(e, h), r = std::hypot(f, g);
    const double s1 = q + r, s2 = q - r;
    if (!std::isfinite(s1)) check_image(0, 0, s1, 0);
    if (!(s1 > 0.0) || !(s2 > 1e-12 * s1)) return std::nullopt;
    const double a1 = std::atan2(g, f), a2 = std::atan2(h, e);
    const double theta = 0.5 * (a2 - a1), phi = 0.5 * (a2 + a1);
    double ratio = s2 / s1;
    if (ratio > 1.0 - 4e-16) ratio = 1.0;
    const double start = wrap_pi(mirrored ? theta - arc.start_param : arc.start_param + theta);
    const double sweep = mirrored ? -arc.sweep_param : arc.sweep_param;
    image.rotation = wrap_pi(phi);
    image.semi_major = s1;
    image.ratio = ratio;
    image.start_param = start;
    image.sweep_param = sweep;
    image.start_angle = polar_of_param(image.rotation, ratio, start);
    image.central_angle = ratio == 1.0 || std::fabs(sweep) == two_pi
                              ? sweep
                              : polar_of_param(image.rotation, ratio, start + sweep) - image.start_angle;
    return image;
}

GeometryValue map_geometry(const GeometryValue& geometry, const Affine& map) {
    GeometryValue image = geometry;
    switch (geometry.type) {
        case geometry_type_point: {
            const Vertex p = map.apply(geometry.point);
            check_image(geometry.point.x, geometry.point.y, p.x, p.y);
            image.point = p;
            break;
        }
        case geometry_type_envelope: {
            if (geometry.envelope.empty()) break;
            const EnvelopeData& e = geometry.envelope;
            Bounds bounds;
            for (const Vertex& corner : {Vertex{e.xmin, e.ymin}, Vertex{e.xmin, e.ymax}, Vertex{e.xmax, e.ymax},
                                         Vertex{e.xmax, e.ymin}}) {
                const Vertex p = map.apply(corner);
                check_image(corner.x, corner.y, p.x, p.y);
                bounds.add(p.x, p.y);
            }
            EnvelopeData data = e;
            data.xmin = bounds.xmin;
            data.ymin = bounds.ymin;
            data.xmax = bounds.xmax;
            data.ymax = bounds.ymax;
            image = envelope_value(data, geometry.has_z, geometry.has_m, geometry.spatial_reference);
            break;
        }
        case geometry_type_multipoint:
            image.points = std::make_shared<const PartValue>(map_part(*geometry.points, map));
            break;
        default: {
            // A mirror turns every ring the other way; polygons keep clockwise outer rings and
            // counter-clockwise holes.
            const bool mirror = geometry.type == geometry_type_polygon && map.xx * map.yy - map.xy * map.yx < 0.0;
            for (auto& part : image.parts) {
                PartValue mapped = map_part(*part, map);
                part = std::make_shared<const PartValue>(mirror ? reversed_ring(mapped) : std::move(mapped));
            }
        }
    }
    return image;
}

}  // namespace geokern::engine
