#include "formatting/text_reading.hpp"

#include <algorithm>
#include <cctype>

#include "engine/engine_inputs.hpp"
#include "json/json_number.hpp"

namespace geokern::formatting {
namespace {

bool is_blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
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
    engine::refuse("'" + text + "' is not valid " + format + " text: " + reason + ".");
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
