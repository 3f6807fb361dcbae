#pragma once

#include <string>

#include "formatting/conversion_mode.hpp"
#include "formatting/geographic_position.hpp"

namespace geokern::formatting {

// UTM text of a position: two-digit zone, band or hemisphere letter, easting and northing in whole
// metres ("33U 500000 5500000", or "33U5000005500000" without blanks).
std::string utm_text(const GeographicPosition& position, UtmZoneForm form, bool add_spaces);

GeographicPosition utm_position(const std::string& text, UtmZoneForm form);

}  // namespace geokern::formatting
