#pragma once

#include <expected>

#include "native_error.hpp"

namespace velmor::core {

// Failures travel as values: every fallible operation returns its result or a NativeError.
template <class T>
using Result = std::expected<T, NativeError>;

inline std::unexpected<NativeError> fail(NativeError error) { return std::unexpected(std::move(error)); }

}  // namespace velmor::core

#define VELMOR_CONCAT_INNER(a, b) a##b
#define VELMOR_CONCAT(a, b) VELMOR_CONCAT_INNER(a, b)

// Returns the error of a failed Result from the enclosing function, or moves its value into `decl`:
//     VELMOR_TRY_ASSIGN(auto n, ring.size());
// Works in any function whose return type is a Result (the error converts to any Result<T>).
#define VELMOR_TRY_ASSIGN(decl, expr)                                                                  \
    auto VELMOR_CONCAT(velmor_try_, __LINE__) = (expr);                                               \
    if (!VELMOR_CONCAT(velmor_try_, __LINE__))                                                        \
        return ::velmor::core::fail(std::move(VELMOR_CONCAT(velmor_try_, __LINE__).error()));          \
    decl = std::move(*VELMOR_CONCAT(velmor_try_, __LINE__))

// The same for a Result<void>, or when the value is not needed.
#define VELMOR_TRY(expr)                                                                               \
    do {                                                                                               \
        if (auto velmor_try_result = (expr); !velmor_try_result)                                        \
            return ::velmor::core::fail(std::move(velmor_try_result.error()));                          \
    } while (false)

namespace velmor::core {

}  // namespace velmor::core
