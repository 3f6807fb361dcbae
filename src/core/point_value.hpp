#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include "spatial_reference_value.hpp"

namespace velmor::core {

// The value of one point geometry. It has z exactly when z is present, m likewise, and is empty
// exactly when x is NaN.
struct PointValue {
    std::optional<double> z;
    std::optional<double> m;
    std::optional<SpatialReference> spatial_reference;
    double x = std::numeric_limits<double>::quiet_NaN();
    double y = std::numeric_limits<double>::quiet_NaN();

    bool has_z() const { return z.has_value(); }
    bool has_m() const { return m.has_value(); }
    bool is_empty() const { return std::isnan(x); }
};

}  // namespace velmor::core
