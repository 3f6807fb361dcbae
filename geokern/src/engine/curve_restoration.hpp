#pragma once

#include <unordered_map>
#include <vector>

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// Puts the inputs' curves back into a result that went through GEOS as chords: every run of consecutive
// result vertices equal to a whole curved segment of an input in its chord form (its start, each chord
// vertex, its end, compared exactly), in either direction, becomes that curved segment again. Partial
// runs (a curve cut by the operation) stay chords. A closed result part that starts inside such a run
// is turned to start at the run's first vertex instead.
class CurveRestorer {
  public:
    void add(const GeometryValue& input, double deviation);
    void restore(GeometryValue& result) const;
    bool empty() const { return runs_.empty(); }

  private:
    struct Key {
        double x, y;
        bool operator==(const Key& other) const { return x == other.x && y == other.y; }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    struct Run {
        std::vector<double> xs, ys;  // start, chord vertices, end
        Curve curve;
    };
    PartValue restored(const PartValue& part) const;
    // The run that starts at result vertex `at` of the columns (forwards or backwards), and its length.
    const Run* match(const std::vector<double>& xs, const std::vector<double>& ys, size_t at, bool& backwards) const;

    std::vector<Run> runs_;
    std::unordered_map<Key, std::vector<size_t>, KeyHash> by_end_;  // both ends of each run
    std::unordered_map<Key, bool, KeyHash> inner_;                    // chord vertices inside a run
};

// The curve run the other way: an arc with its sweep negated from its end, a Bezier curve with its
// control points swapped.
Curve reversed_curve(const Curve& curve);

}  // namespace geokern::engine
