#include "engine/node_sectors.hpp"

#include <algorithm>
#include <optional>

namespace geokern::engine {
namespace {

// Rays in counter-clockwise order from the direction of positive x.
class AngularOrder {
  public:
    AngularOrder(GEOSContextHandle_t context, Xy node) : context_(context), node_(node) {}

    bool before(const NodeRay& r, const NodeRay& s) const {
        const int half_r = half(r.to), half_s = half(s.to);
        if (half_r != half_s) return half_r < half_s;
        return !(r.to == s.to) && turn(r, s) > 0;
    }
    bool same_direction(const NodeRay& r, const NodeRay& s) const {
        return r.to == s.to || (half(r.to) == half(s.to) && turn(r, s) == 0);
    }

  private:
    // 0 for directions from positive x up to (not including) negative x, 1 for the rest.
    int half(Xy to) const { return to.y > node_.y || (to.y == node_.y && to.x > node_.x) ? 0 : 1; }
    int turn(const NodeRay& r, const NodeRay& s) const {
        return GEOSOrientationIndex_r(context_, node_.x, node_.y, r.to.x, r.to.y, s.to.x, s.to.y);
    }

    GEOSContextHandle_t context_;
    Xy node_;
};

// The rays of one direction: at most one of each area (more is an area that doubles back on itself).
struct Direction {
    const NodeRay* of_a = nullptr;
    const NodeRay* of_b = nullptr;
};

std::optional<std::vector<Direction>> directions_of(const std::vector<NodeRay>& sorted, const AngularOrder& order) {
    std::vector<Direction> directions;
    for (size_t i = 0; i < sorted.size(); ++i) {
        if (i == 0 || !order.same_direction(sorted[i - 1], sorted[i])) directions.emplace_back();
        const NodeRay*& slot = sorted[i].of_a ? directions.back().of_a : directions.back().of_b;
        if (slot != nullptr) return std::nullopt;
        slot = &sorted[i];
    }
    return directions;
}

// Whether each sector (the one counter-clockwise after each direction) lies inside one area: the area
// of its last ray, which must alternate.
std::optional<std::vector<bool>> sectors_inside(const std::vector<Direction>& directions, bool of_a) {
    auto ray = [of_a](const Direction& direction) { return of_a ? direction.of_a : direction.of_b; };
    std::optional<bool> inside;
    for (const Direction& direction : directions) {
        if (ray(direction) != nullptr) inside = ray(direction)->area_counterclockwise;
    }
    if (!inside) return std::nullopt;
    std::vector<bool> sectors;
    for (const Direction& direction : directions) {
        if (const NodeRay* r = ray(direction)) {
            // Crossing a boundary leaves the area on one side for the other.
            if (r->area_counterclockwise == *inside) return std::nullopt;
            inside = r->area_counterclockwise;
        }
        sectors.push_back(*inside);
    }
    return sectors;
}

Place place(bool inside) { return inside ? interior : exterior; }

}  // namespace

bool add_node_sectors(GEOSContextHandle_t context, Xy node, std::vector<NodeRay> rays, MatrixBounds& matrix) {
    const AngularOrder order(context, node);
    std::sort(rays.begin(), rays.end(), [&order](const NodeRay& r, const NodeRay& s) { return order.before(r, s); });
    const auto directions = directions_of(rays, order);
    if (!directions) return false;
    const auto in_a = sectors_inside(*directions, true), in_b = sectors_inside(*directions, false);
    if (!in_a || !in_b) return false;
    matrix.at_least(boundary, boundary, 0);
    for (size_t i = 0; i < directions->size(); ++i) {
        const Direction& direction = (*directions)[i];
        matrix.at_least(place((*in_a)[i]), place((*in_b)[i]), 2);
        if (direction.of_a != nullptr && direction.of_b != nullptr) matrix.at_least(boundary, boundary, 1);
        else if (direction.of_a != nullptr) matrix.at_least(boundary, place((*in_b)[i]), 1);
        else matrix.at_least(place((*in_a)[i]), boundary, 1);
    }
    return true;
}

}  // namespace geokern::engine
