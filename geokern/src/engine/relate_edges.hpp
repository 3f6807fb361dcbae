#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/geos_conversion.hpp"

namespace geokern::engine {

// One straight edge: from point `index` of a part to the next point.
struct EdgeRef {
    uint32_t part;
    uint32_t index;
    auto operator<=>(const EdgeRef&) const = default;
};

// The straight edges of an area's rings or a line's paths as the relation layer reads them, in blocks
// of consecutive edges sorted by their least x (the index two edge sets are swept through), with what
// the layer asks of the parts: on which side of each ring the area lies, and a line's boundary points
// (the ends of its paths by the mod-2 rule: an end shared by an even number of path ends is inside).
class RelateEdges {
  public:
    struct Block {
        double xmin, xmax, ymin, ymax;
        EdgeRef first;
        uint32_t count;
    };

    static RelateEdges of_rings(const PolygonRings& polygons);
    static RelateEdges of_paths(const std::vector<LinearPart>& paths);

    // False when the layer cannot reason about these parts (a ring without orientation, a path without
    // length): relations then go to GEOS.
    bool usable() const { return usable_; }
    bool areal() const { return areal_; }
    const std::vector<LinearPart>& parts() const { return *parts_; }
    const std::vector<Block>& blocks() const { return blocks_; }
    // Rings only: whether the area lies to the right of the ring's direction.
    bool area_on_right(size_t part) const { return area_on_right_[part]; }
    // Paths only: sorted.
    const std::vector<std::pair<double, double>>& boundary_points() const { return boundary_points_; }
    bool on_boundary(double x, double y) const;

  private:
    explicit RelateEdges(const std::vector<LinearPart>& parts, bool areal);

    const std::vector<LinearPart>* parts_;
    bool areal_;
    bool usable_ = true;
    std::vector<Block> blocks_;
    std::vector<bool> area_on_right_;
    std::vector<std::pair<double, double>> boundary_points_;
};

}  // namespace geokern::engine
