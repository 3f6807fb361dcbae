#include "upper_case.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "utf8.hpp"

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

}  // namespace

std::string upper_case_first(std::string_view text) {
    const auto first = decode_utf8(text);
    if (!first) return std::string(text);
    const auto found = std::ranges::lower_bound(upper_case_table, first->code_point, {}, &UpperCase::code_point);
    if (found == std::end(upper_case_table) || found->code_point != first->code_point) return std::string(text);
    std::string result(found->upper);
    result.append(text.substr(first->length));
    return result;
}

}  // namespace velmor::runtime
