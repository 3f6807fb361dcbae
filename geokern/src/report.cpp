#include "report.hpp"

#include <mutex>

namespace geokern {
namespace {

struct ProcessCallback {
    std::mutex mutex;
    GK_ErrorCallback callback = nullptr;
    void* user = nullptr;
};

ProcessCallback& process_callback() {
    static ProcessCallback instance;
    return instance;
}

}  // namespace

void set_process_error_callback(GK_ErrorCallback callback, void* user) {
    auto& process = process_callback();
    std::lock_guard lock(process.mutex);
    process.callback = callback;
    process.user = user;
}

void report(const GK_ErrorHandler* handler, const Failure& failure) noexcept {
    GK_ErrorCallback callback = nullptr;
    void* user = nullptr;
    if (handler != nullptr && handler->callback != nullptr) {
        callback = handler->callback;
        user = handler->user;
    } else {
        auto& process = process_callback();
        std::lock_guard lock(process.mutex);
        callback = process.callback;
        user = process.user;
    }
    if (callback == nullptr) return;
    GK_ErrorHandle error = nullptr;
    try {
        error = make_handle<GK_ErrorHandle>(ErrorValue{failure.code, failure.message, failure.additional_message, {}});
    } catch (...) {
        return;
    }
    // The callback owns the error from here on; called outside every lock of the library.
    callback(user, error);
}

}  // namespace geokern
