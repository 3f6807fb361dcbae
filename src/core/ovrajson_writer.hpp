#pragma once

#include <string>

#include "coord.hpp"
#include "curve_multipart.hpp"
#include "curve_part.hpp"
#include "envelope_value.hpp"
#include "multipart.hpp"
#include "multipoint.hpp"
#include "part.hpp"
#include "point_value.hpp"
#include "polygon.hpp"
#include "polyline.hpp"

namespace velmor::core {

// OvraJSON text of the native values, written straight from them: objects as {"key": value, ...}
// with ", " and ": " separators, every double in the system's number format (a NaN coordinate is
// the bare token NaN), the spatial reference as its compact JSON object. The text is built in
// memory, so writing cannot fail; containers and parts are locked one at a time while they are
// written, and a poisoned lock stops the write with the internal failure of that lock.
std::string write_ovrajson(const Coord& coord);
std::string write_ovrajson(const Part& part);
std::string write_ovrajson(const CurvePart& part);
std::string write_ovrajson(const Multipart& multipart);
std::string write_ovrajson(const CurveMultipart& multipart);
std::string write_ovrajson(const Polyline& polyline);
std::string write_ovrajson(const Polygon& polygon);
std::string write_ovrajson(const Multipoint& multipoint);
std::string write_ovrajson(const PointValue& point);
std::string write_ovrajson(const EnvelopeValue& envelope);

}  // namespace velmor::core
