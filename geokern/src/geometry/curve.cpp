#include "geometry/curve.hpp"

#include <cmath>

#include "geometry/hashing.hpp"

namespace geokern {
namespace {

template <class... F>
struct Overload : F... {
    using F::operator()...;
};
// Clang does not deduce the arguments of an aggregate template by itself.
template <class... F>
Overload(F...) -> Overload<F...>;

bool near_arc(const EllipticArc& a, const EllipticArc& b, double tolerance) {
    return near_number(a.cx, b.cx, tolerance) && near_number(a.cy, b.cy, tolerance) &&
           near_number(a.rotation, b.rotation, tolerance) &&
           near_number(a.semi_major, b.semi_major, tolerance) && near_number(a.ratio, b.ratio, tolerance) &&
           near_number(a.start_angle, b.start_angle, tolerance) &&
           near_number(a.central_angle, b.central_angle, tolerance);
}

bool near_bezier(const CubicBezier& a, const CubicBezier& b, double tolerance) {
    return near_number(a.c1x, b.c1x, tolerance) && near_number(a.c1y, b.c1y, tolerance) &&
           near_number(a.c2x, b.c2x, tolerance) && near_number(a.c2y, b.c2y, tolerance);
}

}  // namespace

Bounds segment_bounds(const Vertex& start, const std::optional<Curve>& curve, const Vertex& end) {
    Bounds bounds;
    if (curve.has_value()) {
        bounds =
            std::visit(Overload{[](const EllipticArc& arc) { return arc_bounds(arc); },
                                [&](const CubicBezier& bezier) { return bezier_bounds(start, bezier, end); }},
                       *curve);
    }
    bounds.add(start.x, start.y);
    bounds.add(end.x, end.y);
    return bounds;
}

double segment_length(const Vertex& start, const std::optional<Curve>& curve, const Vertex& end) {
    if (!curve.has_value()) return std::hypot(end.x - start.x, end.y - start.y);
    return std::visit(Overload{[](const EllipticArc& arc) { return arc_length(arc); },
                               [&](const CubicBezier& bezier) { return bezier_length(start, bezier, end); }},
                      *curve);
}

bool same_curve(const std::optional<Curve>& a, const std::optional<Curve>& b) {
    return near_curve(a, b, 0.0);
}

bool near_curve(const std::optional<Curve>& a, const std::optional<Curve>& b, double tolerance) {
    if (a.has_value() != b.has_value()) return false;
    if (!a.has_value()) return true;
    if (a->index() != b->index()) return false;
    if (const auto* arc = std::get_if<EllipticArc>(&*a))
        return near_arc(*arc, std::get<EllipticArc>(*b), tolerance);
    return near_bezier(std::get<CubicBezier>(*a), std::get<CubicBezier>(*b), tolerance);
}

uint64_t curve_hash(const std::optional<Curve>& curve) {
    if (!curve.has_value()) return 0;
    if (const auto* arc = std::get_if<EllipticArc>(&*curve)) {
        uint64_t seed = 3;
        for (double value : {arc->cx, arc->cy, arc->rotation, arc->semi_major, arc->ratio, arc->start_angle,
                             arc->central_angle}) {
            seed = hash_number(seed, value);
        }
        return seed;
    }
    const auto& bezier = std::get<CubicBezier>(*curve);
    uint64_t seed = 2;
    for (double value : {bezier.c1x, bezier.c1y, bezier.c2x, bezier.c2y}) seed = hash_number(seed, value);
    return seed;
}

Curve curve_for_new_ends(const Curve& curve, const Vertex& start, const Vertex& end) {
    if (const auto* arc = std::get_if<EllipticArc>(&curve)) return refit_arc(*arc, start, end);
    return curve;
}

}  // namespace geokern
