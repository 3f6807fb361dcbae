#include "polyline.hpp"

#include <utility>

namespace velmor::core {

Result<Polyline> Polyline::build(Dims dims, std::vector<SharedPart> paths,
                                 std::vector<SharedCurvePart> curve_paths,
                                 std::optional<SpatialReference> spatial_reference) {
    Polyline polyline(dims);
    for (SharedPart& part : paths) VELMOR_TRY(polyline.push_path(std::move(part)));
    for (SharedCurvePart& part : curve_paths) VELMOR_TRY(polyline.push_curve_path(std::move(part)));
    polyline.set_spatial_reference(std::move(spatial_reference));
    return polyline;
}

}  // namespace velmor::core
