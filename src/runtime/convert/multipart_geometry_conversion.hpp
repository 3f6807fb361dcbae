#pragma once

#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// Native polylines and polygons to runtime geometries and back.
//
// To the runtime: the parts with curves first, in order, then the straight parts, in order, all in one
// geometry with the native spatial reference. The caller holds the geometry value's lock; each
// container is locked only while it is converted, curved one first, and each part only while it is
// read. A curve the runtime refuses, or a spatial reference it does not know, is the Geokern kind.
core::Result<Polyline> polyline_to_runtime(const core::Polyline& polyline);
core::Result<Polygon> polygon_to_runtime(const core::Polygon& polygon);

// From the runtime: dimensionality from the geometry's z and m, its spatial reference as a value; each
// part with curves goes to the curved container (rings keep a curved closing segment as a repeated
// first vertex), every other part to the straight one, each container in runtime order. Rings are
// taken as the runtime has them, without the checks of pushing a single ring.
core::Result<core::Polyline> polyline_from_runtime(const Polyline& polyline);
core::Result<core::Polygon> polygon_from_runtime(const Polygon& polygon);

}  // namespace velmor::runtime::convert
