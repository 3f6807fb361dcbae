#pragma once

#include <cstdint>
#include <string>

#include "formatting/geographic_position.hpp"

namespace geokern::formatting {

// The Georef of a position: precision -1 (15 degrees), 0 (1 degree), or 2 to 11 (1 minute to 1e-9
// minute); 1 is written as 2, as Georef has no tenth of a degree.
std::string georef_text(const GeographicPosition& position, int32_t precision);

// The centre of the cell a Georef names.
GeographicPosition georef_position(const std::string& text);

}  // namespace geokern::formatting
