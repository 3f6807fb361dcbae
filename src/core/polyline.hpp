#pragma once

#include <optional>
#include <vector>

#include "multipart_geometry.hpp"

namespace velmor::core {

// The native polyline: straight paths and paths with curves.
class Polyline : public MultipartGeometry {
public:
    explicit Polyline(Dims dims) : MultipartGeometry(dims) {}
    // The polyline of the given dimensionality holding these parts; the first part of another
    // dimensionality ends the build with its error.
    static Result<Polyline> build(Dims dims, std::vector<SharedPart> paths,
                                  std::vector<SharedCurvePart> curve_paths,
                                  std::optional<SpatialReference> spatial_reference);

    const SharedMultipart& paths() const { return linear(); }
    const SharedCurveMultipart& curve_paths() const { return curved(); }

    Result<void> push_path(SharedPart part) { return push_linear(std::move(part)); }
    Result<void> push_curve_path(SharedCurvePart part) { return push_curved(std::move(part)); }
    Result<void> set_paths(SharedMultipart container) { return set_linear(std::move(container)); }
    Result<void> set_curve_paths(SharedCurveMultipart container) { return set_curved(std::move(container)); }
};

}  // namespace velmor::core
