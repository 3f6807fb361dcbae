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
    // Every point of two columns, in one pass of plain minima and maxima kept in four lanes side by side
    // (a single chain of comparisons waits on each one before). Equal numbers are the same number
    // except zeros, whose sign depends on which came first, so a column with a NaN (whose points are
    // skipped) or with a zero at an end goes point by point instead.
    void add_columns(const std::vector<double>& xs, const std::vector<double>& ys) {
        constexpr size_t lanes = 4;
        double low_x[lanes], high_x[lanes], low_y[lanes], high_y[lanes];
        for (size_t k = 0; k < lanes; ++k) {
            low_x[k] = low_y[k] = INFINITY;
            high_x[k] = high_y[k] = -INFINITY;
        }
        bool nan = false;
        auto take = [&](size_t lane, double x, double y) {
            nan |= std::isunordered(x, y);  // either is NaN
            low_x[lane] = x < low_x[lane] ? x : low_x[lane];
            high_x[lane] = x > high_x[lane] ? x : high_x[lane];
            low_y[lane] = y < low_y[lane] ? y : low_y[lane];
            high_y[lane] = y > high_y[lane] ? y : high_y[lane];
        };
        const size_t count = xs.size();
        size_t i = 0;
        for (; i + lanes <= count; i += lanes) {
            for (size_t k = 0; k < lanes; ++k) take(k, xs[i + k], ys[i + k]);
        }
        for (; i < count; ++i) take(0, xs[i], ys[i]);
        for (size_t k = 1; k < lanes; ++k) {
            low_x[0] = std::min(low_x[0], low_x[k]);
            high_x[0] = std::max(high_x[0], high_x[k]);
            low_y[0] = std::min(low_y[0], low_y[k]);
            high_y[0] = std::max(high_y[0], high_y[k]);
        }
        const bool zero_end = low_x[0] == 0.0 || high_x[0] == 0.0 || low_y[0] == 0.0 || high_y[0] == 0.0;
        if (nan || zero_end) {
            for (size_t point = 0; point < count; ++point) add(xs[point], ys[point]);
        } else if (count > 0) {
            add(low_x[0], low_y[0]);
            add(high_x[0], high_y[0]);
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
