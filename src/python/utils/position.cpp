#include "position.hpp"

#include <array>

#include "float_tuple.hpp"

namespace velmor::py::utils {

Result<Ref> position_tuple(const formats::Coordinate& c) {
    std::array<double, 4> values{c.x, c.y, 0, 0};
    std::size_t size = 2;
    if (c.layout.has_z) values[size++] = c.z;
    if (c.layout.has_m) values[size++] = c.m;
    return float_tuple(std::span<const double>(values.data(), size));
}

}  // namespace velmor::py::utils
