#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace geokern::engine {

// Rows and columns of a DE-9IM matrix.
enum Place { interior = 0, boundary = 1, exterior = 2 };

// What is known of two geometries' DE-9IM matrix while it is being found: for each entry the least and
// the greatest dimension it may still have (-1 stands for empty). An entry is known once both meet.
class MatrixBounds {
  public:
    // Each entry starts between empty and the smaller dimension of its two sets; exterior against
    // exterior is always the plane. A boundary dimension of -1 is an empty boundary.
    MatrixBounds(int dimension_a, int boundary_a, int dimension_b, int boundary_b);

    // The sets of `a` and `b` meet in at least this dimension. Returns whether that was news.
    bool at_least(Place a, Place b, int dimension);
    // Everything is found: every entry is its least dimension.
    void close();

    // Whether the matrix matches a pattern of T, F, *, 0, 1 and 2 (nine characters, row by row), or
    // nothing while the bounds allow both answers.
    std::optional<bool> matches(std::string_view pattern) const;

  private:
    std::array<int, 9> least_{};
    std::array<int, 9> most_{};
};

}  // namespace geokern::engine
