#pragma once

#include <functional>
#include <string>

#include "core/internal_failure.hpp"

namespace velmor::test {

// The message of the internal failure an action raises, or "no internal failure".
inline std::string internal_failure_of(const std::function<void()>& action) {
    try {
        action();
    } catch (const core::InternalFailure& failure) {
        return failure.what();
    }
    return "no internal failure";
}

}  // namespace velmor::test
