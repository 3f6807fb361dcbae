#pragma once

#include <string>

#include "envelope_value.hpp"
#include "multipoint.hpp"
#include "point_value.hpp"
#include "polygon.hpp"
#include "polyline.hpp"

namespace velmor::core {

// A picture of a native geometry as one SVG document, for notebooks and reports. The viewBox is the
// geometry's x-y extent (curve bulges included) with a margin of a twentieth of its larger side, in
// the flipped frame of SvgPath (north up); stroke widths and point radii are fractions of that side, so
// a geometry looks the same at any scale. Polygons and envelopes are one path filled with the even-odd
// rule (holes stay open), polylines an unfilled path, points and multipoints circles. An empty geometry,
// or one with nothing finite to draw, is an svg element with no content but a size (300 by 300 over a
// unit view box), which renderers accept. Containers and parts are locked one at
// a time while they are read, as the text writer does.
std::string write_svg(const Polyline& polyline);
std::string write_svg(const Polygon& polygon);
std::string write_svg(const Multipoint& multipoint);
std::string write_svg(const PointValue& point);
std::string write_svg(const EnvelopeValue& envelope);

}  // namespace velmor::core
