#include "formatting/utm_text.hpp"

#include <GeographicLib/UTMUPS.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cctype>
#include <optional>
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

// A small cursor over the text: a regular-expression engine would be slower and heavier for four fields.
class FieldScanner {
public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    bool at_end() const { return position_ == text_.size(); }

    std::size_t blanks() {
        const std::size_t start = position_;
        while (position_ < text_.size() && text_[position_] == ' ') ++position_;
        return position_ - start;
    }

    // Between `fewest` and `most` decimal digits, as text.
    std::optional<std::string_view> digits(std::size_t fewest, std::size_t most) {
        std::size_t end = position_;
        while (end < text_.size() && end - position_ < most && std::isdigit(static_cast<unsigned char>(text_[end]))) {
            ++end;
        }
        if (end - position_ < fewest) return std::nullopt;
        const std::string_view read = text_.substr(position_, end - position_);
        position_ = end;
        return read;
    }

    std::optional<char> capital() {
        if (position_ == text_.size() || !std::isupper(static_cast<unsigned char>(text_[position_]))) {
            return std::nullopt;
        }
        return text_[position_++];
    }

    // Up to nine whole digits and an optional fraction of up to nine.
    std::optional<std::string_view> metres() {
        const std::size_t start = position_;
        if (!digits(1, 9)) return std::nullopt;
        if (position_ < text_.size() && text_[position_] == '.') {
            ++position_;
            digits(0, 9);
        }
        return text_.substr(start, position_ - start);
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Fields read as text; both layouts produce them.
struct UtmFieldTexts {
    std::string_view zone;
    char letter;
    std::string_view easting;
    std::string_view northing;
};

// "17N 630084 4833438" with blanks between the fields (none needed before the letter).
std::optional<UtmFieldTexts> spaced_fields(std::string_view text) {
    FieldScanner scanner(text);
    const auto zone = scanner.digits(1, 2);
    if (!zone) return std::nullopt;
    scanner.blanks();
    const auto letter = scanner.capital();
    if (!letter || scanner.blanks() == 0) return std::nullopt;
    const auto easting = scanner.metres();
    if (!easting || scanner.blanks() == 0) return std::nullopt;
    const auto northing = scanner.metres();
    if (!northing || !scanner.at_end()) return std::nullopt;
    return UtmFieldTexts{*zone, *letter, *easting, *northing};
}

// "17N6300844833438": no blanks, 6 easting and 7 northing digits.
std::optional<UtmFieldTexts> compact_fields(std::string_view text) {
    FieldScanner scanner(text);
    const auto zone = scanner.digits(1, 2);
    const auto letter = zone ? scanner.capital() : std::nullopt;
    const auto easting = letter ? scanner.digits(6, 6) : std::nullopt;
    const auto northing = easting ? scanner.digits(7, 7) : std::nullopt;
    if (!northing || !scanner.at_end()) return std::nullopt;
    return UtmFieldTexts{*zone, *letter, *easting, *northing};
}

UtmFields utm_fields(const std::string& text) {
    const std::string normalized = normalized_text(text);
    auto fields = spaced_fields(normalized);
    if (!fields) fields = compact_fields(normalized);
    if (!fields) refuse_text("UTM", text, "it is not a zone, a letter, an easting and a northing");
    return UtmFields{std::stoi(std::string(fields->zone)), fields->letter, std::stod(std::string(fields->easting)),
                     std::stod(std::string(fields->northing))};
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
