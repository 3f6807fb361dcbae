#pragma once

#include <optional>
#include <string>
#include <utility>

#include "core/internal_failure.hpp"
#include "error.hpp"
#include "function_table.hpp"

namespace velmor::runtime {

// Reads code and both messages of an error handle into an Error and releases the handle.
Error read_error(GK_ErrorHandle error);

// The slot of one runtime call: its handler record captures every error the call reports, and the
// last one wins. The record points into the slot, so a slot never moves.
class ErrorSlot {
public:
    ErrorSlot() : record_{&ErrorSlot::capture, this} {}
    ErrorSlot(const ErrorSlot&) = delete;
    ErrorSlot& operator=(const ErrorSlot&) = delete;

    const GK_ErrorHandler* handler() const { return &record_; }
    bool empty() const { return !error_.has_value(); }
    std::optional<Error> take() { return std::exchange(error_, std::nullopt); }

private:
    // Called by the library; a failure here cannot cross the library's frames and ends the process.
    static void capture(void* slot, GK_ErrorHandle error) noexcept;

    GK_ErrorHandler record_;
    std::optional<Error> error_;
};

// The process-wide callback: errors that reach it are written to standard error and go no further.
void discard_error(void* user, GK_ErrorHandle error) noexcept;

// Calls a runtime function with a capture record as its last argument; a captured error is returned.
template <class R, class... Params, class... Args>
RuntimeResult<R> invoke(R (*function)(Params...), Args... args) {
    ErrorSlot slot;
    // The empty slot is checked first: taking it would move an optional record on every call.
    if constexpr (std::is_void_v<R>) {
        function(args..., slot.handler());
        if (slot.empty()) return {};
        return std::unexpected(std::move(*slot.take()));
    } else {
        R result = function(args..., slot.handler());
        if (slot.empty()) return result;
        return std::unexpected(std::move(*slot.take()));
    }
}

// For runtime calls that must not fail: a captured error is an internal failure naming the function.
[[noreturn]] void unexpected_runtime_error(std::string_view function_name, const Error& error);

template <class R, class... Params, class... Args>
R invoke_or_fail(std::string_view function_name, R (*function)(Params...), Args... args) {
    auto result = invoke(function, args...);
    if (!result) unexpected_runtime_error(function_name, result.error());
    if constexpr (!std::is_void_v<R>) return *result;
}

}  // namespace velmor::runtime

// The name and the entry of one runtime function, for invoke_or_fail:
//     invoke_or_fail(VELMOR_GK(Geometry_getHasZ), handle)
#define VELMOR_GK(entry) "GK_" #entry, ::velmor::runtime::functions().entry
