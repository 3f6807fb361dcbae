#include "utf8.hpp"

namespace velmor::runtime {

std::optional<Utf8Character> decode_utf8(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || text.size() < length) return std::nullopt;
    char32_t code_point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next >> 6) != 0x2) return std::nullopt;
        code_point = (code_point << 6) | (next & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code_point < smallest[length] || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        return std::nullopt;
    }
    return Utf8Character{code_point, length};
}

bool is_valid_utf8(std::string_view text) {
    while (!text.empty()) {
        const auto character = decode_utf8(text);
        if (!character) return false;
        text.remove_prefix(character->length);
    }
    return true;
}

}  // namespace velmor::runtime
