#include "runtime/convert/multipoint_conversion.hpp"

#include "core/lock_messages.hpp"
#include "runtime/builders.hpp"
#include "runtime/convert/geometry_spatial_reference.hpp"
#include "runtime/convert/part_conversion.hpp"
#include "runtime/geometry.hpp"

namespace velmor::runtime::convert {

core::Result<Multipoint> multipoint_to_runtime(const core::Multipoint& multipoint) {
    VELMOR_TRY_ASSIGN(const std::optional<SpatialReference> spatial_reference,
                      runtime_spatial_reference(multipoint.spatial_reference()));
    // The points are read under their lock without a copy; a failure releases it unpoisoned.
    auto built = core::read_without_poisoning(
        multipoint.points().lock(core::lock_messages::kAny), [&](const core::Part& points) {
            return assemble_multipoint(argument(spatial_reference), points.size(),
                                       [&](std::size_t index) { return *points.get(index); });
        });
    if (!built) return core::fail(to_native_error(built.error()));
    return std::move(*built);
}

core::Multipoint multipoint_from_runtime(const Multipoint& runtime) {
    const core::Dims dims = core::dims_from_flags(has_z(runtime.get()), has_m(runtime.get()));
    core::Part points = part_from_points(runtime::points(runtime.get()), dims);
    return core::Multipoint(core::SharedPart(std::move(points)), native_spatial_reference(runtime.get()));
}

}  // namespace velmor::runtime::convert
