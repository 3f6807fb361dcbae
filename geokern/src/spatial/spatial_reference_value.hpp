#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "handle.hpp"
#include "interface.hpp"
#include "spatial/proj_context.hpp"
#include "spatial/unit_definition.hpp"

namespace geokern {

// A coordinate system as PROJ reads it, with what the interface asks of it computed once.
// Tolerance and resolution are in the horizontal unit; by default the resolution is 0.1 mm and the
// tolerance 1 mm (for an angular unit: 1 mm along the equator of the system's ellipsoid, and a
// tenth of that). The vertical ones are in the vertical unit (metres when there is no vertical
// system), 0.1 mm and 1 mm.
struct SpatialReferenceValue {
    int32_t wkid = 0;           // well-known identifier of the horizontal system, 0 when it has none
    int32_t vertical_wkid = 0;  // of the vertical system, 0 when it has none
    std::string wkt;            // well-known text, first edition (empty when PROJ cannot write one)
    std::string wkt2;           // second edition (2019)
    std::string text_read;      // the text the system was read from, if any: PROJ's texts round numbers
                                // to 15 digits, so JSON repeats this one to read back the same system
    bool geographic = false;
    bool projected = false;
    bool pannable = false;
    bool has_vertical = false;
    UnitPointer unit;
    UnitPointer vertical_unit;  // null without a vertical system
    double resolution = 0.0;
    double tolerance = 0.0;
    double vertical_resolution = 0.0;
    double vertical_tolerance = 0.0;
    SharedPj crs;         // the whole system
    SharedPj horizontal;  // its horizontal part
};
// Handles hold the value without const, as every family that keeps a spatial reference shares it the
// same way; the value is never changed after it is made.
GEOKERN_HANDLE_VALUE(GK_SpatialReferenceHandle, SpatialReferenceValue, "spatial reference");

struct SpatialReferenceBuilderValue {
    SpatialReferenceValue draft;
};
GEOKERN_HANDLE_VALUE(GK_SpatialReferenceBuilderHandle, SpatialReferenceBuilderValue, "spatial reference builder");

using SpatialReferencePointer = std::shared_ptr<const SpatialReferenceValue>;

// The system of a well-known identifier: EPSG codes first, then codes of PROJ's second authority. Made once per
// identifier and shared afterwards.
SpatialReferencePointer spatial_reference_from_wkid(int32_t wkid);
// The compound system of a horizontal and a vertical identifier, also made once per pair.
SpatialReferencePointer spatial_reference_from_wkids(int32_t wkid, int32_t vertical_wkid);
// A system from well-known text of either edition (or any text PROJ reads as a coordinate system).
SpatialReferencePointer spatial_reference_from_text(const std::string& text);
// A system from a PROJ object; its identifiers are those it carries, or those PROJ identifies it as.
SpatialReferencePointer spatial_reference_from_pj(SharedPj crs);
// The geographic system under a system (itself when it is geographic).
SpatialReferencePointer base_geographic(const SpatialReferenceValue& value);

bool same_spatial_reference(const SpatialReferenceValue& a, const SpatialReferenceValue& b);
uint64_t spatial_reference_hash(const SpatialReferenceValue& value);

bool valid_precision(const SpatialReferenceValue& value);

GK_SpatialReferenceHandle new_spatial_reference_handle(SpatialReferencePointer value);
// An optional spatial reference argument: null stays null.
SpatialReferencePointer optional_spatial_reference(GK_SpatialReferenceHandle handle);

}  // namespace geokern
