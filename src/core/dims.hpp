#pragma once

#include <cstdint>
#include <string_view>

namespace velmor::core {

// Dimensionality of a coordinate, part or geometry. The numeric value is built from two flags
// (bit 0: has z, bit 1: has m) and comparisons between containers rely on that numbering.
enum class Dims : std::uint8_t { XY = 0, XYZ = 1, XYM = 2, XYZM = 3 };

constexpr Dims dims_from_flags(bool has_z, bool has_m) {
    return static_cast<Dims>((has_z ? 1 : 0) | (has_m ? 2 : 0));
}
constexpr bool has_z(Dims d) { return (static_cast<unsigned>(d) & 1U) != 0; }
constexpr bool has_m(Dims d) { return (static_cast<unsigned>(d) & 2U) != 0; }
constexpr std::size_t buffer_len(Dims d) { return 2 + (has_z(d) ? 1 : 0) + (has_m(d) ? 1 : 0); }

// Display name, as used in "Mismatching dimensions" texts.
constexpr std::string_view upper_name(Dims d) {
    constexpr std::string_view names[] = {"XY", "XYZ", "XYM", "XYZM"};
    return names[static_cast<unsigned>(d)];
}
// Name used inside the coordinate error texts.
constexpr std::string_view lower_name(Dims d) {
    constexpr std::string_view names[] = {"xy", "xyz", "xym", "xyzm"};
    return names[static_cast<unsigned>(d)];
}

}  // namespace velmor::core
