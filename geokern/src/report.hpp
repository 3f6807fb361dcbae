#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "failure.hpp"
#include "handle.hpp"

namespace geokern {

struct ErrorValue {
    int32_t code = 0;
    std::string message;
    std::string additional_message;
    std::shared_ptr<ErrorValue> underlying;
};
GEOKERN_HANDLE_VALUE(GK_ErrorHandle, ErrorValue, "error");

// Hands a new error to the caller's handler; with no handler, to the process-wide callback, if any.
// Never throws: an error that cannot even be allocated is dropped.
void report(const GK_ErrorHandler* handler, const Failure& failure) noexcept;

// The process-wide callback of GK_VelmorRuntimeEnvironment_setErrorCallback.
void set_process_error_callback(GK_ErrorCallback callback, void* user);

// Runs the body of one C function: every C++ exception becomes an error report and the function
// returns its zero value.
template <class R, class Body>
R guarded(const GK_ErrorHandler* handler, Body&& body) noexcept {
    try {
        return body();
    } catch (const Failure& failure) {
        report(handler, failure);
    } catch (const std::bad_alloc&) {
        report(handler, Failure{GK_ERROR_OUT_OF_MEMORY, "out of memory.", {}});
    } catch (const std::exception& unexpected) {
        report(handler, Failure{GK_ERROR_INTERNAL, "internal error.", unexpected.what()});
    } catch (...) {
        report(handler, Failure{GK_ERROR_INTERNAL, "internal error.", "unknown exception."});
    }
    return R();
}

}  // namespace geokern
