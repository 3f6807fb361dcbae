// The SpatialReferenceBuilder family: a system whose tolerance and resolution the caller sets.
#include <cmath>

#include "report.hpp"
#include "spatial/spatial_reference_value.hpp"
#include "string_value.hpp"

using namespace geokern;

namespace {

GK_SpatialReferenceBuilderHandle new_builder(const SpatialReferencePointer& value) {
    return make_handle<GK_SpatialReferenceBuilderHandle>(SpatialReferenceBuilderValue{*value});
}

const SpatialReferenceValue& draft(GK_SpatialReferenceBuilderHandle builder) { return value_of(builder).draft; }

// Sets one precision figure; the pairing of tolerance and resolution is checked when the spatial
// reference is made, so they can be set in either order.
void set_figure(GK_SpatialReferenceBuilderHandle builder, double SpatialReferenceValue::*figure, double value) {
    if (!std::isfinite(value) || value <= 0.0) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "a tolerance or resolution must be a positive number.");
    }
    value_of(builder).draft.*figure = value;
}

}  // namespace

void GK_SpatialReferenceBuilder_destroy(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(builder); });
}

GK_SpatialReferenceBuilderHandle GK_SpatialReferenceBuilder_create(int32_t wkid, GK_EH) {
    return guarded<GK_SpatialReferenceBuilderHandle>(handler, [&] { return new_builder(spatial_reference_from_wkid(wkid)); });
}

GK_SpatialReferenceBuilderHandle GK_SpatialReferenceBuilder_createFromSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_SpatialReferenceBuilderHandle>(handler, [&] { return new_builder(shared_value(spatial_reference)); });
}

GK_SpatialReferenceBuilderHandle GK_SpatialReferenceBuilder_createFromWKText(const char* wk_text, GK_EH) {
    return guarded<GK_SpatialReferenceBuilderHandle>(handler, [&] {
        return new_builder(spatial_reference_from_text(text_argument(wk_text, "well-known")));
    });
}

GK_SpatialReferenceBuilderHandle GK_SpatialReferenceBuilder_createVerticalWKID(int32_t wkid, int32_t vertical_wkid, GK_EH) {
    return guarded<GK_SpatialReferenceBuilderHandle>(handler, [&] {
        return new_builder(spatial_reference_from_wkids(wkid, vertical_wkid));
    });
}

GK_Bool GK_SpatialReferenceBuilder_getIsValid(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{valid_precision(draft(builder))}; });
}

double GK_SpatialReferenceBuilder_getResolution(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<double>(handler, [&] { return draft(builder).resolution; });
}

double GK_SpatialReferenceBuilder_getTolerance(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<double>(handler, [&] { return draft(builder).tolerance; });
}

GK_UnitHandle GK_SpatialReferenceBuilder_getUnit(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(draft(builder).unit); });
}

double GK_SpatialReferenceBuilder_getVerticalResolution(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<double>(handler, [&] { return draft(builder).vertical_resolution; });
}

double GK_SpatialReferenceBuilder_getVerticalTolerance(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<double>(handler, [&] { return draft(builder).vertical_tolerance; });
}

GK_UnitHandle GK_SpatialReferenceBuilder_getVerticalUnit(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] {
        if (!draft(builder).vertical_unit) {
            fail(GK_ERROR_INVALID_STATE, "invalid state.", "the spatial reference has no vertical coordinate system.");
        }
        return new_unit_handle(draft(builder).vertical_unit);
    });
}

int32_t GK_SpatialReferenceBuilder_getVerticalWKID(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<int32_t>(handler, [&] { return draft(builder).vertical_wkid; });
}

int32_t GK_SpatialReferenceBuilder_getWKID(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<int32_t>(handler, [&] { return draft(builder).wkid; });
}

GK_StringHandle GK_SpatialReferenceBuilder_getWKText(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(draft(builder).wkt); });
}

GK_StringHandle GK_SpatialReferenceBuilder_getWKText2(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(draft(builder).wkt2); });
}

void GK_SpatialReferenceBuilder_setResolution(GK_SpatialReferenceBuilderHandle builder, double resolution, GK_EH) {
    guarded<void>(handler, [&] { set_figure(builder, &SpatialReferenceValue::resolution, resolution); });
}

void GK_SpatialReferenceBuilder_setTolerance(GK_SpatialReferenceBuilderHandle builder, double tolerance, GK_EH) {
    guarded<void>(handler, [&] { set_figure(builder, &SpatialReferenceValue::tolerance, tolerance); });
}

void GK_SpatialReferenceBuilder_setVerticalResolution(GK_SpatialReferenceBuilderHandle builder, double resolution, GK_EH) {
    guarded<void>(handler, [&] { set_figure(builder, &SpatialReferenceValue::vertical_resolution, resolution); });
}

void GK_SpatialReferenceBuilder_setVerticalTolerance(GK_SpatialReferenceBuilderHandle builder, double tolerance, GK_EH) {
    guarded<void>(handler, [&] { set_figure(builder, &SpatialReferenceValue::vertical_tolerance, tolerance); });
}

GK_SpatialReferenceHandle GK_SpatialReferenceBuilder_toSpatialReference(GK_SpatialReferenceBuilderHandle builder, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] {
        if (!valid_precision(draft(builder))) {
            fail(GK_ERROR_INVALID_STATE, "invalid state.", "the tolerance must be at least the resolution.");
        }
        return new_spatial_reference_handle(std::make_shared<const SpatialReferenceValue>(draft(builder)));
    });
}
