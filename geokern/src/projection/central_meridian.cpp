#include "projection/central_meridian.hpp"

#include <cmath>

#include "engine/affine.hpp"
#include "engine/clip.hpp"
#include "failure.hpp"
#include "projection/wrap_around.hpp"

namespace geokern {

namespace {

// A geometry spread over more periods than this is left as it is rather than cut into as many pieces.
constexpr double max_pieces = 64;

void wrap_points(PartValue& points, const WrapRange& range) {
    for (double& x : points.xs) x = wrapped(x, range);
}

GeometryValue moved_by_turns(const GeometryValue& geometry, double turns, const WrapRange& range) {
    if (turns == 0.0) return geometry;
    return engine::map_geometry(geometry, engine::move_map(-turns * range.period, 0.0));
}

// The pieces of a multipart in each period it touches, each moved into the range.
GeometryValue wrapped_multipart(const GeometryValue& geometry, const WrapRange& range) {
    const EnvelopeData extent = extent_of(geometry);
    if (!std::isfinite(extent.xmin) || !std::isfinite(extent.xmax) || !std::isfinite(extent.ymin) ||
        !std::isfinite(extent.ymax)) {
        return geometry;
    }
    const double first = turns_of(extent.xmin, range);
    const double last = std::ceil((extent.xmax - range.start) / range.period) - 1.0;
    if (last <= first) return moved_by_turns(geometry, first, range);
    if (last - first >= max_pieces) return geometry;
    GeometryValue result = empty_geometry(geometry.type, geometry.has_z, geometry.has_m, geometry.spatial_reference);
    for (double turns = first; turns <= last; turns += 1.0) {
        const double start = range.start + turns * range.period;
        // A strip taller than the geometry: rectangle clipping of a flat box keeps nothing sound.
        EnvelopeData strip{start, extent.ymin - 1.0, start + range.period, extent.ymax + 1.0};
        GeometryValue piece = moved_by_turns(engine::clipped(geometry, strip), turns, range);
        result.parts.insert(result.parts.end(), piece.parts.begin(), piece.parts.end());
    }
    return result;
}

GeometryValue wrapped_geometry(const GeometryValue& geometry, const WrapRange& range) {
    GeometryValue result = geometry;
    switch (geometry.type) {
        case geometry_type_point:
            result.point.x = wrapped(geometry.point.x, range);
            return result;
        case geometry_type_multipoint: {
            PartValue points = *geometry.points;
            wrap_points(points, range);
            result.points = std::make_shared<const PartValue>(std::move(points));
            return result;
        }
        case geometry_type_envelope:
            result.envelope = wrapped_extent(geometry.envelope, range);
            return result;
        default:
            return wrapped_multipart(geometry, range);
    }
}

}  // namespace

GeometryValue normalized_central_meridian(const GeometryValue& geometry) {
    if (is_empty(geometry)) return geometry;
    try {
        const std::optional<WrapRange> range = wrap_range(geometry.spatial_reference);
        if (!range) return geometry;
        return wrapped_geometry(geometry, *range);
    } catch (const Failure&) {
        return geometry;
    }
}

}  // namespace geokern
