#include "formatting/georef_text.hpp"

#include <GeographicLib/Georef.hpp>

#include "formatting/text_reading.hpp"

namespace geokern::formatting {

std::string georef_text(const GeographicPosition& position, int32_t precision) {
    require_precision("the Georef precision", precision, -1, 11);
    std::string text;
    GeographicLib::Georef::Forward(position.latitude, position.longitude, precision, text);
    return text;
}

GeographicPosition georef_position(const std::string& text) {
    return read_position("Georef", text, [&] {
        GeographicPosition position{};
        int precision = 0;
        GeographicLib::Georef::Reverse(normalized_text(text), position.latitude, position.longitude,
                                       precision);
        return position;
    });
}

}  // namespace geokern::formatting
