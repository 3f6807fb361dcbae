#pragma once

#include "geometry/geometry_value.hpp"
#include "spatial/transformation_value.hpp"

namespace geokern {

// A geometry in another system. Curves become chords first (within the chord deviation of the
// geometry's own system), since a projected arc is no longer an arc; straight segments keep their
// vertices. An envelope becomes the extent of its projected outline, densified so that curved edges
// of the image are followed. z goes through the operation (changed only by vertical-aware ones), m is
// kept. `transformation` may be null: PROJ's best available operation is used then. A geometry without
// a spatial reference, and a point that cannot be projected, are runtime errors.
GeometryValue project_geometry(const GeometryValue& geometry, const SpatialReferenceRef& target,
                               const TransformationPointer& transformation);

}  // namespace geokern
