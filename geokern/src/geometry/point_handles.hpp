#pragma once

#include "geometry/geometry_value.hpp"

namespace geokern {

// Reading a geometry point by point makes and releases one point handle per vertex. A released point
// handle whose value nobody else holds is kept, value and all, on a short list of the releasing thread;
// the next point made on that thread takes it and writes its coordinates in place: no allocation, no
// shared count, no value built from scratch.

// A handle to a point with these coordinates taken from the thread's list, or null when the list is empty.
// The numbers come in registers: the caller has just read them from a part.
GK_GeometryHandle reuse_point_handle(double x, double y, double z, double m, bool has_z, bool has_m,
                                     const SpatialReferenceRef& spatial_reference) noexcept;

// Releases a geometry handle: a point nobody else holds goes on the thread's list, the rest is destroyed.
void release_geometry_handle(GK_GeometryHandle geometry) noexcept;

}  // namespace geokern
