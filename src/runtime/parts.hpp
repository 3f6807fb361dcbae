#pragma once

#include <cstdint>
#include <optional>

#include "error.hpp"
#include "owned.hpp"

namespace velmor::runtime {

// The read side of runtime polylines, polygons and multipoints: part collections, parts, point
// collections and iterators over them. A runtime error is an internal failure unless the function
// returns a RuntimeResult.

int64_t size(const ImmutablePartCollection& parts);
// "Internal error: Index of part out of range" when the library refuses the index.
ImmutablePart part_at(const ImmutablePartCollection& parts, int64_t index);

int64_t point_count(const ImmutablePart& part);
bool is_empty(const ImmutablePart& part);
bool has_curves(const ImmutablePart& part);
ImmutablePointCollection points_of(const ImmutablePart& part);
RuntimeResult<Point> point_at(const ImmutablePart& part, int64_t index);
RuntimeResult<SegmentOwned> segment_at(const ImmutablePart& part, int64_t index);
// -1 when no segment ends at that point (the first point of a path).
RuntimeResult<int64_t> segment_index_ending_at(const ImmutablePart& part, int64_t point_index);

int64_t size(const ImmutablePointCollection& points);
// "Internal error: Index of point out of range" when the library refuses the index.
Point point_at(const ImmutablePointCollection& points, int64_t index);

// Iterators own their collection and read its size once, when they are made.
class PointIterator {
  public:
    explicit PointIterator(ImmutablePointCollection points);
    std::optional<Point> next();
    int64_t size() const { return size_; }

  private:
    ImmutablePointCollection points_;
    int64_t next_ = 0;
    int64_t size_;
};

class PartIterator {
  public:
    explicit PartIterator(ImmutablePartCollection parts);
    std::optional<ImmutablePart> next();
    int64_t size() const { return size_; }

  private:
    ImmutablePartCollection parts_;
    int64_t next_ = 0;
    int64_t size_;
};

}  // namespace velmor::runtime
