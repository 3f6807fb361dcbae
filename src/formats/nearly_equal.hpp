#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmor::formats {

// A closing vertex may differ from the first by rounding noise and still close the ring.
inline bool nearly_equal(double a, double b) {
    if (a == b) return true;
    if (std::isinf(a) || std::isinf(b)) return false;
    const double diff = std::fabs(a - b);
    constexpr double eps = std::numeric_limits<double>::epsilon();
    return diff <= eps || diff <= std::max(std::fabs(a), std::fabs(b)) * eps;
}

}  // namespace velmor::formats
