#pragma once

#include "engine/geos_conversion.hpp"

namespace geokern::engine {

// Whether a point lies in polygons or on their boundary, decided the way GEOS decides it: a ray to the
// right of the point crosses the rings' edges, each crossing judged by GEOS's exact orientation test,
// and a point on an edge is on the boundary. GEOS has two readings of several rings, and they differ
// only for rings that overlap:
// - even-odd over every ring at once (its indexed locator, the one of prepared geometries);
bool covered_even_odd(const PolygonRings& polygons, double x, double y);
//   the same as a place: 1 inside, 0 on the boundary, -1 outside;
int location_even_odd(const PolygonRings& polygons, double x, double y);
// - polygon by polygon: inside an outer ring and not inside one of its holes (its simple locator).
bool covered_by_polygons(const PolygonRings& polygons, double x, double y);

}  // namespace geokern::engine
