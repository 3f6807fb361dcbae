#include "runtime/convert/part_conversion.hpp"

#include <utility>

#include "runtime/builders.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"

namespace velmor::runtime::convert {

void write_part(const MutablePart& target, const core::Part& part) {
    for (std::size_t i = 0; i < part.size(); ++i) add_vertex(target, *part.get(i));
}

MutablePart part_to_runtime(const core::Part& part, const SpatialReference* spatial_reference) {
    MutablePart target = new_mutable_part(spatial_reference);
    write_part(target, part);
    return target;
}

core::Part part_from_points(ImmutablePointCollection points, core::Dims dims) {
    PointIterator iterator(std::move(points));
    core::Part part(dims);
    part.reserve(static_cast<std::size_t>(iterator.size()));
    while (auto point = iterator.next()) part.push(point_coord(point->get()));
    return part;
}

core::Part part_from_runtime(const ImmutablePart& part, core::Dims dims) {
    return part_from_points(points_of(part), dims);
}

}  // namespace velmor::runtime::convert
