#pragma once

#include <optional>

#include "curve_multipart.hpp"
#include "dims.hpp"
#include "multipart.hpp"
#include "result.hpp"
#include "spatial_reference_value.hpp"
#include "stored_spatial_reference.hpp"

namespace velmor::core {

// What polylines and polygons share: straight and curved parts in two containers (the text format
// keeps them apart), both of the geometry's dimensionality, which is that of the straight container.
// Each container is locked for one access at a time, never two at once. Copying a geometry copies
// its container handles, so the copy shares the containers.
class MultipartGeometry {
public:
    Dims dims() const;
    bool has_z() const { return core::has_z(dims()); }
    bool has_m() const { return core::has_m(dims()); }
    bool is_empty() const;

    std::optional<SpatialReference> spatial_reference() const { return spatial_reference_.get(); }
    void set_spatial_reference(std::optional<SpatialReference> value) {
        spatial_reference_ = StoredSpatialReference(std::move(value));
    }

protected:
    explicit MultipartGeometry(Dims dims);

    const SharedMultipart& linear() const { return linear_; }
    const SharedCurveMultipart& curved() const { return curved_; }
    Result<void> push_linear(SharedPart part);
    Result<void> push_curved(SharedCurvePart part);
    // Replace a whole container by one of the geometry's dimensionality; its parts are taken as they are.
    Result<void> set_linear(SharedMultipart container);
    Result<void> set_curved(SharedCurveMultipart container);

private:
    StoredSpatialReference spatial_reference_;
    SharedMultipart linear_;
    SharedCurveMultipart curved_;
};

}  // namespace velmor::core
