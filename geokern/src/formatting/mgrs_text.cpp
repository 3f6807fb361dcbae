#include "formatting/mgrs_text.hpp"

#include <GeographicLib/MGRS.hpp>
#include <GeographicLib/UTMUPS.hpp>

#include <cctype>
#include <string_view>

#include "formatting/text_reading.hpp"

namespace geokern::formatting {
namespace {

using GeographicLib::MGRS;
using GeographicLib::UTMUPS;

constexpr std::string_view row_letters = "ABCDEFGHJKLMNPQRSTUV";

size_t zone_digit_count(const std::string& text) {
    size_t count = 0;
    while (count < text.size() && std::isdigit(static_cast<unsigned char>(text[count])) != 0) ++count;
    return count;
}

// The older lettering names the same UTM squares with row letters ten places further on (L instead of A
// in odd zones, R instead of F in even ones); polar squares are lettered alike in both. Moving ten places
// on in a cycle of twenty letters is its own inverse, so one function converts either way.
void swap_row_lettering(std::string& text) {
    const size_t zone_digits = zone_digit_count(text);
    const size_t row = zone_digits + 2;
    if (zone_digits == 0 || row >= text.size()) return;
    const size_t index = row_letters.find(text[row]);
    if (index != std::string_view::npos) text[row] = row_letters[(index + 10) % row_letters.size()];
}

// "33UXP0500444998" as "33U XP 05004 44998".
std::string spaced(const std::string& text, int32_t precision) {
    const size_t zone = zone_digit_count(text) + 1;
    std::string result = text.substr(0, zone) + " " + text.substr(zone, 2);
    if (precision > 0) {
        result += " " + text.substr(zone + 2, precision) + " " + text.substr(zone + 2 + precision, precision);
    }
    return result;
}

}  // namespace

std::string mgrs_text(const GeographicPosition& position, MgrsLettering lettering, int32_t precision,
                      bool add_spaces, const char* format) {
    require_precision(std::string("the ") + format + " precision", precision, 0, 11);
    int zone = 0;
    bool northp = false;
    double x = 0, y = 0;
    UTMUPS::Forward(position.latitude, position.longitude, zone, northp, x, y);
    std::string text;
    MGRS::Forward(zone, northp, x, y, position.latitude, precision, text);
    if (lettering == MgrsLettering::old) swap_row_lettering(text);
    return add_spaces ? spaced(text, precision) : text;
}

GeographicPosition mgrs_position(const std::string& text, MgrsLettering lettering, const char* format) {
    return read_position(format, text, [&] {
        std::string compact = without_blanks(text);
        if (lettering == MgrsLettering::old) swap_row_lettering(compact);
        int zone = 0, precision = 0;
        bool northp = false;
        double x = 0, y = 0;
        MGRS::Reverse(compact, zone, northp, x, y, precision);
        GeographicPosition position{};
        UTMUPS::Reverse(zone, northp, x, y, position.latitude, position.longitude);
        return position;
    });
}

}  // namespace geokern::formatting
