#include "runtime/convert/container_conversion.hpp"

#include <exception>
#include <optional>

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

// The part is read under its lock without a copy of it. Converting only reads the part, so a failure
// inside the runtime core cannot leave it half-changed: the failure is held until the lock is released,
// so that it does not poison a part that views and other geometries share.
template <class PartT>
core::Result<MutablePart> converted_under_lock(const core::Shared<PartT>& shared,
                                               const SpatialReference* spatial_reference) {
    std::exception_ptr failure;
    std::optional<core::Result<MutablePart>> converted;
    {
        const auto part = shared.lock(core::lock_messages::kAny);
        try {
            converted.emplace(to_runtime(*part, spatial_reference));
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
    return std::move(*converted);
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
