#include "engine/early_relate.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/area_points.hpp"
#include "engine/edge_meeting.hpp"
#include "engine/edge_sweep.hpp"
#include "engine/node_sectors.hpp"

namespace geokern::engine {
namespace {

// Two edges that meet at a node: an end point of one of them.
struct NodeMeeting {
    Xy at;
    EdgeRef a, b;
};

bool before(Xy p, Xy q) { return p.x < q.x || (p.x == q.x && p.y < q.y); }

// A piece of an edge, as a range along the edge's longer axis.
using Range = std::pair<double, double>;

bool along_x(Xy p, Xy q) { return std::abs(q.x - p.x) >= std::abs(q.y - p.y); }

double along(Xy point, bool by_x) { return by_x ? point.x : point.y; }

// Whether the ranges cover the edge from p to q.
bool covers(std::vector<Range> ranges, Xy p, Xy q) {
    const bool by_x = along_x(p, q);
    double reach = std::min(along(p, by_x), along(q, by_x));
    std::sort(ranges.begin(), ranges.end());
    for (const Range& range : ranges) {
        if (range.first > reach) return false;
        reach = std::max(reach, range.second);
    }
    return reach >= std::max(along(p, by_x), along(q, by_x));
}

uint64_t edge_key(EdgeRef edge) { return uint64_t{edge.part} << 32 | edge.index; }

struct Extent {
    double xmin = INFINITY, xmax = -INFINITY, ymin = INFINITY, ymax = -INFINITY;
};

Extent extent_of(const RelateEdges& edges) {
    Extent extent;
    for (const RelateEdges::Block& block : edges.blocks()) {
        extent = {std::min(extent.xmin, block.xmin), std::max(extent.xmax, block.xmax),
                  std::min(extent.ymin, block.ymin), std::max(extent.ymax, block.ymax)};
    }
    return extent;
}

bool within(const Extent& inner, const Extent& outer) {
    return inner.xmin >= outer.xmin && inner.xmax <= outer.xmax && inner.ymin >= outer.ymin && inner.ymax <= outer.ymax;
}

bool extents_meet(const Extent& a, const Extent& b) {
    return a.xmin <= b.xmax && b.xmin <= a.xmax && a.ymin <= b.ymax && b.ymin <= a.ymax;
}

// The matrix of two areas or two lines, found step by step until the question is answered.
class PairAnalysis {
  public:
    PairAnalysis(const GeosForm& a, const GeosForm& b, const MatrixQuestion& question)
        : form_a_(a), form_b_(b), a_(*a.edges()), b_(*b.edges()), areal_(a_.areal()), question_(question),
          matrix_(dimension(a_), boundary_dimension(a_), dimension(b_), boundary_dimension(b_)),
          a_met_(a_.parts().size()), b_met_(b_.parts().size()) {}

    std::optional<bool> run() {
        if (!from_extents()) {
            apart(true);
            apart(false);
            matrix_.close();
            return answer();
        }
        if (auto known = answer()) return known;
        if (areal_ && (place_ring_starts(true) || place_ring_starts(false))) return answer();
        if (!sweep()) return answer();
        if (!(areal_ ? close_areas() : close_lines())) return std::nullopt;
        return answer();
    }

  private:
    static int dimension(const RelateEdges& edges) { return edges.areal() ? 2 : 1; }
    static int boundary_dimension(const RelateEdges& edges) {
        if (edges.areal()) return 1;
        return edges.boundary_points().empty() ? -1 : 0;
    }

    std::optional<bool> answer() const { return question_(matrix_, dimension(a_), dimension(b_)); }

    // A fact about a place of one geometry (a or b) against a place of the other; true when it was
    // news that answers the question.
    bool found(bool of_a, Place own, Place other, int dimension) {
        const bool news = of_a ? matrix_.at_least(own, other, dimension) : matrix_.at_least(other, own, dimension);
        return news && answer().has_value();
    }

    // A vertex of one geometry outside the other: its interior (and an area's boundary) reach the
    // exterior there.
    bool found_outside(bool of_a) {
        const bool interior_out = found(of_a, interior, exterior, areal_ ? 2 : 1);
        return (areal_ && found(of_a, boundary, exterior, 1)) || interior_out;
    }

    // One geometry wholly in the other's exterior.
    void apart(bool of_a) {
        const RelateEdges& own = of_a ? a_ : b_;
        found(of_a, interior, exterior, dimension(own));
        if (boundary_dimension(own) >= 0) found(of_a, boundary, exterior, boundary_dimension(own));
    }

    // False when the extents do not meet. A geometry whose extent reaches beyond the other's has a
    // vertex outside it.
    bool from_extents() {
        const Extent extent_a = extent_of(a_), extent_b = extent_of(b_);
        if (!extents_meet(extent_a, extent_b)) return false;
        if (!within(extent_a, extent_b)) found_outside(true);
        if (!within(extent_b, extent_a)) found_outside(false);
        return true;
    }

    // Where a boundary point of one area lies in the other: 1 inside, 0 on its boundary, -1 outside.
    bool found_boundary_point(bool of_a, int location) {
        if (location == 0) return found(of_a, boundary, boundary, 0);
        if (location < 0) return found_outside(of_a);
        // Inside the other: so is the area near it, and its exterior.
        const bool interiors = found(of_a, interior, interior, 2);
        const bool exterior_in = found(of_a, exterior, interior, 2);
        return found(of_a, boundary, interior, 1) || interiors || exterior_in;
    }

    // The first vertex of each ring of one area located in the other; true once that answers.
    bool place_ring_starts(bool of_a) {
        const RelateEdges& own = of_a ? a_ : b_;
        const PolygonRings& other = *(of_a ? form_b_ : form_a_).areas();
        for (const LinearPart& ring : own.parts()) {
            if (found_boundary_point(of_a, location_even_odd(other, ring.xs[0], ring.ys[0]))) return true;
        }
        return false;
    }

    Xy point(bool of_a, EdgeRef edge, uint32_t step) const {
        const LinearPart& part = (of_a ? a_ : b_).parts()[edge.part];
        return {part.xs[edge.index + step] + 0.0, part.ys[edge.index + step] + 0.0};
    }

    // Every pair of edges that may meet; false when stopped because the question is answered.
    bool sweep() {
        context_ = geos();
        return for_each_close_pair(a_, b_, [this](EdgeRef edge_a, EdgeRef edge_b) { return meet(edge_a, edge_b); });
    }

    bool meet(EdgeRef edge_a, EdgeRef edge_b) {
        const std::array<Xy, 4> ends{point(true, edge_a, 0), point(true, edge_a, 1), point(false, edge_b, 0),
                                     point(false, edge_b, 1)};
        if (ends[0] == ends[1] || ends[2] == ends[3]) return true;
        const EdgeMeeting meeting = edge_meeting(context_, ends[0], ends[1], ends[2], ends[3]);
        switch (meeting.kind) {
            case EdgeMeeting::none: return true;
            case EdgeMeeting::crossing: return !found_crossing(ends);
            case EdgeMeeting::touch: return !found_node(edge_a, edge_b, meeting, ends);
            case EdgeMeeting::overlap: {
                const bool node_answers = found_node(edge_a, edge_b, meeting, ends);
                return !(found_common_piece(edge_a, edge_b, meeting, ends) || node_answers);
            }
        }
        return true;
    }

    // Two edges cross inside both. Two areas' interiors and exteriors all meet near the crossing, and
    // each boundary runs through the other's interior and exterior; two lines' interiors meet.
    bool found_crossing(const std::array<Xy, 4>& ends) {
        crossing_ = true;
        if (!areal_) return !path_end_at(ends) && found(true, interior, interior, 0);
        bool answered = false;
        for (Place own : {interior, exterior}) {
            for (Place other : {interior, exterior}) answered = found(true, own, other, 2) || answered;
            answered = found(true, own, boundary, 1) || answered;
            answered = found(true, boundary, own, 1) || answered;
        }
        return found(true, boundary, boundary, 0) || answered;
    }

    bool found_node(EdgeRef edge_a, EdgeRef edge_b, const EdgeMeeting& meeting, const std::array<Xy, 4>& ends) {
        bool answered = false;
        for (size_t i = 0; i < 4; ++i) {
            if (!meeting.on_other[i] || noted_before(meeting, ends, i)) continue;
            node_meetings_.push_back(NodeMeeting{ends[i], edge_a, edge_b});
            if (areal_) {
                answered = found(true, boundary, boundary, 0) || answered;
            } else {
                answered = found(true, line_place(a_, ends[i]), line_place(b_, ends[i]), 0) || answered;
            }
        }
        a_met_[edge_a.part] = true;
        b_met_[edge_b.part] = true;
        return answered;
    }

    // Whether a path end of either line lies where two of their edges cross, which makes the crossing
    // a boundary point of that line (its node then says so) rather than a point of both interiors.
    bool path_end_at(const std::array<Xy, 4>& ends) const {
        const double xmin = std::max(std::min(ends[0].x, ends[1].x), std::min(ends[2].x, ends[3].x));
        const double xmax = std::min(std::max(ends[0].x, ends[1].x), std::max(ends[2].x, ends[3].x));
        for (const RelateEdges* line : {&a_, &b_}) {
            const auto& points = line->boundary_points();
            for (auto p = std::lower_bound(points.begin(), points.end(), std::pair<double, double>{xmin, -INFINITY});
                 p != points.end() && p->first <= xmax; ++p) {
                const Xy at{p->first, p->second};
                if (on_edge(context_, at, ends[0], ends[1]) && on_edge(context_, at, ends[2], ends[3])) return true;
            }
        }
        return false;
    }

    // Whether an earlier end point on the other edge is the same point (two edges from one vertex).
    static bool noted_before(const EdgeMeeting& meeting, const std::array<Xy, 4>& ends, size_t i) {
        for (size_t j = 0; j < i; ++j) {
            if (meeting.on_other[j] && ends[j] == ends[i]) return true;
        }
        return false;
    }

    static Place line_place(const RelateEdges& line, Xy p) { return line.on_boundary(p.x, p.y) ? boundary : interior; }

    // Two edges share a piece: the boundaries of two areas meet in a line there, the interiors of two
    // lines too, and each line's piece is covered by the other.
    bool found_common_piece(EdgeRef edge_a, EdgeRef edge_b, const EdgeMeeting& meeting, const std::array<Xy, 4>& ends) {
        if (areal_) return found(true, boundary, boundary, 1);
        add_covered(covered_a_[edge_key(edge_a)], ends[0], ends[1], meeting, ends);
        add_covered(covered_b_[edge_key(edge_b)], ends[2], ends[3], meeting, ends);
        return found(true, interior, interior, 1);
    }

    static void add_covered(std::vector<Range>& ranges, Xy p, Xy q, const EdgeMeeting& meeting,
                            const std::array<Xy, 4>& ends) {
        const bool by_x = along_x(p, q);
        Range range{INFINITY, -INFINITY};
        for (size_t i = 0; i < 4; ++i) {
            if (!meeting.on_other[i]) continue;
            range = {std::min(range.first, along(ends[i], by_x)), std::max(range.second, along(ends[i], by_x))};
        }
        ranges.push_back(range);
    }

    // ---- after every pair has met ----

    // The meetings grouped by node.
    void sort_nodes() {
        std::sort(node_meetings_.begin(), node_meetings_.end(),
                  [](const NodeMeeting& m, const NodeMeeting& n) { return before(m.at, n.at); });
    }

    bool is_node(Xy p) const {
        const auto found = std::lower_bound(node_meetings_.begin(), node_meetings_.end(), p,
                                            [](const NodeMeeting& m, Xy q) { return before(m.at, q); });
        return found != node_meetings_.end() && found->at == p;
    }

    bool close_areas() {
        if (!crossing_) {
            sort_nodes();
            for (size_t first = 0; first < node_meetings_.size();) {
                size_t end = first;
                while (end < node_meetings_.size() && node_meetings_[end].at == node_meetings_[first].at) ++end;
                if (!add_node_sectors(context_, node_meetings_[first].at, rays_at(first, end), matrix_)) return false;
                first = end;
            }
            if (!place_rings_without_nodes(true) || !place_rings_without_nodes(false)) return false;
        }
        matrix_.close();
        return true;
    }

    // The rays of the edges of both areas at the node of meetings [first, end).
    std::vector<NodeRay> rays_at(size_t first, size_t end) const {
        const Xy node = node_meetings_[first].at;
        std::vector<NodeRay> rays;
        for (bool of_a : {true, false}) {
            std::vector<EdgeRef> edges;
            for (size_t i = first; i < end; ++i) edges.push_back(of_a ? node_meetings_[i].a : node_meetings_[i].b);
            std::sort(edges.begin(), edges.end());
            edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
            for (EdgeRef edge : edges) {
                const bool right = (of_a ? a_ : b_).area_on_right(edge.part);
                const Xy start = point(of_a, edge, 0), end_point = point(of_a, edge, 1);
                if (!(node == end_point)) rays.push_back(NodeRay{end_point, of_a, !right});
                if (!(node == start)) rays.push_back(NodeRay{start, of_a, right});
            }
        }
        return rays;
    }

    // A ring that meets the other area nowhere lies wholly inside or outside it, as its first vertex.
    bool place_rings_without_nodes(bool of_a) {
        const RelateEdges& own = of_a ? a_ : b_;
        const std::vector<bool>& met = of_a ? a_met_ : b_met_;
        const PolygonRings& other = *(of_a ? form_b_ : form_a_).areas();
        for (size_t r = 0; r < own.parts().size(); ++r) {
            if (met[r]) continue;
            const LinearPart& ring = own.parts()[r];
            const int location = location_even_odd(other, ring.xs[0], ring.ys[0]);
            if (location == 0) return false;
            found_boundary_point(of_a, location);
        }
        return true;
    }

    bool close_lines() {
        sort_nodes();
        close_line(true);
        close_line(false);
        matrix_.close();
        return true;
    }

    // A line reaches the other's exterior where common pieces leave an edge of it uncovered, and its
    // boundary does where a boundary point is not a node.
    void close_line(bool of_a) {
        const RelateEdges& own = of_a ? a_ : b_;
        const auto& covered = of_a ? covered_a_ : covered_b_;
        if (!all_covered(of_a, covered)) found(of_a, interior, exterior, 1);
        for (const auto& [x, y] : own.boundary_points()) {
            if (!is_node(Xy{x, y})) found(of_a, boundary, exterior, 0);
        }
    }

    bool all_covered(bool of_a, const std::unordered_map<uint64_t, std::vector<Range>>& covered) const {
        const RelateEdges& own = of_a ? a_ : b_;
        for (uint32_t p = 0; p < own.parts().size(); ++p) {
            for (uint32_t i = 0; i + 1 < own.parts()[p].size(); ++i) {
                const EdgeRef edge{p, i};
                const Xy start = point(of_a, edge, 0), end = point(of_a, edge, 1);
                if (start == end) continue;
                const auto ranges = covered.find(edge_key(edge));
                if (ranges == covered.end() || !covers(ranges->second, start, end)) return false;
            }
        }
        return true;
    }

    const GeosForm& form_a_;
    const GeosForm& form_b_;
    const RelateEdges& a_;
    const RelateEdges& b_;
    const bool areal_;
    const MatrixQuestion& question_;
    MatrixBounds matrix_;
    GEOSContextHandle_t context_ = nullptr;
    bool crossing_ = false;
    std::vector<NodeMeeting> node_meetings_;
    std::vector<bool> a_met_, b_met_;  // whether a part has a node
    std::unordered_map<uint64_t, std::vector<Range>> covered_a_, covered_b_;
};

}  // namespace

std::optional<bool> early_answer(const GeosForm& a, const GeosForm& b, const MatrixQuestion& question) {
    const RelateEdges* edges_a = a.edges();
    const RelateEdges* edges_b = b.edges();
    if (edges_a == nullptr || edges_b == nullptr || !edges_a->usable() || !edges_b->usable() ||
        edges_a->areal() != edges_b->areal()) {
        return std::nullopt;
    }
    return PairAnalysis(a, b, question).run();
}

}  // namespace geokern::engine
