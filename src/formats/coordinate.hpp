#pragma once

#include <cstddef>

namespace velmor::formats {

// Which measures a coordinate carries besides x and y.
struct Layout {
    bool has_z = false;
    bool has_m = false;

    constexpr std::size_t size() const { return 2 + (has_z ? 1 : 0) + (has_m ? 1 : 0); }
    friend constexpr bool operator==(Layout, Layout) = default;
};

// One coordinate as the readers report it; z and m are meaningful only when the layout says so.
struct Coordinate {
    double x = 0;
    double y = 0;
    double z = 0;
    double m = 0;
    Layout layout;
};

}  // namespace velmor::formats
