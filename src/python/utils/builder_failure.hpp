#pragma once

#include "core/result.hpp"
#include "errors.hpp"
#include "formats/format_error.hpp"

namespace velmor::py::utils {

// A Python operation of a builder failed: the walk stops with the exception's type name, ": " and
// its message as the geometry error text (the exception itself is consumed).
formats::FormatError builder_failure(NativeError error);

}  // namespace velmor::py::utils

// Inside a builder event (which returns formats::Status): runs a Python step that returns a Result
// and stops the walk with builder_failure when it fails.
#define VELMOR_BUILD_ASSIGN(decl, expr)                                \
    auto VELMOR_CONCAT(velmor_step_, __LINE__) = (expr);               \
    if (!VELMOR_CONCAT(velmor_step_, __LINE__))                        \
        return ::velmor::py::utils::builder_failure(                   \
            std::move(VELMOR_CONCAT(velmor_step_, __LINE__).error())); \
    decl = std::move(*VELMOR_CONCAT(velmor_step_, __LINE__))

#define VELMOR_BUILD(expr)                                                               \
    do {                                                                                 \
        if (auto velmor_step = (expr); !velmor_step)                                     \
            return ::velmor::py::utils::builder_failure(std::move(velmor_step.error())); \
    } while (false)
