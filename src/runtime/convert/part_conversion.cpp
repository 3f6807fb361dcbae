#include "runtime/convert/part_conversion.hpp"

#include <optional>
#include <utility>
#include <vector>

#include "runtime/builders.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"

namespace velmor::runtime::convert {
namespace {

// A column sized once for the part, present only when the part has that coordinate.
std::optional<std::vector<double>> column_if(bool present, std::size_t count) {
    if (!present) return std::nullopt;
    return std::vector<double>(count);
}

}  // namespace

// The columns are read straight and every vertex goes in by one call; only a vertex with m needs a
// point of its own, since parts take m through points alone.
void write_part(const MutablePart& target, const core::Part& part) {
    if (part.has_m()) {
        for (std::size_t i = 0; i < part.size(); ++i) add_vertex(target, *part.get(i));
        return;
    }
    const FunctionTable& gk = functions();
    const auto xs = part.xs(), ys = part.ys();
    if (const auto zs = part.zs()) {
        for (std::size_t i = 0; i < xs.size(); ++i)
            invoke_or_fail("GK_MutablePart_addPointXYZ", gk.MutablePart_addPointXYZ, target.get(), xs[i], ys[i],
                           (*zs)[i]);
        return;
    }
    for (std::size_t i = 0; i < xs.size(); ++i)
        invoke_or_fail("GK_MutablePart_addPointXY", gk.MutablePart_addPointXY, target.get(), xs[i], ys[i]);
}

MutablePart part_to_runtime(const core::Part& part, const SpatialReference* spatial_reference) {
    MutablePart target = new_mutable_part(spatial_reference);
    write_part(target, part);
    return target;
}

// The columns are sized once from the runtime count; z and m are asked of the caller's dimensionality,
// not of every point.
core::Part part_from_points(ImmutablePointCollection points, core::Dims dims) {
    const auto count = static_cast<std::size_t>(size(points));
    std::vector<double> xs(count), ys(count);
    auto zs = column_if(core::has_z(dims), count);
    auto ms = column_if(core::has_m(dims), count);
    for (std::size_t i = 0; i < count; ++i) {
        const Point point = point_at(points, static_cast<int64_t>(i));
        const core::Coord coord = point_coord(point.get(), dims);
        xs[i] = coord.x();
        ys[i] = coord.y();
        if (zs) (*zs)[i] = *coord.z();
        if (ms) (*ms)[i] = *coord.m();
    }
    return core::Part::from_columns(std::move(xs), std::move(ys), std::move(zs), std::move(ms));
}

core::Part part_from_runtime(const ImmutablePart& part, core::Dims dims) {
    return part_from_points(points_of(part), dims);
}

}  // namespace velmor::runtime::convert
