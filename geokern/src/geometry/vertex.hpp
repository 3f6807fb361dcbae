#pragma once

#include <cmath>
#include <limits>

namespace geokern {

inline constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();

// One vertex. A missing z or m is NaN; whether a geometry has z or m at all is a flag of its own.
struct Vertex {
    double x = nan_value;
    double y = nan_value;
    double z = nan_value;
    double m = nan_value;
};

// Equality of stored numbers: NaN (a missing value) equals NaN, and 0 equals -0.
inline bool same_number(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

inline bool near_number(double a, double b, double tolerance) {
    return same_number(a, b) || std::fabs(a - b) <= tolerance;
}

inline bool same_xy(const Vertex& a, const Vertex& b) {
    return a.x == b.x && a.y == b.y;
}

// Whether a ring's last vertex repeats its first as stored, NaN included: a ring read back from its own
// text must find the closing vertex it was written with.
inline bool same_stored_xy(const Vertex& a, const Vertex& b) {
    return same_number(a.x, b.x) && same_number(a.y, b.y);
}

}  // namespace geokern
