#pragma once

#include <vector>

#include "spatial/spatial_reference_value.hpp"
#include "spatial/transformation_value.hpp"

namespace geokern {

// PROJ's candidate operations between two systems, most suitable first (operations whose grids are
// on the machine before those whose grids are missing). Between systems on the same datum nothing is
// needed and the list is empty. With `vertical`, the whole systems including their vertical parts
// are transformed (horizontal-vertical transformations); otherwise their geographic systems.
std::vector<TransformationPointer> transformations_by_suitability(const SpatialReferencePointer& input,
                                                                  const SpatialReferencePointer& output,
                                                                  bool vertical);

}  // namespace geokern
