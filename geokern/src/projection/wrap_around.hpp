#pragma once

#include <optional>

#include "geometry/geometry_value.hpp"
#include "spatial/spatial_reference_value.hpp"

namespace geokern {

// The x range of a system that wraps around the globe: [start, start + period). Geographic systems span
// a full turn in their angular unit, centred on their prime meridian; pannable projections (Mercator,
// equidistant cylindrical, Miller) span the image of that turn, centred on the image of longitude 0.
struct WrapRange {
    double start = 0.0;
    double period = 0.0;
    double end() const { return start + period; }
};

// None for systems that do not wrap around (other projections, no system, or a range PROJ cannot
// compute). Ranges of projections are computed once per system and thread.
std::optional<WrapRange> wrap_range(const SpatialReferencePointer& spatial_reference);

// x moved by whole periods into [start, end); non-finite x stays as it is.
double wrapped(double x, const WrapRange& range);
// x moved by whole periods to lie as close as possible to `target`.
double wrapped_near(double x, double target, const WrapRange& range);
// An envelope moved by whole periods so that its xmin lies in the range; one that would then cross the
// range's end covers the whole range instead, as an envelope has one piece.
EnvelopeData wrapped_extent(EnvelopeData envelope, const WrapRange& range);
// An envelope moved by whole periods so that its centre lies as close as possible to `target`.
EnvelopeData extent_near(EnvelopeData envelope, double target, const WrapRange& range);

// How many periods past the range x lies: 0 inside [start, end).
double turns_of(double x, const WrapRange& range);

}  // namespace geokern
