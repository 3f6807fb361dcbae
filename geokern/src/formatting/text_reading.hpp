#pragma once

#include <GeographicLib/Constants.hpp>

#include <cstdint>
#include <string>

#include "formatting/geographic_position.hpp"

namespace geokern::formatting {

// The caller's text with blanks trimmed from both ends and letters in upper case.
std::string normalized_text(const std::string& text);

// The same without any blank, for the formats that allow blanks between their fields.
std::string without_blanks(const std::string& text);

[[noreturn]] void refuse_text(const char* format, const std::string& text, const std::string& reason);

// Runs one reading of `text` in `format`: GeographicLib's complaint becomes the reason the text is
// refused, and so does a position that is not finite (GeographicLib reads "INVALID" as one).
template <class Read>
GeographicPosition read_position(const char* format, const std::string& text, Read&& read) {
    GeographicPosition position{};
    try {
        position = read();
    } catch (const GeographicLib::GeographicErr& error) {
        refuse_text(format, text, error.what());
    }
    if (!std::isfinite(position.latitude) || !std::isfinite(position.longitude)) {
        refuse_text(format, text, "it names no position");
    }
    return position;
}

// A number in a message, in the shortest digits that read back to it ("84", "0.5").
std::string number_in_message(double value);

// A precision or a count of decimal places from `lowest` to `highest`.
void require_precision(const std::string& what, int32_t precision, int32_t lowest, int32_t highest);

}  // namespace geokern::formatting
