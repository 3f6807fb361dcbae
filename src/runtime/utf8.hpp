#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmor::runtime {

struct Utf8Character {
    char32_t code_point;
    std::size_t length;  // in bytes
};

// The well-formed UTF-8 character (shortest form, no surrogate, at most U+10FFFF) at the start of
// `text`, if there is one.
std::optional<Utf8Character> decode_utf8(std::string_view text);

bool is_valid_utf8(std::string_view text);

}  // namespace velmor::runtime
