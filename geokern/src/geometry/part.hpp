#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "geometry/curve.hpp"

namespace geokern {

// A curved segment of a part: the index of the segment and its shape.
struct CurveEntry {
    int64_t segment;
    Curve curve;
};

// How a part stores its points and segments.
//
// Points are kept column-wise (xs, ys, and zs / ms only when the part has z / m; a missing value is NaN).
// Segment i runs from point i to point i + 1. An open part (a path, or any mutable part) of n points has
// n - 1 segments. A closed part (a ring of a polygon) also has the closing segment n - 1, from the last
// point back to point 0: the segment ending at point 0 is the closing segment, and the first point is
// not repeated at the end (a polygon drops a repeated last point when it is built, its incoming segment
// becoming the closing one). Parts of fewer than two points have no segments.
//
// Segments are straight unless `curves` holds an entry for them; `curves` is sorted by segment index and
// only as long as the number of curved segments, so a straight part costs nothing beyond its columns.
// A segment's end points are always the part's points; a curve keeps only its shape.
struct PartValue {
    bool has_z = false;
    bool has_m = false;
    bool closed = false;
    std::vector<double> xs, ys, zs, ms;
    std::vector<CurveEntry> curves;

    int64_t point_count() const { return static_cast<int64_t>(xs.size()); }
    int64_t segment_count() const;
    bool empty() const { return xs.empty(); }
    // Inline: reading a part point by point calls it once per vertex.
    Vertex point(int64_t index) const {
        const auto i = static_cast<size_t>(index);
        return Vertex{xs[i], ys[i], has_z ? zs[i] : nan_value, has_m ? ms[i] : nan_value};
    }
    const Curve* curve_of(int64_t segment) const;
    bool has_curves() const { return !curves.empty(); }

    // Index arithmetic; a bad index argument is an out-of-range error, "none" is -1.
    void check_point_index(int64_t index) const {
        if (index < 0 || index >= point_count()) point_index_out_of_range(index);
    }
    void check_segment_index(int64_t index) const;
    int64_t start_point_of(int64_t segment) const;
    int64_t end_point_of(int64_t segment) const;
    int64_t segment_starting_at(int64_t point) const;
    int64_t segment_ending_at(int64_t point) const;

  private:
    [[noreturn]] void point_index_out_of_range(int64_t index) const;
};

// Bounds of all points and the bulges of all curves.
Bounds part_bounds(const PartValue& part);
double part_length(const PartValue& part);

bool near_part(const PartValue& a, const PartValue& b, double tolerance);
uint64_t part_hash(const PartValue& part);

// A polygon's rings are closed: a last point equal (in x and y) to the first is dropped when the ring
// keeps at least two other points, and the closing segment takes over its curve.
void close_ring(PartValue& part);
// The open form of a ring: the first point repeated at the end, the closing segment's curve kept, so
// that closing it again gives the same ring.
void reopen_ring(PartValue& part);

}  // namespace geokern
