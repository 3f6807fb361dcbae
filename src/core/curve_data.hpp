#pragma once

#include <cstddef>
#include <variant>

namespace velmor::core {

// The segment that ends at a vertex of a curve part; it starts at the previous vertex. Auxiliary
// points are two-dimensional: z and m of a curved segment come from its end vertices only.
struct Linear {
    bool operator==(const Linear&) const = default;
};

struct CircularArc {
    double interior_x;  // a point on the arc strictly between its ends
    double interior_y;
    bool operator==(const CircularArc&) const = default;
};

struct EllipticArc {
    double center_x;
    double center_y;
    double rotation;  // of the major axis
    double axis;      // semi-major axis
    double ratio;     // minor to major axis; 1 for a circle
    bool minor;       // central angle below a half turn
    bool clockwise;
    bool operator==(const EllipticArc&) const = default;
};

struct BezierCurve {
    double control1_x;
    double control1_y;
    double control2_x;
    double control2_y;
    bool operator==(const BezierCurve&) const = default;
};

// The alternative index is the kind code: 0 Linear, 1 CircularArc, 2 EllipticArc, 3 BezierCurve.
using CurveData = std::variant<Linear, CircularArc, EllipticArc, BezierCurve>;

inline bool is_linear(const CurveData& curve) {
    return std::holds_alternative<Linear>(curve);
}

}  // namespace velmor::core
