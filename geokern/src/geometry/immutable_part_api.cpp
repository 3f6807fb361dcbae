// The ImmutablePart family: one part of a polyline or polygon, read only. See part.hpp for how points
// and segments are numbered; a ring's closing segment ends at point 0.
#include "geometry/part_reading.hpp"

using namespace geokern;

namespace {

const PartValue& part_of(GK_ImmutablePartHandle part) {
    return *value_of(part).part;
}
const SpatialReferenceRef& spatial_of(GK_ImmutablePartHandle part) {
    return value_of(part).spatial_reference;
}

}  // namespace

void GK_ImmutablePart_destroy(GK_ImmutablePartHandle part, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(part); });
}

GEOKERN_PART_READERS(ImmutablePart, GK_ImmutablePartHandle)

GK_ImmutablePointCollectionHandle GK_ImmutablePart_getPoints(GK_ImmutablePartHandle part, GK_EH) {
    return guarded<GK_ImmutablePointCollectionHandle>(handler, [&] {
        const ImmutablePartValue& value = value_of(part);
        return make_handle<GK_ImmutablePointCollectionHandle>(
            ImmutablePointCollectionValue{value.part, value.spatial_reference});
    });
}
