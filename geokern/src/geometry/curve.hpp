#pragma once

#include <cstdint>
#include <optional>
#include <variant>

#include "geometry/cubic_bezier.hpp"
#include "geometry/elliptic_arc.hpp"

namespace geokern {

// The shape of a curved segment; a straight segment has none.
using Curve = std::variant<EllipticArc, CubicBezier>;

Bounds segment_bounds(const Vertex& start, const std::optional<Curve>& curve, const Vertex& end);
double segment_length(const Vertex& start, const std::optional<Curve>& curve, const Vertex& end);

// Equal shapes: exactly, or with every number within `tolerance`.
bool same_curve(const std::optional<Curve>& a, const std::optional<Curve>& b);
bool near_curve(const std::optional<Curve>& a, const std::optional<Curve>& b, double tolerance);
uint64_t curve_hash(const std::optional<Curve>& curve);

// The curve kept valid after its end points moved: arcs are refitted, Bezier control points stay.
Curve curve_for_new_ends(const Curve& curve, const Vertex& start, const Vertex& end);

}  // namespace geokern
