#pragma once

#include <cstdint>
#include <string>

#include "formatting/geographic_position.hpp"
#include "interface.hpp"

namespace geokern::formatting {

// Latitude then longitude with hemisphere letters, in a GK_LATITUDE_LONGITUDE_FORMAT_ form, the last
// component with `decimal_places` (0 to 12): "55 30 00.000N 004 15 00.000W".
std::string latitude_longitude_text(const GeographicPosition& position, GK_LatitudeLongitudeFormat format,
                                    int32_t decimal_places);

GeographicPosition latitude_longitude_position(const std::string& text);

}  // namespace geokern::formatting
