#pragma once

#include <cstdint>
#include <string>

#include "formatting/conversion_mode.hpp"
#include "formatting/geographic_position.hpp"

namespace geokern::formatting {

// MGRS text of a position: zone and band, 100 km square, then `precision` digits of easting and of
// northing (0 to 11), optionally with a blank between these fields. `format` names the text in
// messages (MGRS or USNG).
std::string mgrs_text(const GeographicPosition& position, MgrsLettering lettering, int32_t precision,
                      bool add_spaces, const char* format);

// The centre of the square an MGRS text names.
GeographicPosition mgrs_position(const std::string& text, MgrsLettering lettering, const char* format);

}  // namespace geokern::formatting
