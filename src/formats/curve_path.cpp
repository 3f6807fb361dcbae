#include "curve_path.hpp"

#include <cmath>

namespace velmor::formats {
namespace {

bool same_value(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Every value and the layout: a shared point that is written once must not lose anything.
bool same_point(const Coordinate& a, const Coordinate& b) {
    return a.layout == b.layout && same_value(a.x, b.x) && same_value(a.y, b.y) &&
           (!a.layout.has_z || same_value(a.z, b.z)) && (!a.layout.has_m || same_value(a.m, b.m));
}

}  // namespace

Status CurvePath::piece(GeometryType kind, bool announce) {
    kind_ = kind;
    points_ = 0;
    ++pieces_;
    if (announce) return out_.compound_piece(kind);
    return {};
}

Status CurvePath::point(const Coordinate& c) {
    const std::size_t index = points_++;
    if (index == 0 && last_) return join(c);
    last_ = c;
    if (index == 0) {
        first_ = c;
        return out_.coordinate(c);
    }
    if (kind_ != GeometryType::CircularString) return out_.coordinate(c);
    if (index % 2 == 1) {
        interior_ = c;
        return {};
    }
    return out_.arc(interior_, c);
}

Status CurvePath::join(const Coordinate& c) const {
    if (same_point(*last_, c)) return {};
    return error_("COMPOUNDCURVE piece " + std::to_string(pieces_) + " does not start where piece " +
                  std::to_string(pieces_ - 1) + " ends");
}

Status CurvePath::end_piece() const {
    if (kind_ == GeometryType::CircularString) {
        if (points_ >= 3 && points_ % 2 == 1) return {};
        return error_("CIRCULARSTRING needs an odd number of at least 3 points, got " + std::to_string(points_));
    }
    if (points_ >= 2) return {};
    return error_("LINESTRING in a curve needs at least 2 points, got " + std::to_string(points_));
}

Status CurvePath::closed(std::size_t ring) const {
    if (first_ && first_->x == last_->x && first_->y == last_->y) return {};
    return error_("CURVEPOLYGON ring " + std::to_string(ring) + " is not closed: it ends elsewhere than it starts");
}

}  // namespace velmor::formats
