#include "runtime/convert/container_conversion.hpp"

#include "core/lock_messages.hpp"
#include "runtime/builders.hpp"
#include "runtime/convert/curve_part_conversion.hpp"
#include "runtime/convert/part_conversion.hpp"

namespace velmor::runtime::convert {
namespace {

core::Result<MutablePart> to_runtime(const core::Part& part, const SpatialReference* spatial_reference) {
    return part_to_runtime(part, spatial_reference);
}

core::Result<MutablePart> to_runtime(const core::CurvePart& part, const SpatialReference* spatial_reference) {
    return curve_part_to_runtime(part, spatial_reference);
}

// The part is read under its lock without a copy of it; converting only reads it, so a failure inside
// the runtime core does not poison it.
template <class PartT>
core::Result<MutablePart> converted_under_lock(const core::Shared<PartT>& shared,
                                               const SpatialReference* spatial_reference) {
    return core::read_without_poisoning(shared.lock(core::lock_messages::kAny), [&](const PartT& part) {
        return to_runtime(part, spatial_reference);
    });
}

template <class PartT>
core::Result<MutablePartCollection> collection_of(const core::PartContainer<PartT>& parts,
                                                  const SpatialReference* spatial_reference) {
    MutablePartCollection collection = new_part_collection(spatial_reference);
    for (const core::Shared<PartT>& shared : parts) {
        // The collection shares the runtime part, so this owner goes as soon as it is added.
        VELMOR_TRY_ASSIGN(const MutablePart part, converted_under_lock(shared, spatial_reference));
        add_part(collection, part);
    }
    return collection;
}

}  // namespace

core::Result<MutablePartCollection> parts_to_runtime(const core::Multipart& parts,
                                                     const SpatialReference* spatial_reference) {
    return collection_of(parts, spatial_reference);
}

core::Result<MutablePartCollection> parts_to_runtime(const core::CurveMultipart& parts,
                                                     const SpatialReference* spatial_reference) {
    return collection_of(parts, spatial_reference);
}

}  // namespace velmor::runtime::convert
