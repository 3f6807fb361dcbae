#include "engine/area_points.hpp"

#include <algorithm>

namespace geokern::engine {
namespace {

// The crossings of a horizontal ray from (x, y) to the right with ring edges, and whether the point lay
// on one of them. An edge counts with its lower end and without its upper one, so a ray through a
// vertex counts once; horizontal edges never count.
class RayCrossings {
  public:
    RayCrossings(double x, double y) : x_(x), y_(y) {}

    void count(const LinearPart& ring) {
        for (size_t i = 1; i < ring.size() && !on_boundary_; ++i) {
            count_edge(ring.xs[i - 1], ring.ys[i - 1], ring.xs[i], ring.ys[i]);
        }
    }

    bool on_boundary() const { return on_boundary_; }
    bool inside() const { return !on_boundary_ && crossings_ % 2 == 1; }
    // 1 inside, 0 on an edge, -1 outside.
    int location() const { return on_boundary_ ? 0 : inside() ? 1 : -1; }

  private:
    void count_edge(double x1, double y1, double x2, double y2) {
        if (x1 < x_ && x2 < x_) return;
        if (x2 == x_ && y2 == y_) {
            on_boundary_ = true;
            return;
        }
        if (y1 == y_ && y2 == y_) {
            if (x_ >= std::min(x1, x2) && x_ <= std::max(x1, x2)) on_boundary_ = true;
            return;
        }
        if ((y1 > y_ && y2 <= y_) || (y2 > y_ && y1 <= y_)) {
            int side = GEOSOrientationIndex_r(geos(), x1, y1, x2, y2, x_, y_);
            if (side == 0) {
                on_boundary_ = true;
                return;
            }
            if (y2 < y1) side = -side;
            if (side > 0) ++crossings_;
        }
    }

    double x_, y_;
    size_t crossings_ = 0;
    bool on_boundary_ = false;
};

// The ring alone: 1 inside, 0 on it, -1 outside.
int ring_location(const LinearPart& ring, double x, double y) {
    RayCrossings ray(x, y);
    ray.count(ring);
    return ray.location();
}

bool covered_by_polygon(const PolygonRings& polygons, const RingGroup& group, double x, double y) {
    const int outer = ring_location(polygons.rings[group.outer], x, y);
    if (outer <= 0) return outer == 0;
    for (size_t hole : group.holes) {
        const int in_hole = ring_location(polygons.rings[hole], x, y);
        if (in_hole == 0) return true;
        if (in_hole > 0) return false;
    }
    return true;
}

}  // namespace

bool covered_even_odd(const PolygonRings& polygons, double x, double y) {
    return location_even_odd(polygons, x, y) >= 0;
}

int location_even_odd(const PolygonRings& polygons, double x, double y) {
    RayCrossings ray(x, y);
    for (const LinearPart& ring : polygons.rings) ray.count(ring);
    return ray.location();
}

bool covered_by_polygons(const PolygonRings& polygons, double x, double y) {
    for (const RingGroup& group : polygons.groups.groups) {
        if (covered_by_polygon(polygons, group, x, y)) return true;
    }
    return false;
}

}  // namespace geokern::engine
