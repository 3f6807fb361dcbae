#pragma once

#include <cstdint>
#include <string>

#include "interface.hpp"

namespace geokern {

// A failure of one call: thrown inside the library, caught at the C boundary and reported through the
// caller's error handler. Texts are lower-case sentences; the binding decides how to show them.
struct Failure {
    int32_t code;
    std::string message;
    std::string additional_message;
};

[[noreturn]] inline void fail(int32_t code, std::string message, std::string additional_message = {}) {
    throw Failure{code, std::move(message), std::move(additional_message)};
}

[[noreturn]] inline void fail_out_of_range(uint64_t position, uint64_t size) {
    fail(GK_ERROR_OUT_OF_RANGE, "index out of range.",
         "position " + std::to_string(position) + " is not below the size " + std::to_string(size) + ".");
}

}  // namespace geokern
