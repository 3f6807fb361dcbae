// The SpatialReference family: coordinate systems from identifiers, texts, read by PROJ (JSON comes with the JSON support).
#include "report.hpp"
#include "spatial/spatial_reference_value.hpp"
#include "string_value.hpp"

using namespace geokern;

namespace {

const SpatialReferenceValue& vertical_part(GK_SpatialReferenceHandle spatial_reference) {
    const SpatialReferenceValue& value = value_of(spatial_reference);
    if (!value.has_vertical) {
        fail(GK_ERROR_INVALID_STATE, "invalid state.", "the spatial reference has no vertical coordinate system.");
    }
    return value;
}

}  // namespace

void GK_SpatialReference_destroy(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(spatial_reference); });
}

GK_SpatialReferenceHandle GK_SpatialReference_create(int32_t wkid, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] { return new_spatial_reference_handle(spatial_reference_from_wkid(wkid)); });
}

GK_SpatialReferenceHandle GK_SpatialReference_createFromWKText(const char* wk_text, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] {
        return new_spatial_reference_handle(spatial_reference_from_text(text_argument(wk_text, "well-known")));
    });
}

GK_SpatialReferenceHandle GK_SpatialReference_createVerticalWKID(int32_t wkid, int32_t vertical_wkid, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] {
        return new_spatial_reference_handle(spatial_reference_from_wkids(wkid, vertical_wkid));
    });
}

GK_SpatialReferenceHandle GK_SpatialReference_getBaseGeographic(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] {
        return new_spatial_reference_handle(base_geographic(value_of(spatial_reference)));
    });
}

GK_Bool GK_SpatialReference_getHasVertical(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(spatial_reference).has_vertical}; });
}

GK_Bool GK_SpatialReference_getIsGeographic(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(spatial_reference).geographic}; });
}

GK_Bool GK_SpatialReference_getIsPannable(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(spatial_reference).pannable}; });
}

GK_Bool GK_SpatialReference_getIsProjected(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{value_of(spatial_reference).projected}; });
}

double GK_SpatialReference_getResolution(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(spatial_reference).resolution; });
}

double GK_SpatialReference_getTolerance(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(spatial_reference).tolerance; });
}

GK_UnitHandle GK_SpatialReference_getUnit(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(value_of(spatial_reference).unit); });
}

double GK_SpatialReference_getVerticalResolution(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(spatial_reference).vertical_resolution; });
}

double GK_SpatialReference_getVerticalTolerance(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(spatial_reference).vertical_tolerance; });
}

GK_UnitHandle GK_SpatialReference_getVerticalUnit(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(vertical_part(spatial_reference).vertical_unit); });
}

int32_t GK_SpatialReference_getVerticalWKID(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<int32_t>(handler, [&] { return value_of(spatial_reference).vertical_wkid; });
}

int32_t GK_SpatialReference_getWKID(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<int32_t>(handler, [&] { return value_of(spatial_reference).wkid; });
}

GK_StringHandle GK_SpatialReference_getWKText(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(spatial_reference).wkt); });
}

GK_StringHandle GK_SpatialReference_getWKText2(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(spatial_reference).wkt2); });
}

GK_SpatialReferenceHandle GK_SpatialReference_WGS84(GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] { return new_spatial_reference_handle(spatial_reference_from_wkid(4326)); });
}

// Web Mercator by its EPSG code, 3857 (the same system as 102100 of PROJ's second authority).
GK_SpatialReferenceHandle GK_SpatialReference_webMercator(GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] { return new_spatial_reference_handle(spatial_reference_from_wkid(3857)); });
}

GK_Bool GK_SpatialReference_equals(GK_SpatialReferenceHandle spatial_reference, GK_SpatialReferenceHandle other, GK_EH) {
    return guarded<GK_Bool>(handler, [&] {
        return GK_Bool{same_spatial_reference(value_of(spatial_reference), value_of(other))};
    });
}

uint64_t GK_SpatialReference_getHash(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return spatial_reference_hash(value_of(spatial_reference)); });
}

