#include "stored_spatial_reference.hpp"

#include <utility>

namespace velmor::core {
namespace {

using Identifier = std::optional<std::uint32_t> SpatialReference::*;
constexpr std::array<Identifier, 4> kIdentifiers = {&SpatialReference::wkid, &SpatialReference::latest_wkid,
                                                    &SpatialReference::vcs_wkid,
                                                    &SpatialReference::latest_vcs_wkid};

constexpr std::uint8_t identifier_bit(std::size_t k) { return static_cast<std::uint8_t>(2U << k); }

}  // namespace

StoredSpatialReference::StoredSpatialReference(std::optional<SpatialReference> value) {
    if (!value) return;
    present_ = kStored;
    for (std::size_t k = 0; k < kIdentifiers.size(); ++k) {
        if (const auto& id = (*value).*kIdentifiers[k]) {
            ids_[k] = *id;
            present_ |= identifier_bit(k);
        }
    }
    if (value->wkt || value->wkt2) {
        texts_ = std::make_unique<Texts>(Texts{std::move(value->wkt), std::move(value->wkt2)});
    }
}

StoredSpatialReference::StoredSpatialReference(const StoredSpatialReference& other)
    : ids_(other.ids_),
      present_(other.present_),
      texts_(other.texts_ ? std::make_unique<Texts>(*other.texts_) : nullptr) {}

StoredSpatialReference& StoredSpatialReference::operator=(const StoredSpatialReference& other) {
    if (this != &other) *this = StoredSpatialReference(other);
    return *this;
}

std::optional<SpatialReference> StoredSpatialReference::get() const {
    if ((present_ & kStored) == 0) return std::nullopt;
    SpatialReference value;
    for (std::size_t k = 0; k < kIdentifiers.size(); ++k) {
        if ((present_ & identifier_bit(k)) != 0) value.*kIdentifiers[k] = ids_[k];
    }
    if (texts_) {
        value.wkt = texts_->wkt;
        value.wkt2 = texts_->wkt2;
    }
    return value;
}

}  // namespace velmor::core
