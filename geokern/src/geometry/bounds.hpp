#pragma once

#include <algorithm>
#include <cmath>

#include "geometry/vertex.hpp"

namespace geokern {

// A growing range of x and y; empty until the first point.
struct Bounds {
    double xmin = nan_value, ymin = nan_value, xmax = nan_value, ymax = nan_value;

    bool empty() const { return std::isnan(xmin); }
    void add(double x, double y) {
        if (std::isnan(x) || std::isnan(y)) return;
        if (empty()) {
            xmin = xmax = x;
            ymin = ymax = y;
            return;
        }
        xmin = std::min(xmin, x);
        xmax = std::max(xmax, x);
        ymin = std::min(ymin, y);
        ymax = std::max(ymax, y);
    }
};

// A growing range of one value (z or m); NaN values are missing and ignored.
struct Range {
    double min = nan_value, max = nan_value;
    void add(double value) {
        if (std::isnan(value)) return;
        min = std::isnan(min) ? value : std::min(min, value);
        max = std::isnan(max) ? value : std::max(max, value);
    }
};

}  // namespace geokern
