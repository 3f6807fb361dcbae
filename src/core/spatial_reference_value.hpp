#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velmor::core {

// The coordinate system of a geometry: identifiers and well-known texts, each optional. A value with
// nothing set is legal (it just cannot become a runtime spatial reference).
struct SpatialReference {
    std::optional<std::uint32_t> wkid;
    std::optional<std::uint32_t> latest_wkid;
    std::optional<std::uint32_t> vcs_wkid;
    std::optional<std::uint32_t> latest_vcs_wkid;
    std::optional<std::string> wkt;
    std::optional<std::string> wkt2;

    bool operator==(const SpatialReference&) const = default;
};

// The compact JSON object of the present fields, {"wkid":4326,"latestWkid":4326}; "{}" when none is.
// It is the text of a spatial reference everywhere: inside OvraJSON and as the text of the value.
void append_compact_json(std::string& out, const SpatialReference& value);
std::string compact_json(const SpatialReference& value);

}  // namespace velmor::core
