#pragma once

#include <memory>
#include <vector>

#include "geometry/geometry_value.hpp"
#include "interface.hpp"

namespace geokern::engine {

// The geometries of a vector argument (it must hold geometry elements), in order.
std::vector<std::shared_ptr<GeometryValue>> geometries_of(GK_VectorHandle vector);

// The numbers of a vector argument of float elements (32 or 64 bits), in order.
std::vector<double> numbers_of(GK_VectorHandle vector);

// A new array of geometry elements, in order.
GK_ArrayHandle geometry_array(std::vector<GeometryValue> geometries);

}  // namespace geokern::engine
