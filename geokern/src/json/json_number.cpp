#include "json/json_number.hpp"

#include <charconv>
#include <cmath>

namespace geokern {
namespace {

// Enough for the longest positional form: 5e-324 has 324 fraction digits, the largest double 309
// integer digits.
constexpr size_t longest_number = 360;

}  // namespace

void append_json_number(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "null";
    } else if (std::isinf(value)) {
        out += value < 0 ? "\"-Infinity\"" : "\"Infinity\"";
    } else if (value == 0 && std::signbit(value)) {
        // "-0" would read back as the integer 0 in most JSON readers; the fraction keeps the sign.
        out += "-0.0";
    } else {
        char digits[longest_number];
        const auto written = std::to_chars(digits, digits + longest_number, value, std::chars_format::fixed);
        out.append(digits, written.ptr);
    }
}

}  // namespace geokern
