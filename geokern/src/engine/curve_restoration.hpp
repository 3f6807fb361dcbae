#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// GEOS sees curves as chords (linearize.hpp). A CurveIndex remembers the chord vertices of every curve
// of the inputs, so that a result whose boundary runs along consecutive chords of one curve, forwards or
// backwards, gets that curve back: the whole curve when the run covers all its chords, else the sub-curve
// between the run's end vertices (an arc of the same ellipse between their polar angles, a Bezier cut
// by de Casteljau). Vertices where the run leaves the curve stay where GEOS put them, joined by straight
// segments; a sub-arc that does not refit onto its curve's ellipse stays linear.
class CurveIndex {
  public:
    // Indexes the curves of a polyline or polygon, densified with `deviation` exactly as to_geos does.
    void add(const GeometryValue& geometry, double deviation);
    bool empty() const { return curves_.empty(); }
    // Puts curves back into the parts of a polyline or polygon result.
    void restore(GeometryValue& result) const;

  private:
    struct Source {
        Vertex start, end;
        Curve curve;
        std::vector<Vertex> points;     // its chord vertices, start and end included
        std::vector<double> fractions;  // of the curve's parameter at each chord vertex, 0 first and 1 last
    };
    struct Hit {
        uint32_t curve;
        uint32_t index;  // of the chord vertex
    };
    struct Key {
        double x, y;
        auto operator<=>(const Key& other) const = default;
    };
    struct Entry {
        Key key;
        Hit hit;
    };
    struct Chord {
        uint32_t curve;
        uint32_t from;  // chord vertex index at the chord's first end
        int direction;  // +1 along the curve, -1 against it
    };

    std::vector<Chord> chords_between(double x1, double y1, double x2, double y2) const;
    PartValue restored(const PartValue& part) const;
    std::optional<Curve> piece(const Chord& first, uint32_t last_index) const;

    std::vector<Source> curves_;
    // Chord vertices that are vertices of the result being restored, sorted by key; made anew by
    // each restore.
    mutable std::vector<Entry> vertices_;
};

// The curve run the other way: an arc with its sweep negated from its end, a Bezier curve with its
// control points swapped.
Curve reversed_curve(const Curve& curve);

}  // namespace geokern::engine
