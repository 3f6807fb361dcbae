#pragma once

#include <optional>
#include <vector>

#include "multipart_geometry.hpp"

namespace velmor::core {

// The native polygon: straight rings and rings with curves. A ring pushed on its own must be able
// to enclose an area (closure is not checked); whole containers set at once are taken as they are.
class Polygon : public MultipartGeometry {
public:
    explicit Polygon(Dims dims) : MultipartGeometry(dims) {}
    // The polygon of the given dimensionality holding these rings, each validated as by push_ring
    // and push_curve_ring; the first refusal ends the build with its error.
    static Result<Polygon> build(Dims dims, std::vector<SharedPart> rings,
                                 std::vector<SharedCurvePart> curve_rings,
                                 std::optional<SpatialReference> spatial_reference);

    const SharedMultipart& rings() const { return linear(); }
    const SharedCurveMultipart& curve_rings() const { return curved(); }

    // At least 3 vertices.
    Result<void> push_ring(SharedPart part);
    // At least 2 vertices, and with exactly 2 the closing segment must be curved.
    Result<void> push_curve_ring(SharedCurvePart part);
    Result<void> set_rings(SharedMultipart container) { return set_linear(std::move(container)); }
    Result<void> set_curve_rings(SharedCurveMultipart container) { return set_curved(std::move(container)); }
};

}  // namespace velmor::core
