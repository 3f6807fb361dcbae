#include "engine/douglas_peucker.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace geokern::engine {
namespace {

struct Segment {
    double ax, ay, bx, by;
};

struct Offset {
    double dx, dy;
};

// From the nearest point of the segment to the point.
Offset offset_from_segment(double px, double py, const Segment& s) {
    const double dx = s.bx - s.ax, dy = s.by - s.ay;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0.0 ? ((px - s.ax) * dx + (py - s.ay) * dy) / length2 : 0.0;
    t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    return Offset{px - (s.ax + t * dx), py - (s.ay + t * dy)};
}

double distance_to_segment(double px, double py, const Segment& s) {
    const Offset offset = offset_from_segment(px, py, s);
    return std::hypot(offset.dx, offset.dy);
}

// Whether a vertex whose square distance is `square` is surely nearer than `distance`: the square is a
// few roundings from the exact one, which the margin holds, so the exact hypot (many times dearer) is
// needed only for vertices that may be the farthest. Overflow, underflow and no distance found yet
// leave the answer no.
bool surely_nearer(double square, double distance) {
    return distance > 0.0 && square < distance * distance * (1.0 - 1e-9);
}

struct Farthest {
    double distance = -1.0;
    size_t index = 0;
};

// Leaves hold this many vertices: small enough to skip much, large enough that the tree stays small.
constexpr size_t leaf_size = 16;

// A box over the vertices [begin, end); NaN coordinates are left out of it, as their distance is never
// the largest. A node without children is a leaf.
struct Node {
    double xmin = INFINITY, ymin = INFINITY, xmax = -INFINITY, ymax = -INFINITY;
    size_t begin = 0, end = 0;
    int64_t left = -1, right = -1;
};

class VertexBoxes {
public:
    explicit VertexBoxes(const LinearPart& line) : line_(line) {
        nodes_.reserve(2 * (line.size() / leaf_size + 1));
        build(0, line.size());
    }

    // The farthest vertex strictly between first and last from the segment joining them. A short
    // section is scanned: its boxes would cost more than they skip.
    Farthest farthest(size_t first, size_t last) const {
        const Segment segment{line_.xs[first], line_.ys[first], line_.xs[last], line_.ys[last]};
        Farthest found;
        if (last - first <= 8 * leaf_size) {
            scan(first + 1, last, segment, found);
        } else {
            search(0, first + 1, last - 1, segment, found);
        }
        return found;
    }

private:
    int64_t build(size_t begin, size_t end) {
        const auto index = static_cast<int64_t>(nodes_.size());
        nodes_.push_back(Node{});
        Node node;
        node.begin = begin;
        node.end = end;
        if (end - begin <= leaf_size) {
            for (size_t i = begin; i < end; ++i) {
                node.xmin = std::min(node.xmin, line_.xs[i]), node.xmax = std::max(node.xmax, line_.xs[i]);
                node.ymin = std::min(node.ymin, line_.ys[i]), node.ymax = std::max(node.ymax, line_.ys[i]);
            }
        } else {
            const size_t middle = begin + (end - begin) / 2;
            node.left = build(begin, middle);
            node.right = build(middle, end);
            const Node &a = nodes_[static_cast<size_t>(node.left)], &b = nodes_[static_cast<size_t>(node.right)];
            node.xmin = std::min(a.xmin, b.xmin), node.xmax = std::max(a.xmax, b.xmax);
            node.ymin = std::min(a.ymin, b.ymin), node.ymax = std::max(a.ymax, b.ymax);
        }
        nodes_[static_cast<size_t>(index)] = node;
        return index;
    }

    // Whether no vertex of the box lies further from the segment than `distance`: no corner does. The
    // squares of the corners' distances settle it unless they lie within rounding of the distance; then
    // their exact distances do.
    static bool no_farther_than(const Node& node, const Segment& segment, double distance) {
        if (!(distance >= 0.0)) return false;
        bool near_tie = false;
        for (double x : {node.xmin, node.xmax}) {
            for (double y : {node.ymin, node.ymax}) {
                const Offset offset = offset_from_segment(x, y, segment);
                const double square = offset.dx * offset.dx + offset.dy * offset.dy;
                if (surely_nearer(square, distance)) continue;
                if (!(square <= distance * distance * (1.0 + 1e-9))) return false;
                near_tie = true;
            }
        }
        if (!near_tie) return true;
        for (double x : {node.xmin, node.xmax}) {
            for (double y : {node.ymin, node.ymax}) {
                if (!(distance_to_segment(x, y, segment) <= distance)) return false;
            }
        }
        return true;
    }

    // The vertices [begin, end) one by one, in index order.
    void scan(size_t begin, size_t end, const Segment& segment, Farthest& found) const {
        for (size_t i = begin; i < end; ++i) {
            const Offset offset = offset_from_segment(line_.xs[i], line_.ys[i], segment);
            if (surely_nearer(offset.dx * offset.dx + offset.dy * offset.dy, found.distance)) continue;
            const double d = std::hypot(offset.dx, offset.dy);
            if (d > found.distance) found = Farthest{d, i};
        }
    }

    // Nodes are visited in index order, so a vertex found later replaces the one found only when it is
    // strictly farther, and a box that cannot hold a strictly farther vertex is passed over.
    void search(size_t at, size_t low, size_t high, const Segment& segment, Farthest& found) const {
        const Node& node = nodes_[at];
        if (node.end <= low || node.begin > high) return;
        if (node.xmin > node.xmax) return;  // only NaN vertices
        if (no_farther_than(node, segment, found.distance)) return;
        if (node.left < 0) {
            scan(std::max(node.begin, low), std::min(node.end, high + 1), segment, found);
            return;
        }
        search(static_cast<size_t>(node.left), low, high, segment, found);
        search(static_cast<size_t>(node.right), low, high, segment, found);
    }

    const LinearPart& line_;
    std::vector<Node> nodes_;
};

}  // namespace

// An explicit stack of sections instead of recursion, for long lines.
std::vector<bool> douglas_peucker_kept(const LinearPart& line, double tolerance) {
    const size_t n = line.size();
    std::vector<bool> keep(n, false);
    if (n == 0) return keep;
    keep[0] = keep[n - 1] = true;
    const VertexBoxes boxes(line);
    std::vector<std::pair<size_t, size_t>> sections{{0, n - 1}};
    while (!sections.empty()) {
        const auto [first, last] = sections.back();
        sections.pop_back();
        if (last <= first + 1) continue;
        const Farthest farthest = boxes.farthest(first, last);
        if (!(farthest.distance > tolerance)) continue;
        keep[farthest.index] = true;
        sections.push_back({farthest.index, last});
        sections.push_back({first, farthest.index});
    }
    return keep;
}

}  // namespace geokern::engine
