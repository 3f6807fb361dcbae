#include "formats/native/read_part.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "formats/circular_arc.hpp"
#include "formats/nearly_equal.hpp"

namespace velmor::formats {
namespace {

core::Coord coord_of(double x, double y, double z, double m, core::Dims dims) {
    switch (dims) {
        case core::Dims::XY:
            return core::Coord::xy(x, y);
        case core::Dims::XYZ:
            return core::Coord::xyz(x, y, z);
        case core::Dims::XYM:
            return core::Coord::xym(x, y, m);
        case core::Dims::XYZM:
            break;
    }
    return core::Coord::xyzm(x, y, z, m);
}

}  // namespace

std::size_t ReadPart::ring_size() const {
    std::size_t count = vertices_.size();
    if (count > 1 && !curved_ && nearly_equal(vertices_.front().x, vertices_.back().x) &&
        nearly_equal(vertices_.front().y, vertices_.back().y)) {
        --count;
    }
    return count;
}

// Twice the signed area: the shoelace sum of the vertices, plus the segment between chord and arc for
// each arc.
bool ReadPart::runs_clockwise() const {
    const std::size_t count = ring_size();
    const auto planar = [](const Vertex& v) { return Coordinate{v.x, v.y}; };
    const auto cross = [](const Vertex& a, const Vertex& b) { return a.x * b.y - a.y * b.x; };
    double twice_area = 0;
    for (std::size_t i = 1; i < count; ++i) {
        const Vertex& previous = vertices_[i - 1];
        const Vertex& current = vertices_[i];
        twice_area += cross(previous, current);
        if (current.arc) {
            twice_area += 2 * arc_segment_area(planar(previous), {current.interior_x, current.interior_y},
                                               planar(current));
        }
    }
    twice_area += cross(vertices_[count - 1], vertices_.front());
    return twice_area < 0;
}

// Vertex i ends the segment from vertex i - 1; run backwards, that segment ends at vertex i - 1 and
// keeps its interior point. A full circle (an arc back to its own start) reads as counter-clockwise
// whichever way it is turned, so reversed it becomes two half circles: to the opposite point, which
// takes the z and m of the start, and back, each through its middle on the new side.
void ReadPart::reverse_curved() {
    std::vector<Vertex> reversed;
    reversed.reserve(vertices_.size() + 1);
    Vertex start = vertices_.back();
    start.arc = false;
    reversed.push_back(start);
    for (std::size_t i = vertices_.size() - 1; i > 0; --i) {
        const Vertex& segment = vertices_[i];
        Vertex end = vertices_[i - 1];
        end.arc = segment.arc;
        end.interior_x = segment.interior_x;
        end.interior_y = segment.interior_y;
        const bool full_circle = segment.arc && segment.x == end.x && segment.y == end.y;
        const Coordinate from{end.x, end.y};
        const Coordinate across{segment.interior_x, segment.interior_y};
        const auto circle = full_circle ? arc_circle(from, across, from) : std::nullopt;
        if (!circle) {
            reversed.push_back(end);
            continue;
        }
        const auto middle = [&](double turn) {
            const double angle = circle->start_angle + turn;
            return Coordinate{circle->center_x + circle->radius * std::cos(angle),
                              circle->center_y + circle->radius * std::sin(angle)};
        };
        const Coordinate there = middle(-std::numbers::pi / 2);
        const Coordinate back = middle(std::numbers::pi / 2);
        reversed.push_back({across.x, across.y, end.z, end.m, there.x, there.y, true});
        reversed.push_back({end.x, end.y, end.z, end.m, back.x, back.y, true});
    }
    vertices_ = std::move(reversed);
}

Status ReadPart::orient_ring(bool clockwise) {
    if (!curved_) {
        if (ring_size() < 3) return FormatError::geometry("a polygon ring needs at least 3 vertices");
        if (runs_clockwise() != clockwise) std::ranges::reverse(vertices_);
        return {};
    }
    if (runs_clockwise() != clockwise) reverse_curved();
    return {};
}

core::Part ReadPart::to_part(core::Dims dims) const {
    return core::Part::filled(core::has_z(dims), core::has_m(dims), vertices_.size(),
                              [&](double* xs, double* ys, double* zs, double* ms) {
                                  for (std::size_t i = 0; i < vertices_.size(); ++i) {
                                      const Vertex& v = vertices_[i];
                                      xs[i] = v.x;
                                      ys[i] = v.y;
                                      if (zs != nullptr) zs[i] = v.z;
                                      if (ms != nullptr) ms[i] = v.m;
                                  }
                              });
}

// Vertex 0 starts the part and has no segment of its own.
core::CurvePart ReadPart::to_curve_part(core::Dims dims) const {
    core::CurvePart part(dims);
    part.reserve(vertices_.size());
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
        const Vertex& v = vertices_[i];
        const core::CurveData curve = v.arc && i > 0 ? core::CurveData(core::CircularArc{v.interior_x, v.interior_y})
                                                     : core::CurveData(core::Linear{});
        // Only vertex 0 may refuse a curve, and it is given none.
        (void)part.push(coord_of(v.x, v.y, v.z, v.m, dims), curve);
    }
    return part;
}

}  // namespace velmor::formats
