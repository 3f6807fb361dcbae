#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/coord.hpp"
#include "core/internal_failure.hpp"
#include "core/shared.hpp"

namespace velmor::test {

// Leaves a shared value's lock poisoned, the way a holder that failed midway leaves it.
template <class T>
void poison(const core::Shared<T>& shared) {
    try {
        auto guard = shared.lock_ignoring_poison();
        throw std::runtime_error("holder failed");
    } catch (const std::runtime_error&) {
    }
}

// The message of the internal failure an action stops with; empty when it does not stop.
template <class Action>
std::string internal_failure_of(Action&& action) {
    try {
        action();
    } catch (const core::InternalFailure& failure) {
        return failure.what();
    }
    return {};
}

// Same value, NaN included, bit for bit.
inline bool same_double(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

inline bool same_coord(const core::Coord& a, const core::Coord& b) {
    const auto ab = a.to_buffer();
    const auto bb = b.to_buffer();
    if (a.dims() != b.dims()) return false;
    for (std::size_t i = 0; i < ab.size; ++i) {
        if (!same_double(ab.values[i], bb.values[i])) return false;
    }
    return true;
}

}  // namespace velmor::test
