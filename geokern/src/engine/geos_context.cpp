#include "engine/geos_context.hpp"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "failure.hpp"

namespace geokern::engine {
namespace {

thread_local std::string last_message;

void keep_message(const char* message, void*) { last_message = message == nullptr ? "" : message; }

struct Context {
    GEOSContextHandle_t handle = GEOS_init_r();
    Context() {
        GEOSContext_setErrorMessageHandler_r(handle, &keep_message, nullptr);
        GEOSContext_setNoticeMessageHandler_r(handle, nullptr, nullptr);
    }
    ~Context() { GEOS_finish_r(handle); }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
};

}  // namespace

GEOSContextHandle_t geos() {
    thread_local Context context;
    if (context.handle == nullptr) fail(GK_ERROR_OUT_OF_MEMORY, "out of memory.", "no GEOS context.");
    return context.handle;
}

void fail_geos(const char* operation) {
    std::string detail = std::string(operation) + " failed";
    if (!last_message.empty()) detail += ": " + last_message;
    last_message.clear();
    fail(GK_ERROR_INVALID_ARGUMENT, "geometry engine error.", detail + ".");
}

GeosGeometry checked(GEOSGeometry* geometry, const char* operation) {
    if (geometry == nullptr) fail_geos(operation);
    return GeosGeometry(geometry);
}

bool checked(char result, const char* operation) {
    if (result != 0 && result != 1) fail_geos(operation);
    return result == 1;
}

}  // namespace geokern::engine
