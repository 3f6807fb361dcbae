#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "written_type.hpp"

namespace velmor::formats {

// One vertex made by the writer itself (an arc's midpoint, a chord vertex, a ring's closing vertex).
// z and m are read only when the geometry has them.
struct WrittenVertex {
    double x = 0;
    double y = 0;
    double z = 0;
    double m = 0;
};

// Vertices straight from a part's columns; zs and ms are empty when the part lacks them.
struct VertexColumns {
    std::span<const double> xs;
    std::span<const double> ys;
    std::span<const double> zs;
    std::span<const double> ms;
};

// What the geometry walk tells a writer, outermost first. A geometry is opened with the number of its
// members (points of a line string or circular string, rings, pieces of a compound curve, member
// geometries); the points of a string arrive in one or more runs. `tagged` members carry their own type
// (and dimension) in the text form, untagged ones are bare lists, as the text grammar wants them; the
// binary form writes a header for every one. An empty point has no count.
class GeometrySink {
public:
    virtual ~GeometrySink() = default;
    virtual void open(WrittenType type, bool tagged, std::uint32_t count) = 0;
    virtual void empty_point(bool tagged) = 0;
    virtual void column_points(const VertexColumns& columns, std::size_t begin, std::size_t end) = 0;
    virtual void listed_points(std::span<const WrittenVertex> points) = 0;
    virtual void close() = 0;
};

}  // namespace velmor::formats
