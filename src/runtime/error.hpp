#pragma once

#include <cstdint>
#include <expected>
#include <string>

#include "core/native_error.hpp"

namespace velmor::runtime {

// A runtime error record, as reported by the runtime core (or made by the binding for a value it cannot
// convert).
struct Error {
    int32_t code = 0;
    std::string msg;
    std::string additional_msg;

    // Each text loses its trailing periods and gets its first character upper-cased; then
    // "msg: additional_msg", either one alone, or "No error message found".
    std::string display() const;
    // Error { code: 3, msg: "...", additional_msg: "..." } with the texts unnormalized and escaped.
    std::string debug() const;
};

// The outcome of a runtime call whose failure is returned to the caller.
template <class T>
using RuntimeResult = std::expected<T, Error>;

// A returned runtime failure as the system's error value: kind Geokern, the display text as payload.
core::NativeError to_native_error(const Error& error);

// Text between double quotes, with backslash escapes for quotes, backslashes and control characters.
std::string quoted_text(std::string_view text);

// The record made when a value read from the runtime core has no counterpart here.
Error conversion_error(std::string_view source_type, std::string_view target_type);

}  // namespace velmor::runtime
