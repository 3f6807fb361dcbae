#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "spatial_reference_value.hpp"

namespace velmor::core {

// The spatial reference a geometry keeps, or none. An optional SpatialReference is mostly room for
// two texts that few geometries have, and every live geometry pays for it; this form keeps the
// identifiers inline and the texts in a block of their own, made only when there are any.
class StoredSpatialReference {
public:
    StoredSpatialReference() = default;
    explicit StoredSpatialReference(std::optional<SpatialReference> value);
    StoredSpatialReference(const StoredSpatialReference& other);
    StoredSpatialReference& operator=(const StoredSpatialReference& other);
    StoredSpatialReference(StoredSpatialReference&&) noexcept = default;
    StoredSpatialReference& operator=(StoredSpatialReference&&) noexcept = default;
    ~StoredSpatialReference() = default;

    std::optional<SpatialReference> get() const;

private:
    struct Texts {
        std::optional<std::string> wkt;
        std::optional<std::string> wkt2;
    };
    // Bit 0: a spatial reference is stored; bit 1 + k: identifier k is present.
    static constexpr std::uint8_t kStored = 1;

    std::array<std::uint32_t, 4> ids_{};
    std::uint8_t present_ = 0;
    std::unique_ptr<Texts> texts_;
};

}  // namespace velmor::core
