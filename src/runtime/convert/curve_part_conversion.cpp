#include "runtime/convert/curve_part_conversion.hpp"

#include <cstdint>
#include <utility>

#include "runtime/builders.hpp"
#include "runtime/convert/segment_conversion.hpp"
#include "runtime/error_capture.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"

namespace velmor::runtime::convert {
namespace {

// Reading the points of a part the runtime has just reported must not fail. Every point of a part has
// the z and m of its geometry, so they are not asked point by point.
core::Coord point_of(const ImmutablePart& part, int64_t index, core::Dims dims) {
    auto point = point_at(part, index);
    if (!point) unexpected_runtime_error("GK_ImmutablePart_getPoint", point.error());
    return point_coord(point->get(), dims);
}

int64_t segment_ending_at(const ImmutablePart& part, int64_t point_index) {
    auto index = segment_index_ending_at(part, point_index);
    if (!index) unexpected_runtime_error("GK_ImmutablePart_getSegmentIndexFromEndPointIndex", index.error());
    return *index;
}

// The curve data of the segment ending at a point; Linear where none does.
core::Result<core::CurveData> curve_ending_at(const ImmutablePart& part, int64_t point_index) {
    const int64_t index = segment_ending_at(part, point_index);
    if (index < 0) return core::Linear{};
    auto segment = segment_at(part, index);
    if (!segment) return core::fail(to_native_error(segment.error()));
    return curve_data_from_segment(segment->get());
}

// Pushes the points first..count-1, each with the segment ending at it.
core::Result<void> push_points(core::CurvePart& target, const ImmutablePart& part, int64_t first,
                               int64_t count, core::Dims dims) {
    for (int64_t i = first; i < count; ++i) {
        VELMOR_TRY_ASSIGN(const core::CurveData curve, curve_ending_at(part, i));
        VELMOR_TRY(target.push(point_of(part, i, dims), curve));
    }
    return {};
}

core::CurvePart sized(core::Dims dims, int64_t count) {
    core::CurvePart target(dims);
    target.reserve(static_cast<std::size_t>(count) + 1);
    return target;
}

}  // namespace

core::Result<void> write_curve_part(const MutablePart& target, const core::CurvePart& part,
                                    const SpatialReference* spatial_reference) {
    if (part.empty()) return {};
    const core::Part& vertices = part.vertices();
    const auto& entries = part.curves().entries();
    add_vertex(target, *vertices.get(0));
    for (std::size_t i = 1; i < part.size(); ++i) {
        // Most segments are straight: their end goes in as a plain vertex, without reading the start.
        if (entries[i].kind == 0) {
            add_vertex(target, *vertices.get(i));
            continue;
        }
        VELMOR_TRY(add_curve_vertex(target, *vertices.get(i - 1), *vertices.get(i), *part.curve(i),
                                    spatial_reference));
    }
    return {};
}

core::Result<MutablePart> curve_part_to_runtime(const core::CurvePart& part,
                                                const SpatialReference* spatial_reference) {
    MutablePart target = new_mutable_part(spatial_reference);
    VELMOR_TRY(write_curve_part(target, part, spatial_reference));
    return target;
}

core::Result<core::CurvePart> curve_path_from_runtime(const ImmutablePart& part, core::Dims dims) {
    const int64_t count = point_count(part);
    core::CurvePart path = sized(dims, count);
    VELMOR_TRY(push_points(path, part, 0, count, dims));
    return path;
}

core::Result<core::CurvePart> curve_ring_from_runtime(const ImmutablePart& part, core::Dims dims) {
    const int64_t count = point_count(part);
    core::CurvePart ring = sized(dims, count);
    if (count == 0) return ring;
    const core::Coord first = point_of(part, 0, dims);
    VELMOR_TRY_ASSIGN(const core::CurveData closing, curve_ending_at(part, 0));
    VELMOR_TRY(ring.push(first, core::Linear{}));
    VELMOR_TRY(push_points(ring, part, 1, count, dims));
    if (!core::is_linear(closing)) VELMOR_TRY(ring.push(first, closing));
    return ring;
}

}  // namespace velmor::runtime::convert
