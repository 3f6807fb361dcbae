#include "formatting/conversion_mode.hpp"

#include <string>

#include "engine/engine_inputs.hpp"

namespace geokern::formatting {
namespace {

// Each format's own two modes; the default stands for the first.
template <class Variant>
Variant variant_of(GK_CoordinateConversionMode mode, const char* format, GK_CoordinateConversionMode first,
                   Variant first_variant, Variant second_variant) {
    if (mode == GK_COORDINATE_CONVERSION_MODE_DEFAULT || mode == first) return first_variant;
    if (mode == first + 1) return second_variant;
    engine::refuse("conversion mode " + std::to_string(mode) + " is not one of " + format + ": " +
                   std::to_string(GK_COORDINATE_CONVERSION_MODE_DEFAULT) + ", " + std::to_string(first) +
                   " or " + std::to_string(first + 1) + ".");
}

}  // namespace

MgrsLettering mgrs_lettering(GK_CoordinateConversionMode mode) {
    return variant_of(mode, "MGRS's", GK_COORDINATE_CONVERSION_MODE_MGRS_NEW_LETTERING,
                      MgrsLettering::current, MgrsLettering::old);
}

UtmZoneForm utm_zone_form(GK_CoordinateConversionMode mode) {
    return variant_of(mode, "UTM's", GK_COORDINATE_CONVERSION_MODE_UTM_LATITUDE_BAND,
                      UtmZoneForm::latitude_band, UtmZoneForm::hemisphere);
}

GarsReading gars_reading(GK_CoordinateConversionMode mode) {
    return variant_of(mode, "GARS's", GK_COORDINATE_CONVERSION_MODE_GARS_CENTER, GarsReading::centre,
                      GarsReading::south_west_corner);
}

}  // namespace geokern::formatting
