#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "dims.hpp"
#include "result.hpp"

namespace velmor::core {

// One vertex: x and y plus z and/or m according to its Dims. A plain copyable value; a form without
// z has no z at all (not a NaN z).
class Coord {
public:
    static constexpr Coord xy(double x, double y) { return {Dims::XY, x, y, 0, 0}; }
    static constexpr Coord xyz(double x, double y, double z) { return {Dims::XYZ, x, y, z, 0}; }
    static constexpr Coord xym(double x, double y, double m) { return {Dims::XYM, x, y, 0, m}; }
    static constexpr Coord xyzm(double x, double y, double z, double m) { return {Dims::XYZM, x, y, z, m}; }
    // Reads the buffer form of the given dimensionality; `values` must hold buffer_len(dims) numbers.
    static Coord from_buffer(Dims dims, std::span<const double> values);

    Dims dims() const { return dims_; }
    double x() const { return x_; }
    double y() const { return y_; }
    std::optional<double> z() const { return has_z(dims_) ? std::optional(z_) : std::nullopt; }
    std::optional<double> m() const { return has_m(dims_) ? std::optional(m_) : std::nullopt; }

    Result<Coord> set_z(double value) const;
    Result<Coord> set_m(double value) const;
    // Writes one element of the buffer form (index 2 is m for XYM).
    Result<Coord> set_index(std::size_t index, double value) const;
    // Reads one element of the buffer form; the caller checks index < buffer_len(dims()).
    double get_index(std::size_t index) const;

    struct Buffer {
        std::array<double, 4> values;
        std::size_t size;
        std::span<const double> view() const { return {values.data(), size}; }
    };
    Buffer to_buffer() const;

    // "[x, y(, z)(, m)]" in the system's number format.
    void append_text(std::string& out) const;
    std::string text() const;

private:
    constexpr Coord(Dims dims, double x, double y, double z, double m)
        : dims_(dims), x_(x), y_(y), z_(z), m_(m) {}

    Dims dims_;
    double x_, y_, z_, m_;
};

}  // namespace velmor::core
