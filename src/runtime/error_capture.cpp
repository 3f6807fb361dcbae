#include "error_capture.hpp"

#include <cstdio>

#include "text.hpp"

namespace velmor::runtime {

Error read_error(GK_ErrorHandle error) {
    const FunctionTable& gk = functions();
    Error record;
    record.code = gk.Error_getCode(error, nullptr);
    record.msg = text_from_string(gk.Error_getMessage(error, nullptr));
    record.additional_msg = text_from_string(gk.Error_getAdditionalMessage(error, nullptr));
    gk.Error_destroy(error, nullptr);
    return record;
}

void ErrorSlot::capture(void* slot, GK_ErrorHandle error) noexcept {
    static_cast<ErrorSlot*>(slot)->error_ = read_error(error);
}

void discard_error(void*, GK_ErrorHandle error) noexcept {
    const std::string line =
        "WARNING: Unexpected error occurred in geokern and was discarded " + read_error(error).display() + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

void unexpected_runtime_error(std::string_view function_name, const Error& error) {
    core::internal_failure("Internal error: Unexpected error returned from internal function " +
                           std::string(function_name) + ": " + error.debug());
}

}  // namespace velmor::runtime
