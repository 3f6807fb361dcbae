#include "runtime/convert/multipart_geometry_conversion.hpp"

#include <array>
#include <optional>
#include <span>
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

// The parts of a container as a runtime collection; none when the container is empty. Containers and
// parts are locked one at a time, so the parts are converted from a copy of the container (the parts
// stay shared) taken under its lock, and each part is locked after that lock is released.
template <class Container>
core::Result<std::optional<MutablePartCollection>> collection_of(const core::Shared<Container>& container,
                                                                 const SpatialReference* spatial_reference) {
    using Collection = std::optional<MutablePartCollection>;
    const Container parts = *container.lock(core::lock_messages::kAny);
    if (parts.empty()) return Collection();
    VELMOR_TRY_ASSIGN(MutablePartCollection collection, parts_to_runtime(parts, spatial_reference));
    return Collection(std::move(collection));
}

template <class Kind, class Assemble>
core::Result<Kind> assembled(Assemble assemble, const SpatialReference* spatial_reference,
                             std::span<const MutablePartCollection> collections) {
    auto built = assemble(spatial_reference, collections);
    if (!built) return core::fail(to_native_error(built.error()));
    return std::move(*built);
}

// Most geometries have no curves: their straight parts are then the only collection, which saves a
// collection and the moving of every part into the first one. A geometry without parts hands over none,
// and the assembly makes the empty collection.
template <class Kind, class Assemble>
core::Result<Kind> multipart_to_runtime(const std::optional<core::SpatialReference>& spatial_reference_value,
                                        const core::SharedCurveMultipart& curved,
                                        const core::SharedMultipart& straight, Assemble assemble) {
    VELMOR_TRY_ASSIGN(const std::optional<SpatialReference> spatial_reference,
                      runtime_spatial_reference(spatial_reference_value));
    const SpatialReference* reference = argument(spatial_reference);
    VELMOR_TRY_ASSIGN(std::optional<MutablePartCollection> curved_collection, collection_of(curved, reference));
    VELMOR_TRY_ASSIGN(std::optional<MutablePartCollection> straight_collection, collection_of(straight, reference));
    if (curved_collection && straight_collection) {
        const std::array collections{std::move(*curved_collection), std::move(*straight_collection)};
        return assembled<Kind>(assemble, reference, std::span<const MutablePartCollection>(collections));
    }
    const std::optional<MutablePartCollection>& only = curved_collection ? curved_collection : straight_collection;
    if (!only) return assembled<Kind>(assemble, reference, {});
    return assembled<Kind>(assemble, reference, std::span<const MutablePartCollection>(&*only, 1));
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
