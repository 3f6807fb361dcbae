#include "runtime/convert/multipart_geometry_conversion.hpp"

#include <array>
#include <utility>

#include "core/lock_messages.hpp"
#include "runtime/builders.hpp"
#include "runtime/convert/container_conversion.hpp"
#include "runtime/convert/curve_part_conversion.hpp"
#include "runtime/convert/geometry_spatial_reference.hpp"
#include "runtime/convert/part_conversion.hpp"
#include "runtime/geometry.hpp"
#include "runtime/parts.hpp"

namespace velmor::runtime::convert {
namespace {

template <class Container>
core::Result<MutablePartCollection> collection_of(const core::Shared<Container>& container,
                                                  const SpatialReference* spatial_reference) {
    // Converted from a copy taken under the lock (the parts stay shared), so that a failure while
    // converting leaves the lock sound.
    const Container parts = *container.lock(core::lock_messages::kAny);
    return parts_to_runtime(parts, spatial_reference);
}

template <class Kind, class Assemble>
core::Result<Kind> multipart_to_runtime(const std::optional<core::SpatialReference>& spatial_reference_value,
                                        const core::SharedCurveMultipart& curved,
                                        const core::SharedMultipart& straight, Assemble assemble) {
    VELMOR_TRY_ASSIGN(const std::optional<SpatialReference> spatial_reference,
                      runtime_spatial_reference(spatial_reference_value));
    VELMOR_TRY_ASSIGN(MutablePartCollection curved_parts, collection_of(curved, argument(spatial_reference)));
    VELMOR_TRY_ASSIGN(MutablePartCollection straight_parts,
                      collection_of(straight, argument(spatial_reference)));
    const std::array collections{std::move(curved_parts), std::move(straight_parts)};
    auto built = assemble(argument(spatial_reference), std::span<const MutablePartCollection>(collections));
    if (!built) return core::fail(to_native_error(built.error()));
    return std::move(*built);
}

// The parts of a runtime polyline or polygon sorted into the two native containers.
struct Containers {
    core::Multipart straight;
    core::CurveMultipart curved;
};

template <class ReadCurved>
core::Result<Containers> read_parts(GK_GeometryHandle geometry, core::Dims dims, ReadCurved read_curved) {
    Containers containers{core::Multipart(dims), core::CurveMultipart(dims)};
    PartIterator parts(runtime::parts(geometry));
    while (auto part = parts.next()) {
        if (has_curves(*part)) {
            VELMOR_TRY_ASSIGN(core::CurvePart curved, read_curved(*part, dims));
            VELMOR_TRY(containers.curved.push(core::SharedCurvePart(std::move(curved))));
        } else {
            VELMOR_TRY(containers.straight.push(core::SharedPart(part_from_runtime(*part, dims))));
        }
    }
    return containers;
}

core::Dims dims_of(GK_GeometryHandle geometry) {
    return core::dims_from_flags(has_z(geometry), has_m(geometry));
}

}  // namespace

core::Result<Polyline> polyline_to_runtime(const core::Polyline& polyline) {
    return multipart_to_runtime<Polyline>(polyline.spatial_reference(), polyline.curve_paths(),
                                          polyline.paths(), assemble_polyline_from_collections);
}

core::Result<Polygon> polygon_to_runtime(const core::Polygon& polygon) {
    return multipart_to_runtime<Polygon>(polygon.spatial_reference(), polygon.curve_rings(), polygon.rings(),
                                         assemble_polygon_from_collections);
}

core::Result<core::Polyline> polyline_from_runtime(const Polyline& runtime) {
    const core::Dims dims = dims_of(runtime.get());
    VELMOR_TRY_ASSIGN(Containers containers, read_parts(runtime.get(), dims, curve_path_from_runtime));
    core::Polyline polyline(dims);
    VELMOR_TRY(polyline.set_paths(core::SharedMultipart(std::move(containers.straight))));
    VELMOR_TRY(polyline.set_curve_paths(core::SharedCurveMultipart(std::move(containers.curved))));
    polyline.set_spatial_reference(native_spatial_reference(runtime.get()));
    return polyline;
}

core::Result<core::Polygon> polygon_from_runtime(const Polygon& runtime) {
    const core::Dims dims = dims_of(runtime.get());
    VELMOR_TRY_ASSIGN(Containers containers, read_parts(runtime.get(), dims, curve_ring_from_runtime));
    core::Polygon polygon(dims);
    VELMOR_TRY(polygon.set_rings(core::SharedMultipart(std::move(containers.straight))));
    VELMOR_TRY(polygon.set_curve_rings(core::SharedCurveMultipart(std::move(containers.curved))));
    polygon.set_spatial_reference(native_spatial_reference(runtime.get()));
    return polygon;
}

}  // namespace velmor::runtime::convert
