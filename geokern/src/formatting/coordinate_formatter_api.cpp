// The CoordinateFormatter family: points written as grid and angle texts and read back from them.
#include "formatting/conversion_mode.hpp"
#include "formatting/gars_text.hpp"
#include "formatting/geographic_position.hpp"
#include "formatting/georef_text.hpp"
#include "formatting/latitude_longitude_text.hpp"
#include "formatting/mgrs_text.hpp"
#include "formatting/text_reading.hpp"
#include "formatting/utm_text.hpp"
#include "report.hpp"
#include "string_value.hpp"

using namespace geokern;
using namespace geokern::formatting;

namespace {

// Every reading takes the caller's text and spatial reference and makes a point of what it reads.
template <class Read>
GK_GeometryHandle point_from_text(const char* coordinates, GK_SpatialReferenceHandle spatial_reference,
                                  const GK_ErrorHandler* handler, Read&& read) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const std::string text = text_argument(coordinates, "coordinates");
        const SpatialReferenceRef reference = spatial_reference_argument(spatial_reference);
        return point_at(read(text), reference);
    });
}

// Every writing takes a point, finds where it lies on WGS84 and writes that.
template <class Write>
GK_StringHandle text_of_point(GK_GeometryHandle point, const GK_ErrorHandler* handler, Write&& write) {
    return guarded<GK_StringHandle>(
        handler, [&] { return new_string(write(geographic_position_of(point_value_of(point)))); });
}

}  // namespace

GK_GeometryHandle GK_CoordinateFormatter_fromGARS(const char* coordinates,
                                                  GK_SpatialReferenceHandle spatial_reference,
                                                  GK_CoordinateConversionMode mode, GK_EH) {
    return point_from_text(coordinates, spatial_reference, handler,
                           [&](const std::string& text) { return gars_position(text, gars_reading(mode)); });
}

GK_GeometryHandle GK_CoordinateFormatter_fromGeoRef(const char* coordinates,
                                                    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return point_from_text(coordinates, spatial_reference, handler, georef_position);
}

GK_GeometryHandle GK_CoordinateFormatter_fromLatitudeLongitude(const char* coordinates,
                                                               GK_SpatialReferenceHandle spatial_reference,
                                                               GK_EH) {
    return point_from_text(coordinates, spatial_reference, handler, latitude_longitude_position);
}

GK_GeometryHandle GK_CoordinateFormatter_fromMGRS(const char* coordinates,
                                                  GK_SpatialReferenceHandle spatial_reference,
                                                  GK_CoordinateConversionMode mode, GK_EH) {
    return point_from_text(coordinates, spatial_reference, handler, [&](const std::string& text) {
        return mgrs_position(text, mgrs_lettering(mode), "MGRS");
    });
}

GK_GeometryHandle GK_CoordinateFormatter_fromUSNG(const char* coordinates,
                                                  GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return point_from_text(coordinates, spatial_reference, handler, [](const std::string& text) {
        return mgrs_position(text, MgrsLettering::current, "USNG");
    });
}

GK_GeometryHandle GK_CoordinateFormatter_fromUTM(const char* coordinates,
                                                 GK_SpatialReferenceHandle spatial_reference,
                                                 GK_CoordinateConversionMode mode, GK_EH) {
    return point_from_text(coordinates, spatial_reference, handler,
                           [&](const std::string& text) { return utm_position(text, utm_zone_form(mode)); });
}

GK_StringHandle GK_CoordinateFormatter_toGARS(GK_GeometryHandle point, GK_EH) {
    return text_of_point(point, handler, gars_text);
}

GK_StringHandle GK_CoordinateFormatter_toGeoRef(GK_GeometryHandle point, int32_t precision, GK_EH) {
    return text_of_point(
        point, handler, [&](const GeographicPosition& position) { return georef_text(position, precision); });
}

GK_StringHandle GK_CoordinateFormatter_toLatitudeLongitude(GK_GeometryHandle point,
                                                           GK_LatitudeLongitudeFormat format,
                                                           int32_t decimal_places, GK_EH) {
    return text_of_point(point, handler, [&](const GeographicPosition& position) {
        return latitude_longitude_text(position, format, decimal_places);
    });
}

GK_StringHandle GK_CoordinateFormatter_toMGRS(GK_GeometryHandle point, GK_CoordinateConversionMode mode,
                                              int32_t precision, GK_Bool add_spaces, GK_EH) {
    return text_of_point(point, handler, [&](const GeographicPosition& position) {
        return mgrs_text(position, mgrs_lettering(mode), precision, add_spaces != 0, "MGRS");
    });
}

GK_StringHandle GK_CoordinateFormatter_toUSNG(GK_GeometryHandle point, int32_t precision, GK_Bool add_spaces,
                                              GK_EH) {
    return text_of_point(point, handler, [&](const GeographicPosition& position) {
        return mgrs_text(position, MgrsLettering::current, precision, add_spaces != 0, "USNG");
    });
}

GK_StringHandle GK_CoordinateFormatter_toUTM(GK_GeometryHandle point, GK_CoordinateConversionMode mode,
                                             GK_Bool add_spaces, GK_EH) {
    return text_of_point(point, handler, [&](const GeographicPosition& position) {
        return utm_text(position, utm_zone_form(mode), add_spaces != 0);
    });
}
