#include "multipart_geometry.hpp"

#include <utility>

#include "lock_messages.hpp"

namespace velmor::core {
namespace {

template <class Container>
Result<void> check_same_dims(Dims current, const Shared<Container>& offered) {
    const Dims got = offered.lock(lock_messages::kAny)->dims();
    if (got != current) return fail(NativeError::mismatching_dims(current, got));
    return {};
}

}  // namespace

MultipartGeometry::MultipartGeometry(Dims dims)
    : linear_(SharedMultipart::make(dims)), curved_(SharedCurveMultipart::make(dims)) {}

Dims MultipartGeometry::dims() const {
    return linear_.lock(lock_messages::kRings)->dims();
}

bool MultipartGeometry::is_empty() const {
    return linear_.lock(lock_messages::kAny)->empty() && curved_.lock(lock_messages::kAny)->empty();
}

Result<void> MultipartGeometry::push_linear(SharedPart part) {
    return linear_.lock(lock_messages::kRings)->push(std::move(part));
}

Result<void> MultipartGeometry::push_curved(SharedCurvePart part) {
    return curved_.lock(lock_messages::kCurveRingsPush)->push(std::move(part));
}

Result<void> MultipartGeometry::set_linear(SharedMultipart container) {
    VELMOR_TRY(check_same_dims(dims(), container));
    linear_ = std::move(container);
    return {};
}

Result<void> MultipartGeometry::set_curved(SharedCurveMultipart container) {
    VELMOR_TRY(check_same_dims(dims(), container));
    curved_ = std::move(container);
    return {};
}

}  // namespace velmor::core
