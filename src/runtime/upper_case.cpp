#include "upper_case.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

namespace velmor::runtime {
namespace {

struct UpperCase {
    char32_t code_point;
    const char* upper;
};

constexpr UpperCase upper_case_table[] = {
#include "upper_case_table.inc"
};

static_assert(std::ranges::is_sorted(upper_case_table, {}, &UpperCase::code_point));

struct Decoded {
    char32_t code_point;
    std::size_t length;
};

// The first character of UTF-8 text, when it is well formed (shortest form, no surrogate).
std::optional<Decoded> decode_first(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
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
    return Decoded{code_point, length};
}

}  // namespace

std::string upper_case_first(std::string_view text) {
    const auto first = decode_first(text);
    if (!first) return std::string(text);
    const auto found = std::ranges::lower_bound(upper_case_table, first->code_point, {}, &UpperCase::code_point);
    if (found == std::end(upper_case_table) || found->code_point != first->code_point) return std::string(text);
    std::string result(found->upper);
    result.append(text.substr(first->length));
    return result;
}

}  // namespace velmor::runtime
