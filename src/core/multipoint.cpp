#include "multipoint.hpp"

#include <utility>

#include "lock_messages.hpp"

namespace velmor::core {

Dims Multipoint::dims() const {
    return points_.lock(lock_messages::kRings)->dims();
}

bool Multipoint::is_empty() const {
    return points_.lock(lock_messages::kAny)->empty();
}

Result<void> Multipoint::set_points(SharedPart part) {
    const Dims current = dims();
    const Dims offered = part.lock(lock_messages::kAny)->dims();
    if (offered != current) return fail(NativeError::mismatching_dims(current, offered));
    points_ = std::move(part);
    return {};
}

}  // namespace velmor::core
