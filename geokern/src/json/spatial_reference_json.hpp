#pragma once

#include <rapidjson/document.h>

#include <string>

#include "json/json_location.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern {

// A spatial reference object: "wkid" (with "vcsWkid" for a compound system), "latestWkid" (and
// "latestVcsWkid") serving when the identifier is missing or unknown here; without identifiers "wkt",
// then "wkt2". Other members are ignored.
SpatialReferencePointer read_spatial_reference(const rapidjson::Value& object, const JsonLocation& where);

// Compact JSON: {"wkid":102100,"latestWkid":3857}, with "vcsWkid" (and "latestVcsWkid") for a compound
// system, or {"wkt":"..."} for a system without identifier: the text it was read from, else PROJ's.
void write_spatial_reference(const SpatialReferenceValue& value, std::string& out);
std::string spatial_reference_json(const SpatialReferenceValue& value);

}  // namespace geokern
