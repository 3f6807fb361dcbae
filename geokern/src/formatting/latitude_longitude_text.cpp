#include "formatting/latitude_longitude_text.hpp"

#include <GeographicLib/DMS.hpp>
#include <GeographicLib/Math.hpp>

#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/engine_inputs.hpp"
#include "formatting/text_reading.hpp"

namespace geokern::formatting {
namespace {

using GeographicLib::DMS;

DMS::component trailing_component(GK_LatitudeLongitudeFormat format) {
    switch (format) {
        case GK_LATITUDE_LONGITUDE_FORMAT_DECIMAL_DEGREES:
            return DMS::DEGREE;
        case GK_LATITUDE_LONGITUDE_FORMAT_DEGREES_DECIMAL_MINUTES:
            return DMS::MINUTE;
        case GK_LATITUDE_LONGITUDE_FORMAT_DEGREES_MINUTES_SECONDS:
            return DMS::SECOND;
        default:
            engine::refuse(
                "latitude and longitude format " + std::to_string(format) +
                " is not 0 (decimal degrees), 1 (degrees and decimal minutes) or 2 (degrees, minutes "
                "and seconds).");
    }
}

bool is_hemisphere(char c) {
    return std::string_view("NSEW").find(c) != std::string_view::npos;
}
bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// The text's two angles. A comma parts them where there is one; otherwise the hemisphere letters do
// (after each angle, or before each); otherwise a run of blanks between two numbers.
std::pair<std::string, std::string> split_angles(const std::string& text, const std::string& original) {
    size_t split = text.find(',');
    if (split != std::string::npos) return {text.substr(0, split), text.substr(split + 1)};
    std::vector<size_t> letters;
    for (size_t i = 0; i < text.size(); ++i) {
        if (is_hemisphere(text[i])) letters.push_back(i);
    }
    if (letters.size() == 2) {
        split = letters[0] == 0 ? letters[1] : letters[0] + 1;
        return {text.substr(0, split), text.substr(split)};
    }
    const size_t blank = text.find_first_of(" \t");
    const size_t second = blank == std::string::npos ? blank : text.find_first_not_of(" \t", blank);
    const bool two_numbers =
        second != std::string::npos && text.find_first_of(" \t", second) == std::string::npos;
    if (letters.empty() && two_numbers) return {text.substr(0, blank), text.substr(second)};
    refuse_text("latitude and longitude", original,
                "it is not two angles parted by a comma, blanks or hemisphere letters");
}

// Blanks between the components of one angle become the ':' separator GeographicLib reads; blanks next
// to a hemisphere letter or at the ends go.
std::string angle_for_reading(const std::string& angle) {
    const std::string trimmed = normalized_text(angle);
    std::string result;
    for (size_t i = 0; i < trimmed.size(); ++i) {
        if (!is_blank(trimmed[i])) {
            result += trimmed[i];
            continue;
        }
        size_t next = i;
        while (next < trimmed.size() && is_blank(trimmed[next])) ++next;
        const bool beside_letter = (next < trimmed.size() && is_hemisphere(trimmed[next])) ||
                                   (!result.empty() && is_hemisphere(result.back()));
        if (!beside_letter) result += ':';
        i = next - 1;
    }
    return result;
}

}  // namespace

std::string latitude_longitude_text(const GeographicPosition& position, GK_LatitudeLongitudeFormat format,
                                    int32_t decimal_places) {
    const DMS::component trailing = trailing_component(format);
    require_precision("the number of decimal places", decimal_places, 0, 12);
    const auto places = static_cast<unsigned>(decimal_places);
    return DMS::Encode(position.latitude, trailing, places, DMS::LATITUDE, ' ') + " " +
           DMS::Encode(GeographicLib::Math::AngNormalize(position.longitude), trailing, places,
                       DMS::LONGITUDE, ' ');
}

GeographicPosition latitude_longitude_position(const std::string& text) {
    return read_position("latitude and longitude", text, [&] {
        const auto [first, second] = split_angles(normalized_text(text), text);
        GeographicPosition position{};
        DMS::DecodeLatLon(angle_for_reading(first), angle_for_reading(second), position.latitude,
                          position.longitude);
        return position;
    });
}

}  // namespace geokern::formatting
