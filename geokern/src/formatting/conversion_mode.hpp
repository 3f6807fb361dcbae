#pragma once

#include "interface.hpp"

namespace geokern::formatting {

// The variants that GK_CoordinateConversionMode names, one family per format. A mode of another format
// is the caller's error.
enum class MgrsLettering { current, old };
enum class UtmZoneForm { latitude_band, hemisphere };
enum class GarsReading { centre, south_west_corner };

MgrsLettering mgrs_lettering(GK_CoordinateConversionMode mode);
UtmZoneForm utm_zone_form(GK_CoordinateConversionMode mode);
GarsReading gars_reading(GK_CoordinateConversionMode mode);

}  // namespace geokern::formatting
