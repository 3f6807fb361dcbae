#include "polygon.hpp"

#include <string>
#include <utility>

#include "lock_messages.hpp"

namespace velmor::core {
namespace {

Result<void> check_ring(const Part& ring) {
    if (ring.size() < 3) {
        return fail(NativeError::insufficient_ring("Linear ring requires len >= 3, but got: " +
                                                   std::to_string(ring.size())));
    }
    return {};
}

Result<void> check_ring(const CurvePart& ring) {
    if (ring.size() < 2) {
        return fail(NativeError::insufficient_ring("Curved ring requires at least 2 vertices, but got: " +
                                                   std::to_string(ring.size())));
    }
    if (ring.size() == 2 && is_linear(*ring.curve(1))) {
        return fail(NativeError::insufficient_ring(
            "Curved ring with only two vertices requires a curved segment in order to enclose an area"));
    }
    return {};
}

}  // namespace

Result<Polygon> Polygon::build(Dims dims, std::vector<SharedPart> rings,
                               std::vector<SharedCurvePart> curve_rings,
                               std::optional<SpatialReference> spatial_reference) {
    Polygon polygon(dims);
    for (SharedPart& ring : rings) VELMOR_TRY(polygon.push_ring(std::move(ring)));
    for (SharedCurvePart& ring : curve_rings) VELMOR_TRY(polygon.push_curve_ring(std::move(ring)));
    polygon.set_spatial_reference(std::move(spatial_reference));
    return polygon;
}

Result<void> Polygon::push_ring(SharedPart part) {
    VELMOR_TRY(check_ring(*part.lock(lock_messages::kAny)));
    return push_linear(std::move(part));
}

Result<void> Polygon::push_curve_ring(SharedCurvePart part) {
    VELMOR_TRY(check_ring(*part.lock(lock_messages::kAny)));
    return push_curved(std::move(part));
}

}  // namespace velmor::core
