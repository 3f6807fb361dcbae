#pragma once

#include <optional>

#include "engine/matrix_bounds.hpp"

namespace geokern::engine {

enum class Predicate { contains, crosses, disjoint, equals, intersects, overlaps, touches, within };

// A predicate read off the DE-9IM matrix of two geometries of these dimensions, as GEOS reads it (its
// patterns depend on the dimensions: crosses and overlaps of two lines ask for a line or a point where
// the interiors meet, touches of two points is false); nothing while the bounds allow both answers.
std::optional<bool> predicate_of(Predicate predicate, const MatrixBounds& matrix, int dimension_a, int dimension_b);

}  // namespace geokern::engine
