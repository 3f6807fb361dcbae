#pragma once

#include <string>

#include "formatting/conversion_mode.hpp"
#include "formatting/geographic_position.hpp"

namespace geokern::formatting {

// The 5 minute GARS cell of a position, "381NH45".
std::string gars_text(const GeographicPosition& position);

// The centre or the south-west corner of the cell a GARS text names, at the precision it is written in.
GeographicPosition gars_position(const std::string& text, GarsReading reading);

}  // namespace geokern::formatting
