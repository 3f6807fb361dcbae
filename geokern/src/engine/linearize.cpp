#include "engine/linearize.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <type_traits>

#include "spatial/spatial_reference_value.hpp"

namespace geokern::engine {
namespace {

int clamp_chords(double chords) {
    if (!(chords >= 1.0)) return 1;
    return chords >= max_chords_per_curve ? max_chords_per_curve : static_cast<int>(std::ceil(chords));
}

// An elliptic arc is an affine image of a circle of radius a, so a chord of parameter step h strays at
// most a (1 - cos(h / 2)) from it.
int arc_chords(const EllipticArc& arc, double deviation) {
    const double a = arc.semi_major;
    if (!(deviation > 0.0) || deviation >= a) return clamp_chords(std::fabs(arc.sweep_param) / 2.0);
    const double step = 2.0 * std::acos(1.0 - deviation / a);
    return clamp_chords(std::fabs(arc.sweep_param) / step);
}

// A chord of parameter step h of a cubic strays at most h^2 / 8 max |B''|, and |B''| is at most six
// times the larger second difference of the control polygon.
int bezier_chords(const Vertex& p0, const CubicBezier& c, const Vertex& p3, double deviation) {
    const double ax = p0.x - 2 * c.c1x + c.c2x, ay = p0.y - 2 * c.c1y + c.c2y;
    const double bx = c.c1x - 2 * c.c2x + p3.x, by = c.c1y - 2 * c.c2y + p3.y;
    const double bend = 6.0 * std::max(std::hypot(ax, ay), std::hypot(bx, by));
    if (!(deviation > 0.0)) return clamp_chords(16);
    return clamp_chords(std::sqrt(bend / (8.0 * deviation)));
}

Vertex bezier_at(const Vertex& p0, const CubicBezier& c, const Vertex& p3, double t) {
    const double u = 1.0 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    return Vertex{b0 * p0.x + b1 * c.c1x + b2 * c.c2x + b3 * p3.x, b0 * p0.y + b1 * c.c1y + b2 * c.c2y + b3 * p3.y,
                  nan_value, nan_value};
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

// A part without curves column by column, as a whole: the same points as vertex by vertex, without the
// cost of asking each segment for a curve (large straight rings are the common input). Without
// attributes, zs, ms and source stay empty.
LinearPart straight_linear(const PartValue& part, bool with_attributes) {
    LinearPart linear;
    const size_t count = part.xs.size();
    if (count == 0) return linear;
    auto column = [&](const std::vector<double>& values, bool present) {
        std::vector<double> copy;
        copy.reserve(count + 1);
        if (present) copy.assign(values.begin(), values.end());
        else copy.assign(count, nan_value);
        if (part.closed) copy.push_back(copy[0]);
        return copy;
    };
    linear.xs = column(part.xs, true);
    linear.ys = column(part.ys, true);
    if (!with_attributes) return linear;
    linear.zs = column(part.zs, part.has_z);
    linear.ms = column(part.ms, part.has_m);
    linear.source.resize(linear.xs.size());
    std::iota(linear.source.begin(), linear.source.begin() + static_cast<std::ptrdiff_t>(count), int64_t{0});
    if (part.closed) linear.source.back() = 0;
    return linear;
}

}  // namespace

double chord_deviation(const SpatialReferenceRef& spatial_reference, const EnvelopeData& extent) {
    if (spatial_reference != nullptr && spatial_reference->tolerance > 0.0) return spatial_reference->tolerance;
    const double side = extent.empty() ? 0.0 : std::max(extent.xmax - extent.xmin, extent.ymax - extent.ymin);
    return side > 0.0 && std::isfinite(side) ? side * 1e-9 : 1e-9;
}

double chord_deviation(const GeometryValue& geometry) {
    return chord_deviation(geometry.spatial_reference, extent_of(geometry));
}

double chord_deviation(const GeometryValue& a, const GeometryValue& b) {
    return std::min(chord_deviation(a), chord_deviation(b));
}

Vertex LinearPart::point(size_t index) const {
    return Vertex{xs[index], ys[index], zs.empty() ? nan_value : zs[index], ms.empty() ? nan_value : ms[index]};
}

void LinearPart::add(const Vertex& vertex, int64_t from) {
    xs.push_back(vertex.x);
    ys.push_back(vertex.y);
    zs.push_back(vertex.z);
    ms.push_back(vertex.m);
    source.push_back(from);
}

std::vector<CurveSample> curve_interior(const Vertex& start, const Curve& curve, const Vertex& end,
                                        double deviation) {
    std::vector<CurveSample> samples;
    auto sample = [&](int chords, auto&& point_at) {
        samples.reserve(static_cast<size_t>(chords - 1));
        for (int i = 1; i < chords; ++i) {
            const double t = static_cast<double>(i) / chords;
            Vertex point = point_at(t);
            point.z = lerp(start.z, end.z, t);
            point.m = lerp(start.m, end.m, t);
            samples.push_back({point, t});
        }
    };
    if (const auto* arc = std::get_if<EllipticArc>(&curve)) {
        sample(arc_chords(*arc, deviation),
               [&](double t) { return arc->point_at(arc->start_param + t * arc->sweep_param); });
    } else {
        const auto& bezier = std::get<CubicBezier>(curve);
        sample(bezier_chords(start, bezier, end, deviation), [&](double t) { return bezier_at(start, bezier, end, t); });
    }
    return samples;
}

LinearPart linearize(const PartValue& part, double deviation) {
    if (!part.has_curves()) return straight_linear(part, true);
    LinearPart linear;
    const int64_t count = part.point_count();
    linear.xs.reserve(static_cast<size_t>(count) + 1);
    linear.ys.reserve(static_cast<size_t>(count) + 1);
    for (int64_t i = 0; i < count; ++i) {
        linear.add(part.point(i), i);
        const int64_t segment = part.segment_starting_at(i);
        if (segment < 0) continue;
        const Curve* curve = part.curve_of(segment);
        if (curve == nullptr) continue;
        const Vertex end = part.point(part.end_point_of(segment));
        for (const CurveSample& sample : curve_interior(part.point(i), *curve, end, deviation)) {
            linear.add(sample.point, -1 - segment);
        }
    }
    if (part.closed) linear.add(part.point(0), 0);
    return linear;
}

LinearPart linearize_xy(const PartValue& part, double deviation) {
    return part.has_curves() ? linearize(part, deviation) : straight_linear(part, false);
}

PartValue part_of(const LinearPart& linear, bool has_z, bool has_m) {
    PartValue part;
    part.has_z = has_z;
    part.has_m = has_m;
    part.xs = linear.xs;
    part.ys = linear.ys;
    if (has_z) part.zs = linear.zs;
    if (has_m) part.ms = linear.ms;
    return part;
}

}  // namespace geokern::engine
