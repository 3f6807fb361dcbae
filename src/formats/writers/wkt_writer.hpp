#pragma once

#include <string>

#include "geometry_walk.hpp"

namespace velmor::formats {

// ISO WKT of a native geometry, in the types geometry_walk.hpp chooses: the dimension keyword (Z, M, ZM)
// after the type of every geometry that names its type, ", " between members and points, every number
// in the system's shortest round-trip form, "EMPTY" for a geometry without points. Elliptic arcs and
// Bezier curves are written as chords within the spatial reference's tolerance, or without one within
// 1e-4 of each curve's own size (at most about 220 chords for a whole ellipse, 87 for a Bezier curve).
std::string write_wkt(const core::PointValue& point, const WriteOptions& options);
std::string write_wkt(const core::EnvelopeValue& envelope, const WriteOptions& options);
std::string write_wkt(const core::Multipoint& multipoint, const WriteOptions& options);
std::string write_wkt(const core::Polyline& polyline, const WriteOptions& options);
std::string write_wkt(const core::Polygon& polygon, const WriteOptions& options);

}  // namespace velmor::formats
