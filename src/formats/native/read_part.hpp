#pragma once

#include <vector>

#include "core/curve_part.hpp"
#include "core/part.hpp"
#include "formats/coordinate.hpp"
#include "formats/format_error.hpp"

namespace velmor::formats {

// One path or ring as a reader reports it, before it becomes a part of the native model: its vertices
// in input order, each with the interior point of the circular arc that ends there, if one does.
class ReadPart {
  public:
    // Room for a typical ring up front (within the allocator's small-block cache): growing vertex by
    // vertex costs more than reading one.
    ReadPart() { vertices_.reserve(typical_size); }

    void push(const Coordinate& vertex) { vertices_.push_back({vertex.x, vertex.y, vertex.z, vertex.m, 0, 0, false}); }
    void push_arc(const Coordinate& interior, const Coordinate& end) {
        vertices_.push_back({end.x, end.y, end.z, end.m, interior.x, interior.y, true});
        curved_ = true;
    }

    std::size_t size() const { return vertices_.size(); }
    void clear() {
        vertices_.clear();
        curved_ = false;
    }

    // Turns a ring clockwise (an outer ring) or counter-clockwise (a hole), as the model keeps rings;
    // arcs are reversed with it. Refuses a ring of fewer than three distinct vertices.
    Status orient_ring(bool clockwise);

    core::Part to_part(core::Dims dims) const;
    core::CurvePart to_curve_part(core::Dims dims) const;

  private:
    static constexpr std::size_t typical_size = 16;

    // A vertex as the part keeps it: z and m mean what the geometry's layout says.
    struct Vertex {
        double x;
        double y;
        double z;
        double m;
        double interior_x;
        double interior_y;
        bool arc;  // the segment ending here is a circular arc through the interior point
    };

    // The vertices that make the ring: without a straight ring's closing vertex.
    std::size_t ring_size() const;
    bool runs_clockwise() const;
    void reverse_curved();

    std::vector<Vertex> vertices_;
    bool curved_ = false;  // some segment is an arc
};

}  // namespace velmor::formats
