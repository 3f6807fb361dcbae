#include "runtime/convert/part_conversion.hpp"

#include "runtime/builders.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"

namespace velmor::runtime::convert {

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

// The part's block is sized once from the runtime count and written in place; z and m are asked of
// the caller's dimensionality, not of every point.
core::Part part_from_points(ImmutablePointCollection points, core::Dims dims) {
    const auto count = static_cast<std::size_t>(size(points));
    return core::Part::filled(core::has_z(dims), core::has_m(dims), count,
                              [&](double* xs, double* ys, double* zs, double* ms) {
                                  for (std::size_t i = 0; i < count; ++i) {
                                      const Point point = point_at(points, static_cast<int64_t>(i));
                                      const core::Coord coord = point_coord(point.get(), dims);
                                      xs[i] = coord.x();
                                      ys[i] = coord.y();
                                      if (zs) zs[i] = *coord.z();
                                      if (ms) ms[i] = *coord.m();
                                  }
                              });
}

core::Part part_from_runtime(const ImmutablePart& part, core::Dims dims) {
    return part_from_points(points_of(part), dims);
}

}  // namespace velmor::runtime::convert
