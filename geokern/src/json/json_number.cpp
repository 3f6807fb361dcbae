#include "json/json_number.hpp"

#include <charconv>
#include <cmath>
#include <string_view>

namespace geokern {
namespace {

// Enough for the longest positional form: 5e-324 has 324 fraction digits, the largest double 309
// integer digits.
constexpr size_t longest_number = 360;

// The shortest round-trip digits in positional notation. From 2^53 on, where every double is whole,
// to_chars in fixed form may write a whole number's exact digits, one character shorter than its
// shortest digits padded with zeros (1e23 as 99999999999999991611392); there the digits and exponent
// of the scientific form are placed by hand.
void append_positional(std::string& out, double value) {
    char digits[longest_number];
    if (std::fabs(value) < 0x1p53) {
        const auto written = std::to_chars(digits, digits + longest_number, value, std::chars_format::fixed);
        out.append(digits, written.ptr);
        return;
    }
    const auto written = std::to_chars(digits, digits + longest_number, value, std::chars_format::scientific);
    const std::string_view text(digits, static_cast<size_t>(written.ptr - digits));
    const size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    size_t significant = 0;
    for (char c : text.substr(0, e)) {
        if (c == '-' || (c >= '0' && c <= '9')) out += c;
        if (c >= '0' && c <= '9') ++significant;
    }
    out.append(static_cast<size_t>(exponent + 1) - significant, '0');
}

}  // namespace

void append_json_number(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NaN";
    } else if (std::isinf(value)) {
        out += value < 0 ? "-Infinity" : "Infinity";
    } else if (value == 0 && std::signbit(value)) {
        // "-0" would read back as the integer 0 in most JSON readers; the fraction keeps the sign.
        out += "-0.0";
    } else {
        append_positional(out, value);
    }
}

}  // namespace geokern
