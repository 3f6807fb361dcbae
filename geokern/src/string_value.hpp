#pragma once

#include <string>

#include "handle.hpp"

namespace geokern {

struct StringValue {
    std::string text;
};
GEOKERN_HANDLE_VALUE(GK_StringHandle, StringValue, "string");

inline GK_StringHandle new_string(std::string text) { return make_handle<GK_StringHandle>(StringValue{std::move(text)}); }

// Text passed in by the caller; a null pointer is the caller's error.
inline std::string text_argument(const char* text, const char* what) {
    if (text == nullptr) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", std::string("the ") + what + " text is null.");
    }
    return text;
}

}  // namespace geokern
