#include "formatting/gars_text.hpp"

#include <GeographicLib/GARS.hpp>

#include "formatting/text_reading.hpp"

namespace geokern::formatting {

std::string gars_text(const GeographicPosition& position) {
    constexpr int five_minutes = 2;
    std::string text;
    GeographicLib::GARS::Forward(position.latitude, position.longitude, five_minutes, text);
    return text;
}

GeographicPosition gars_position(const std::string& text, GarsReading reading) {
    return read_position("GARS", text, [&] {
        GeographicPosition position{};
        int precision = 0;
        GeographicLib::GARS::Reverse(normalized_text(text), position.latitude, position.longitude, precision,
                                     reading == GarsReading::centre);
        return position;
    });
}

}  // namespace geokern::formatting
