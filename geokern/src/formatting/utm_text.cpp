#include "formatting/utm_text.hpp"

#include <GeographicLib/UTMUPS.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>
#include <string_view>

#include "engine/engine_inputs.hpp"
#include "formatting/text_reading.hpp"

namespace geokern::formatting {
namespace {

using GeographicLib::UTMUPS;

constexpr std::string_view band_letters = "CDEFGHJKLMNPQRSTUVWX";
constexpr double southern_limit = -80.0, northern_limit = 84.0;

// Bands are 8 degrees from 80S, the last (X) 12 degrees up to 84N.
char band_of(double latitude) {
    const int index = static_cast<int>(std::floor((latitude - southern_limit) / 8.0));
    return band_letters[std::clamp(index, 0, static_cast<int>(band_letters.size()) - 1)];
}

char zone_letter(const GeographicPosition& position, UtmZoneForm form) {
    if (form == UtmZoneForm::latitude_band) return band_of(position.latitude);
    return position.latitude >= 0.0 ? 'N' : 'S';
}

// Whole metres; a northing just south of the equator must not round up to the next hemisphere's origin.
long whole_metres(double value, long largest) {
    return std::min(std::lround(value), largest);
}

struct UtmFields {
    int zone;
    char letter;
    double easting;
    double northing;
};

// Blanks between all fields, or none, with 6 easting and 7 northing digits.
UtmFields utm_fields(const std::string& text) {
    static const std::regex spaced(R"((\d{1,2}) *([A-Z]) +(\d{1,9}(?:\.\d{0,9})?) +(\d{1,9}(?:\.\d{0,9})?))");
    static const std::regex compact(R"((\d{1,2})([A-Z])(\d{6})(\d{7}))");
    const std::string normalized = normalized_text(text);
    std::smatch match;
    if (!std::regex_match(normalized, match, spaced) && !std::regex_match(normalized, match, compact)) {
        refuse_text("UTM", text, "it is not a zone, a letter, an easting and a northing");
    }
    return UtmFields{std::stoi(match[1].str()), match[2].str()[0], std::stod(match[3].str()),
                     std::stod(match[4].str())};
}

bool northern_letter(const std::string& text, char letter, UtmZoneForm form) {
    if (form == UtmZoneForm::hemisphere) {
        if (letter != 'N' && letter != 'S') refuse_text("UTM", text, "the hemisphere must be N or S");
        return letter == 'N';
    }
    if (band_letters.find(letter) == std::string_view::npos) {
        refuse_text("UTM", text, std::string("'") + letter + "' is not a latitude band");
    }
    return letter >= 'N';
}

// The band letter must be the band the position lies in, give or take the rounding of the metres.
void require_band(const std::string& text, char letter, double latitude) {
    constexpr double slack = 1e-4;  // about 11 m of latitude
    if (band_of(latitude - slack) != letter && band_of(latitude + slack) != letter) {
        refuse_text("UTM", text,
                    std::string("the position lies in band ") + band_of(latitude) + ", not " + letter);
    }
}

}  // namespace

std::string utm_text(const GeographicPosition& position, UtmZoneForm form, bool add_spaces) {
    if (!(position.latitude >= southern_limit && position.latitude < northern_limit)) {
        engine::refuse("UTM covers latitudes from 80S up to 84N: got " +
                       number_in_message(position.latitude) + ".");
    }
    int zone = 0;
    bool northp = false;
    double easting = 0, northing = 0;
    UTMUPS::Forward(position.latitude, position.longitude, zone, northp, easting, northing);
    char text[48];
    std::snprintf(text, sizeof text, add_spaces ? "%02d%c %06ld %07ld" : "%02d%c%06ld%07ld", zone,
                  zone_letter(position, form), whole_metres(easting, 999999),
                  whole_metres(northing, 9999999));
    return text;
}

GeographicPosition utm_position(const std::string& text, UtmZoneForm form) {
    const UtmFields fields = utm_fields(text);
    if (fields.zone < UTMUPS::MINUTMZONE || fields.zone > UTMUPS::MAXUTMZONE) {
        refuse_text("UTM", text, "the zone must be from 1 to 60");
    }
    const bool northp = northern_letter(text, fields.letter, form);
    const GeographicPosition position = read_position("UTM", text, [&] {
        GeographicPosition read{};
        UTMUPS::Reverse(fields.zone, northp, fields.easting, fields.northing, read.latitude, read.longitude);
        return read;
    });
    if (form == UtmZoneForm::latitude_band) require_band(text, fields.letter, position.latitude);
    return position;
}

}  // namespace geokern::formatting
