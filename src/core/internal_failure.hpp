#pragma once

#include <stdexcept>
#include <string>

namespace velmor::core {

// A broken invariant: a null handle from the runtime core, an error from a runtime call that must not
// fail, a poisoned lock inside the native model, a library that cannot be loaded. It is the only C++
// exception of the system; the Python-callable entries turn it into PanicException.
class InternalFailure : public std::runtime_error {
public:
    explicit InternalFailure(const std::string& message) : std::runtime_error(message) {}
};

[[noreturn]] inline void internal_failure(const std::string& message) { throw InternalFailure(message); }

}  // namespace velmor::core
