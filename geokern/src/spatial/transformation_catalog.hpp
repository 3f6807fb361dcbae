#pragma once

#include <optional>
#include <vector>

#include "spatial/spatial_reference_value.hpp"
#include "spatial/transformation_value.hpp"

namespace geokern {

// PROJ's candidate operations between two systems, most suitable first (operations whose grids are
// on the machine before those whose grids are missing). Between systems on the same datum nothing is
// needed and the list is empty. With `vertical`, the whole systems including their vertical parts
// are transformed (horizontal-vertical transformations); otherwise their geographic systems. An area of
// interest (west, south, east, north in degrees) keeps the operations whose area of use meets it.
struct GeographicArea {
    double west, south, east, north;
};
std::vector<TransformationPointer> transformations_by_suitability(const SpatialReferencePointer& input,
                                                                  const SpatialReferencePointer& output,
                                                                  bool vertical,
                                                                  const std::optional<GeographicArea>& area = {});

}  // namespace geokern
