#pragma once

#include <cstddef>
#include <vector>

#include "projection/projection_domain.hpp"
#include "spatial/proj_context.hpp"
#include "spatial/spatial_reference_value.hpp"
#include "spatial/transformation_value.hpp"

namespace geokern {

// The PROJ operations that take coordinates from one system to another, applied in order. Every
// operation takes and gives x as longitude or easting, y as latitude or northing, whatever axis order
// the systems declare, in the systems' own units.
struct OperationChain {
    std::vector<SharedPj> operations;
    ProjectionDomain domain;  // which points to check, and how (see projection_domain.hpp)
};

// The chain between two systems: PROJ's best available operation for each point when no transformation
// is given; otherwise the transformation's steps, with conversions from the source system to the first
// step's system and from the last step's system to the target. A transformation that runs the other way
// (from the target's datum to the source's) is applied inverted. Chains are kept in a small cache of
// the calling thread, so a loop of projections builds each one once.
const OperationChain& operation_between(const SpatialReferencePointer& source, const SpatialReferencePointer& target,
                                        const TransformationPointer& transformation);

// Transforms columns in place; `zs` may be null (then z is taken as 0 and not written). A point that
// cannot be transformed (outside the operation's domain, see projection_domain.hpp) is a runtime error
// naming its index; no infinite or NaN x or y comes out of finite input.
void transform_columns(const OperationChain& chain, double* xs, double* ys, double* zs, size_t count);

// One point; false when it cannot be transformed.
bool transform_point(const OperationChain& chain, double& x, double& y);

}  // namespace geokern
