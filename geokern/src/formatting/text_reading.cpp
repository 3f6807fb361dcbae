#include "formatting/text_reading.hpp"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "engine/engine_inputs.hpp"
#include "json/json_number.hpp"

namespace geokern::formatting {
namespace {

bool is_blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The length of the well-formed UTF-8 sequence at `at`, or 0 where the bytes are not one.
size_t utf8_sequence_length(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return 1;
    size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    if (lead >= 0xE0 && lead <= 0xEF) length = 3;
    if (lead >= 0xF0 && lead <= 0xF4) length = 4;
    if (length == 0 || at + length > text.size()) return 0;
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (size_t i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

// Messages are UTF-8 text, yet they quote the caller's bytes and GeographicLib's complaints, which may
// cut a character in two: every byte that is not part of a well-formed character becomes '?'.
std::string well_formed_utf8(std::string_view text) {
    std::string result;
    for (size_t at = 0; at < text.size();) {
        const size_t length = utf8_sequence_length(text, at);
        result += length == 0 ? std::string_view("?") : text.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return result;
}

}  // namespace

std::string normalized_text(const std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), is_blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), is_blank).base();
    std::string trimmed = first < last ? std::string(first, last) : std::string();
    std::transform(trimmed.begin(), trimmed.end(), trimmed.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return trimmed;
}

std::string without_blanks(const std::string& text) {
    std::string compact = normalized_text(text);
    std::erase_if(compact, is_blank);
    return compact;
}

void refuse_text(const char* format, const std::string& text, const std::string& reason) {
    engine::refuse(well_formed_utf8("'" + text + "' is not valid " + format + " text: " + reason + "."));
}

std::string number_in_message(double value) {
    std::string text;
    append_json_number(text, value);
    return text;
}

void require_precision(const std::string& what, int32_t precision, int32_t lowest, int32_t highest) {
    if (precision < lowest || precision > highest) {
        engine::refuse(what + " must be from " + std::to_string(lowest) + " to " + std::to_string(highest) +
                       ": got " + std::to_string(precision) + ".");
    }
}

}  // namespace geokern::formatting
