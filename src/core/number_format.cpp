#include "number_format.hpp"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace velmor::core {
namespace {

// Enough for the longest fixed form: 5e-324 has 324 fraction digits, 1.7976931348623157e308 has 309
// integer digits.
constexpr std::size_t kMaxFixedChars = 360;

bool append_non_finite(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "NaN";
    } else if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
    } else {
        return false;
    }
    return true;
}

std::string_view shortest(char* buf, std::size_t size, double value, std::chars_format fmt) {
    auto [end, ec] = std::to_chars(buf, buf + size, value, fmt);
    // The buffers are sized for the longest possible output; a failure here is a broken invariant.
    if (ec != std::errc{}) return {};
    return {buf, static_cast<std::size_t>(end - buf)};
}

// The shortest round-trip digits in positional notation. to_chars in fixed form counts characters, and
// from 2^53 on, where every double is whole, a whole number's exact digits can be one character shorter
// than its shortest digits padded with zeros (1e23 would come out as 99999999999999991611392). There the
// digits and exponent of the scientific form are placed by hand.
void append_positional(std::string& out, double value) {
    char buf[kMaxFixedChars];
    if (std::fabs(value) < 0x1p53) {
        out += shortest(buf, sizeof buf, value, std::chars_format::fixed);
        return;
    }
    const std::string_view text = shortest(buf, sizeof buf, value, std::chars_format::scientific);
    const std::size_t e = text.find('e');
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    std::size_t digits = 0;
    for (char c : text.substr(0, e)) {
        if (c == '-') out += c;
        if (c >= '0' && c <= '9') {
            out += c;
            ++digits;
        }
    }
    // Whole numbers: at least as many integer places as significant digits.
    out.append(static_cast<std::size_t>(exponent + 1) - digits, '0');
}

}  // namespace

void append_number(std::string& out, double value) {
    if (append_non_finite(out, value)) return;
    append_positional(out, value);
}

std::string format_number(double value) {
    std::string out;
    append_number(out, value);
    return out;
}

void append_debug_float(std::string& out, double value) {
    if (append_non_finite(out, value)) return;
    const double magnitude = std::fabs(value);
    char buf[kMaxFixedChars];
    if (magnitude != 0.0 && (magnitude >= 1e16 || magnitude < 1e-4)) {
        // to_chars writes "1.5e-05" / "1e+16"; the debug form has no plus sign and no padded exponent.
        std::string_view text = shortest(buf, sizeof buf, value, std::chars_format::scientific);
        const std::size_t e = text.find('e');
        out += text.substr(0, e + 1);
        std::string_view exponent = text.substr(e + 1);
        if (exponent.front() == '+') exponent.remove_prefix(1);
        bool negative = false;
        if (exponent.front() == '-') {
            negative = true;
            exponent.remove_prefix(1);
        }
        while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);
        if (negative) out += '-';
        out += exponent;
        return;
    }
    std::string_view text = shortest(buf, sizeof buf, value, std::chars_format::fixed);
    out += text;
    if (text.find('.') == std::string_view::npos) out += ".0";
}

}  // namespace velmor::core
