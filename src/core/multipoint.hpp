#pragma once

#include <optional>

#include "dims.hpp"
#include "part.hpp"
#include "result.hpp"
#include "spatial_reference_value.hpp"
#include "stored_spatial_reference.hpp"

namespace velmor::core {

// The native multipoint: one part whose vertices are the points; its dimensionality is the part's.
class Multipoint {
public:
    explicit Multipoint(Dims dims) : points_(SharedPart::make(dims)) {}
    explicit Multipoint(SharedPart points, std::optional<SpatialReference> spatial_reference = std::nullopt)
        : spatial_reference_(std::move(spatial_reference)), points_(std::move(points)) {}

    Dims dims() const;
    bool has_z() const { return core::has_z(dims()); }
    bool has_m() const { return core::has_m(dims()); }
    bool is_empty() const;

    const SharedPart& points() const { return points_; }
    // Replaces the point part by one of the same dimensionality.
    Result<void> set_points(SharedPart part);

    std::optional<SpatialReference> spatial_reference() const { return spatial_reference_.get(); }
    void set_spatial_reference(std::optional<SpatialReference> value) {
        spatial_reference_ = StoredSpatialReference(std::move(value));
    }

private:
    StoredSpatialReference spatial_reference_;
    SharedPart points_;
};

}  // namespace velmor::core
