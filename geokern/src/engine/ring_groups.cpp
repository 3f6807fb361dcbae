#include "engine/ring_groups.hpp"

#include <algorithm>

#include "engine/geos_conversion.hpp"

namespace geokern::engine {
namespace {

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }


bool ring_passes(const LinearPart& ring, double x, double y) {
    for (size_t i = 1; i < ring.size(); ++i) {
        const double x1 = ring.xs[i - 1], y1 = ring.ys[i - 1], x2 = ring.xs[i], y2 = ring.ys[i];
        if (x < std::min(x1, x2) || x > std::max(x1, x2) || y < std::min(y1, y2) || y > std::max(y1, y2)) continue;
        if ((x2 - x1) * (y - y1) - (y2 - y1) * (x - x1) == 0.0) return true;
    }
    return false;
}

// Whether an outer ring holds a hole: judged at the hole's first vertex off the outer ring (a hole may
// touch its ring), or at the middle of its first edge when every vertex lies on it.
bool holds_ring(const LinearPart& outer, const LinearPart& hole) {
    for (size_t i = 0; i + 1 < hole.size(); ++i) {
        if (!ring_passes(outer, hole.xs[i], hole.ys[i])) return ring_holds(outer, hole.xs[i], hole.ys[i]);
    }
    return ring_holds(outer, 0.5 * (hole.xs[0] + hole.xs[1]), 0.5 * (hole.ys[0] + hole.ys[1]));
}

}  // namespace

bool ring_holds(const LinearPart& ring, double x, double y) {
    bool inside = false;
    for (size_t i = 1; i < ring.size(); ++i) {
        const double x1 = ring.xs[i - 1], y1 = ring.ys[i - 1], x2 = ring.xs[i], y2 = ring.ys[i];
        if ((y1 > y) != (y2 > y) && x < x1 + (y - y1) * (x2 - x1) / (y2 - y1)) inside = !inside;
    }
    return inside;
}

RingGroups group_rings(const std::vector<LinearPart>& rings) {
    std::vector<double> area2(rings.size());
    for (size_t i = 0; i < rings.size(); ++i) area2[i] = signed_area2(rings[i].xs, rings[i].ys);
    return group_rings(rings, area2);
}

RingGroups group_rings(const std::vector<LinearPart>& rings, const std::vector<double>& area2) {
    std::vector<size_t> outers, holes;
    for (size_t i = 0; i < rings.size(); ++i) (area2[i] <= 0.0 ? outers : holes).push_back(i);
    RingGroups result;
    for (size_t o : outers) result.groups.push_back(RingGroup{o, {}});
    for (size_t h : holes) {
        size_t best = outers.size();
        for (size_t k = 0; k < outers.size(); ++k) {
            if (!holds_ring(rings[outers[k]], rings[h])) continue;
            if (best == outers.size() || -area2[outers[k]] < -area2[outers[best]]) best = k;
        }
        if (best == outers.size()) result.lonely.push_back(h);
        else result.groups[best].holes.push_back(h);
    }
    return result;
}

bool all_collinear(const LinearPart& part) {
    const size_t n = part.size();
    size_t other = 1;
    while (other < n && part.xs[other] == part.xs[0] && part.ys[other] == part.ys[0]) ++other;
    if (other >= n) return true;
    const double ux = part.xs[other] - part.xs[0], uy = part.ys[other] - part.ys[0];
    for (size_t i = other + 1; i < n; ++i) {
        if (cross(ux, uy, part.xs[i] - part.xs[0], part.ys[i] - part.ys[0]) != 0.0) return false;
    }
    return true;
}

}  // namespace geokern::engine
