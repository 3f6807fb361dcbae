#pragma once

#include <algorithm>
#include <vector>

#include "engine/relate_edges.hpp"

namespace geokern::engine {

namespace sweep_detail {

using Block = RelateEdges::Block;

inline bool blocks_meet(const Block& a, const Block& b) {
    return a.xmin <= b.xmax && b.xmin <= a.xmax && a.ymin <= b.ymax && b.ymin <= a.ymax;
}

// Drops the blocks that end before x (they meet no block still to come).
inline void drop_ended(std::vector<const Block*>& active, double x) {
    std::erase_if(active, [x](const Block* block) { return block->xmax < x; });
}

template <typename Visit>
bool visit_edges(const RelateEdges& a, const Block& from_a, const RelateEdges& b, const Block& from_b, Visit& visit) {
    const LinearPart& part_a = a.parts()[from_a.first.part];
    const LinearPart& part_b = b.parts()[from_b.first.part];
    for (uint32_t i = from_a.first.index; i < from_a.first.index + from_a.count; ++i) {
        const double ax1 = part_a.xs[i], ax2 = part_a.xs[i + 1], ay1 = part_a.ys[i], ay2 = part_a.ys[i + 1];
        if (std::max(ax1, ax2) < from_b.xmin || std::min(ax1, ax2) > from_b.xmax ||
            std::max(ay1, ay2) < from_b.ymin || std::min(ay1, ay2) > from_b.ymax) {
            continue;
        }
        for (uint32_t j = from_b.first.index; j < from_b.first.index + from_b.count; ++j) {
            const double bx1 = part_b.xs[j], bx2 = part_b.xs[j + 1], by1 = part_b.ys[j], by2 = part_b.ys[j + 1];
            if (std::max(ax1, ax2) < std::min(bx1, bx2) || std::max(bx1, bx2) < std::min(ax1, ax2) ||
                std::max(ay1, ay2) < std::min(by1, by2) || std::max(by1, by2) < std::min(ay1, ay2)) {
                continue;
            }
            if (!visit(EdgeRef{from_a.first.part, i}, EdgeRef{from_b.first.part, j})) return false;
        }
    }
    return true;
}

// Compares a block with the other set's blocks still open at its least x.
template <typename Visit>
bool meet_open_blocks(const RelateEdges& a, const RelateEdges& b, const Block& block, bool block_of_a,
                      std::vector<const Block*>& open_others, Visit& visit) {
    drop_ended(open_others, block.xmin);
    for (const Block* other : open_others) {
        if (!blocks_meet(block, *other)) continue;
        const bool go_on =
            block_of_a ? visit_edges(a, block, b, *other, visit) : visit_edges(a, *other, b, block, visit);
        if (!go_on) return false;
    }
    return true;
}

}  // namespace sweep_detail

// Calls visit(edge of a, edge of b) for every pair of edges whose extents meet, sweeping both block
// lists by least x, until visit returns false. Returns whether every pair was visited.
template <typename Visit>
bool for_each_close_pair(const RelateEdges& a, const RelateEdges& b, Visit&& visit) {
    using namespace sweep_detail;
    const std::vector<Block>& blocks_a = a.blocks();
    const std::vector<Block>& blocks_b = b.blocks();
    std::vector<const Block*> open_a, open_b;
    size_t next_a = 0, next_b = 0;
    // Once one set has no block left to come and none open, nothing more can meet.
    while ((next_a < blocks_a.size() || next_b < blocks_b.size()) && !(next_a == blocks_a.size() && open_a.empty()) &&
           !(next_b == blocks_b.size() && open_b.empty())) {
        const bool take_a =
            next_b == blocks_b.size() || (next_a < blocks_a.size() && blocks_a[next_a].xmin <= blocks_b[next_b].xmin);
        const Block& block = take_a ? blocks_a[next_a++] : blocks_b[next_b++];
        if (!meet_open_blocks(a, b, block, take_a, take_a ? open_b : open_a, visit)) return false;
        // A block only waits for blocks of the other set still to come.
        if (take_a ? next_b < blocks_b.size() : next_a < blocks_a.size()) (take_a ? open_a : open_b).push_back(&block);
    }
    return true;
}

}  // namespace geokern::engine
