#pragma once

#include <unordered_map>
#include <vector>

#include "engine/linearize.hpp"

namespace geokern::engine {

// Where the z and m of a result vertex come from: a vertex taken from an input keeps its z and m; a vertex
// on an input segment gets them interpolated along it; any other vertex gets NaN. Built over the inputs'
// straight forms (curves as chords) only when some input has z or m.
class VertexAttributes {
  public:
    VertexAttributes() = default;
    void add(const GeometryValue& geometry, double deviation);
    // z and m for the vertex at (x, y); NaN for both when no input vertex or segment holds it.
    void fill(Vertex& vertex) const;
    bool empty() const { return vertices_.empty() && segments_.empty(); }

  private:
    struct Key {
        double x, y;
        bool operator==(const Key& other) const { return x == other.x && y == other.y; }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    struct Segment {
        Vertex a, b;
        double xmin, xmax, ymin, ymax;
    };
    void add_points(const LinearPart& part, bool as_segments);
    void index_segments() const;

    std::unordered_map<Key, Vertex, KeyHash> vertices_;
    mutable std::vector<Segment> segments_;  // sorted by xmin once queried
    mutable bool sorted_ = false;
    mutable double widest_ = 0.0;
};

}  // namespace geokern::engine
