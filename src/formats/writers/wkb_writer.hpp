#pragma once

#include <string>

#include "geometry_walk.hpp"

namespace velmor::formats {

// Little-endian WKB of a native geometry, in the types geometry_walk.hpp chooses; every member has its
// own header. Iso: type codes with the 1000 (Z), 2000 (M), 3000 (ZM) offsets. Extended: the flag bits
// 0x80000000 (Z), 0x40000000 (M) and, on the outermost geometry only, 0x20000000 with the SRID when the
// geometry's spatial reference has a wkid. An empty point is a point of NaN values. Elliptic arcs and
// Bezier curves are written as chords within the spatial reference's tolerance, or without one within
// 1e-4 of each curve's own size (at most about 220 chords for a whole ellipse, 87 for a Bezier curve).
enum class WkbFlavour { Iso, Extended };

std::string write_wkb(const core::PointValue& point, WkbFlavour flavour, const WriteOptions& options);
std::string write_wkb(const core::EnvelopeValue& envelope, WkbFlavour flavour, const WriteOptions& options);
std::string write_wkb(const core::Multipoint& multipoint, WkbFlavour flavour, const WriteOptions& options);
std::string write_wkb(const core::Polyline& polyline, WkbFlavour flavour, const WriteOptions& options);
std::string write_wkb(const core::Polygon& polygon, WkbFlavour flavour, const WriteOptions& options);

}  // namespace velmor::formats
