#include "parts.hpp"

#include "core/internal_failure.hpp"
#include "error_capture.hpp"
#include "owned_result.hpp"

namespace velmor::runtime {

int64_t size(const ImmutablePartCollection& parts) {
    return invoke_or_fail(VELMOR_GK(ImmutablePartCollection_getSize), parts.get());
}

ImmutablePart part_at(const ImmutablePartCollection& parts, int64_t index) {
    auto part = invoke(functions().ImmutablePartCollection_getPart, parts.get(), index);
    if (!part) core::internal_failure("Internal error: Index of part out of range");
    return ImmutablePart::take(*part);
}

int64_t point_count(const ImmutablePart& part) {
    return invoke_or_fail(VELMOR_GK(ImmutablePart_getPointCount), part.get());
}

bool is_empty(const ImmutablePart& part) {
    return invoke_or_fail(VELMOR_GK(ImmutablePart_getIsEmpty), part.get()) != 0;
}

bool has_curves(const ImmutablePart& part) {
    return invoke_or_fail(VELMOR_GK(ImmutablePart_getHasCurves), part.get()) != 0;
}

ImmutablePointCollection points_of(const ImmutablePart& part) {
    return ImmutablePointCollection::take(invoke_or_fail(VELMOR_GK(ImmutablePart_getPoints), part.get()));
}

RuntimeResult<Point> point_at(const ImmutablePart& part, int64_t index) {
    return owned_or_error<Point>(invoke(functions().ImmutablePart_getPoint, part.get(), index));
}

RuntimeResult<SegmentOwned> segment_at(const ImmutablePart& part, int64_t index) {
    return owned_or_error<SegmentOwned>(invoke(functions().ImmutablePart_getSegment, part.get(), index));
}

RuntimeResult<int64_t> segment_index_ending_at(const ImmutablePart& part, int64_t point_index) {
    return invoke(functions().ImmutablePart_getSegmentIndexFromEndPointIndex, part.get(), point_index);
}

int64_t size(const ImmutablePointCollection& points) {
    return invoke_or_fail(VELMOR_GK(ImmutablePointCollection_getSize), points.get());
}

Point point_at(const ImmutablePointCollection& points, int64_t index) {
    auto point = invoke(functions().ImmutablePointCollection_getPoint, points.get(), index);
    if (!point) core::internal_failure("Internal error: Index of point out of range");
    return Point::take(*point);
}

PointIterator::PointIterator(ImmutablePointCollection points)
    : points_(std::move(points)), size_(runtime::size(points_)) {}

std::optional<Point> PointIterator::next() {
    if (next_ >= size_) return std::nullopt;
    return point_at(points_, next_++);
}

PartIterator::PartIterator(ImmutablePartCollection parts)
    : parts_(std::move(parts)), size_(runtime::size(parts_)) {}

std::optional<ImmutablePart> PartIterator::next() {
    if (next_ >= size_) return std::nullopt;
    return part_at(parts_, next_++);
}

}  // namespace velmor::runtime
