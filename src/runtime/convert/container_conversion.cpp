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

template <class PartT>
core::Result<MutablePartCollection> collection_of(const core::PartContainer<PartT>& parts,
                                                  const SpatialReference* spatial_reference) {
    MutablePartCollection collection = new_part_collection(spatial_reference);
    for (const core::Shared<PartT>& shared : parts) {
        // The part is copied under its lock and converted after it: a failure inside the runtime core
        // would otherwise poison a part that views and other geometries share. The collection copies
        // the runtime part, so that goes as soon as it is added.
        const PartT copy = *shared.lock(core::lock_messages::kAny);
        VELMOR_TRY_ASSIGN(const MutablePart part, to_runtime(copy, spatial_reference));
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
