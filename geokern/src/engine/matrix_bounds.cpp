#include "engine/matrix_bounds.hpp"

#include <algorithm>

namespace geokern::engine {
namespace {

// Whether one entry within [least, most] matches one pattern character.
std::optional<bool> entry_matches(char wanted, int least, int most) {
    switch (wanted) {
        case '*': return true;
        case 'T':
            if (least >= 0) return true;
            if (most < 0) return false;
            return std::nullopt;
        case 'F':
            if (most < 0) return true;
            if (least >= 0) return false;
            return std::nullopt;
        default: {
            const int dimension = wanted - '0';
            if (least == dimension && most == dimension) return true;
            if (dimension < least || dimension > most) return false;
            return std::nullopt;
        }
    }
}

}  // namespace

MatrixBounds::MatrixBounds(int dimension_a, int boundary_a, int dimension_b, int boundary_b) {
    const std::array<int, 3> a{dimension_a, boundary_a, 2}, b{dimension_b, boundary_b, 2};
    least_.fill(-1);
    for (size_t row = 0; row < 3; ++row) {
        for (size_t column = 0; column < 3; ++column) most_[row * 3 + column] = std::min(a[row], b[column]);
    }
    least_[exterior * 3 + exterior] = 2;
}

bool MatrixBounds::at_least(Place a, Place b, int dimension) {
    int& least = least_[static_cast<size_t>(a * 3 + b)];
    if (dimension <= least) return false;
    least = dimension;
    return true;
}

void MatrixBounds::close() { most_ = least_; }

std::optional<bool> MatrixBounds::matches(std::string_view pattern) const {
    bool known = true;
    for (size_t i = 0; i < 9; ++i) {
        const std::optional<bool> entry = entry_matches(pattern[i], least_[i], most_[i]);
        if (entry == false) return false;
        if (!entry) known = false;
    }
    if (known) return true;
    return std::nullopt;
}

}  // namespace geokern::engine
