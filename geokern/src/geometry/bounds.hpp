#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

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
    // Every point of two columns. One pass of plain minima and maxima, with no test per point; a
    // column with a NaN goes point by point instead, skipping the points that have one.
    void add_columns(const std::vector<double>& xs, const std::vector<double>& ys) {
        double low_x = INFINITY, high_x = -INFINITY, low_y = INFINITY, high_y = -INFINITY;
        bool nan = false;
        for (size_t i = 0; i < xs.size(); ++i) {
            const double x = xs[i], y = ys[i];
            nan |= std::isnan(x) | std::isnan(y);
            low_x = x < low_x ? x : low_x;
            high_x = x > high_x ? x : high_x;
            low_y = y < low_y ? y : low_y;
            high_y = y > high_y ? y : high_y;
        }
        if (nan) {
            for (size_t i = 0; i < xs.size(); ++i) add(xs[i], ys[i]);
        } else if (!xs.empty()) {
            add(low_x, low_y);
            add(high_x, high_y);
        }
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
