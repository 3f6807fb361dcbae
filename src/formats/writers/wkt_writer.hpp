#pragma once

#include <string>

#include "geometry_walk.hpp"

namespace velmor::formats {

// ISO WKT of a native geometry, in the types geometry_walk.hpp chooses: the dimension keyword (Z, M, ZM)
// after the type of every geometry that names its type, ", " between members and points, every number
// in the system's shortest round-trip form, "EMPTY" for a geometry without points.
std::string write_wkt(const core::PointValue& point, const WriteOptions& options);
std::string write_wkt(const core::EnvelopeValue& envelope, const WriteOptions& options);
std::string write_wkt(const core::Multipoint& multipoint, const WriteOptions& options);
std::string write_wkt(const core::Polyline& polyline, const WriteOptions& options);
std::string write_wkt(const core::Polygon& polygon, const WriteOptions& options);

}  // namespace velmor::formats
