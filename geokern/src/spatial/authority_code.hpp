#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace geokern {

// The authorities whose codes are well-known identifiers, in lookup order.
inline constexpr const char* authorities[] = {"EPSG", "ESRI"};

// A code of PROJ's database as an identifier; 0 when it is not a number that fits.
inline int32_t parse_code(const char* code) {
    if (code == nullptr) return 0;
    int32_t value = 0;
    std::string_view text(code);
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// An identifier as the caller wrote it: identifiers are unsigned 32-bit numbers that cross the interface
// as int32_t, so 2147483648 arrives as -2147483648 and is named and looked up as the number it was.
inline std::string code_text(int32_t wkid) { return std::to_string(static_cast<uint32_t>(wkid)); }

}  // namespace geokern
