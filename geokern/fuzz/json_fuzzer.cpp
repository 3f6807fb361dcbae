// libFuzzer harness for the geometry JSON reader: any text either gives a geometry or one error report,
// never a crash, an out-of-bounds read, a leak or a stack overflow; a geometry without curves, written
// and read back, is equal to itself and writes the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "handle.hpp"
#include "interface.hpp"

namespace {

struct Errors {
    int count = 0;
};

void count_error(void* user, GK_ErrorHandle error) {
    ++static_cast<Errors*>(user)->count;
    GK_Error_destroy(error, nullptr);
}

std::string text_of(GK_StringHandle text) {
    GK_ByteArray bytes = GK_String_getByteArray(text, nullptr);
    std::string result(reinterpret_cast<const char*>(bytes.data), bytes.size);
    GK_String_destroy(text, nullptr);
    return result;
}

[[noreturn]] void stop(const char* why, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", why, text.c_str());
    std::abort();
}

void round_trip(GK_GeometryHandle geometry, const GK_ErrorHandler* handler, Errors& errors) {
    const std::string written = text_of(GK_Geometry_toJSON(geometry, handler));
    if (errors.count != 0) stop("writing failed", written);
    if (GK_Geometry_getHasCurves(geometry, handler)) return;  // arcs are refitted to the digits written
    GK_GeometryHandle again = GK_Geometry_fromJSON(written.c_str(), handler);
    if (again == nullptr) stop("the written text is refused", written);
    if (!GK_Geometry_equals(geometry, again, handler)) stop("read back differently", written);
    if (text_of(GK_Geometry_toJSON(again, handler)) != written) stop("written differently", written);
    GK_Geometry_destroy(again, handler);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int64_t alive = geokern::live_handle_count();
    Errors errors;
    const GK_ErrorHandler handler{&count_error, &errors};
    GK_GeometryHandle geometry = GK_Geometry_fromJSON(text.c_str(), &handler);
    if ((geometry == nullptr) != (errors.count == 1)) stop("not exactly one error for a refused text", text);
    if (geometry != nullptr) {
        round_trip(geometry, &handler, errors);
        GK_Geometry_destroy(geometry, &handler);
    }
    if (geokern::live_handle_count() != alive) stop("handles leaked", text);
    return 0;
}
