#include "engine/relate_edges.hpp"

#include <algorithm>
#include <cmath>

namespace geokern::engine {
namespace {

// Edges per block: enough that a block's extent stays close to its edges along a boundary, few enough
// that two meeting blocks cost little to compare edge by edge.
constexpr uint32_t block_size = 8;

bool has_length(const LinearPart& part) {
    for (size_t i = 1; i < part.size(); ++i) {
        if (part.xs[i] != part.xs[0] || part.ys[i] != part.ys[0]) return true;
    }
    return false;
}

std::pair<double, double> point_key(double x, double y) { return {x + 0.0, y + 0.0}; }

}  // namespace

RelateEdges::RelateEdges(const std::vector<LinearPart>& parts, bool areal) : parts_(&parts), areal_(areal) {
    for (uint32_t p = 0; p < parts.size(); ++p) {
        const LinearPart& part = parts[p];
        if (part.size() < 2 || !has_length(part)) usable_ = false;
        for (uint32_t first = 0; first + 1 < part.size(); first += block_size) {
            const uint32_t last = std::min<uint32_t>(first + block_size, static_cast<uint32_t>(part.size() - 1));
            Block block{part.xs[first], part.xs[first], part.ys[first], part.ys[first], {p, first}, last - first};
            for (uint32_t i = first + 1; i <= last; ++i) {
                block.xmin = std::min(block.xmin, part.xs[i]);
                block.xmax = std::max(block.xmax, part.xs[i]);
                block.ymin = std::min(block.ymin, part.ys[i]);
                block.ymax = std::max(block.ymax, part.ys[i]);
            }
            if (!std::isfinite(block.xmin + block.xmax + block.ymin + block.ymax)) usable_ = false;
            blocks_.push_back(block);
        }
    }
    std::sort(blocks_.begin(), blocks_.end(), [](const Block& a, const Block& b) { return a.xmin < b.xmin; });
}

RelateEdges RelateEdges::of_rings(const PolygonRings& polygons) {
    RelateEdges edges(polygons.rings, true);
    edges.area_on_right_.assign(polygons.rings.size(), true);
    // Outer rings run clockwise and holes counter-clockwise, so the area lies to the right of both; a
    // counter-clockwise ring that no outer ring holds is an area of its own, to its left.
    for (const RingGroup& group : polygons.groups.groups) {
        const LinearPart& outer = polygons.rings[group.outer];
        const double area2 = signed_area2(outer.xs, outer.ys);
        if (area2 == 0.0 || !std::isfinite(area2)) edges.usable_ = false;
        edges.area_on_right_[group.outer] = area2 < 0.0;
    }
    return edges;
}

RelateEdges RelateEdges::of_paths(const std::vector<LinearPart>& paths) {
    RelateEdges edges(paths, false);
    std::vector<std::pair<double, double>> ends;
    for (const LinearPart& path : paths) {
        if (path.size() == 0) continue;
        ends.push_back(point_key(path.xs.front(), path.ys.front()));
        ends.push_back(point_key(path.xs.back(), path.ys.back()));
    }
    std::sort(ends.begin(), ends.end());
    for (size_t i = 0; i < ends.size();) {
        size_t j = i;
        while (j < ends.size() && ends[j] == ends[i]) ++j;
        if ((j - i) % 2 == 1) edges.boundary_points_.push_back(ends[i]);
        i = j;
    }
    return edges;
}

bool RelateEdges::on_boundary(double x, double y) const {
    return std::binary_search(boundary_points_.begin(), boundary_points_.end(), point_key(x, y));
}

}  // namespace geokern::engine
