#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "spatial_reference_value.hpp"

namespace velmor::core {

// The value of one envelope geometry. It has z exactly when zmin is present, m exactly when mmin is,
// and is empty exactly when xmin is NaN; minima and maxima are not kept in order.
struct EnvelopeValue {
    std::optional<double> zmin;
    std::optional<double> zmax;
    std::optional<double> mmin;
    std::optional<double> mmax;
    std::optional<SpatialReference> spatial_reference;
    std::optional<std::uint32_t> idmin;
    std::optional<std::uint32_t> idmax;
    double xmin = std::numeric_limits<double>::quiet_NaN();
    double xmax = std::numeric_limits<double>::quiet_NaN();
    double ymin = std::numeric_limits<double>::quiet_NaN();
    double ymax = std::numeric_limits<double>::quiet_NaN();

    bool has_z() const { return zmin.has_value(); }
    bool has_m() const { return mmin.has_value(); }
    bool is_empty() const { return std::isnan(xmin); }
};

}  // namespace velmor::core
