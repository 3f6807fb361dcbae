#include "projection/wrap_around.hpp"

#include <cmath>
#include <map>
#include <numbers>

#include "failure.hpp"
#include "projection/coordinate_operation.hpp"

namespace geokern {

namespace {

// Ranges computed for the systems of this thread, each held with its system so its address stays its own.
constexpr size_t cached_ranges = 32;

struct CachedRange {
    SpatialReferencePointer system;
    std::optional<WrapRange> range;
};

std::optional<WrapRange> projected_range(const SpatialReferencePointer& spatial_reference) {
    SpatialReferencePointer geographic = base_geographic(*spatial_reference);
    const OperationChain& chain = operation_between(geographic, spatial_reference, nullptr);
    // Longitudes in the geographic system's unit: a quarter turn east of longitude 0.
    const double quarter = std::numbers::pi / 2.0 / geographic->unit->factor.approximate;
    double x0 = 0.0, y0 = 0.0, x1 = quarter, y1 = 0.0;
    if (!transform_point(chain, x0, y0) || !transform_point(chain, x1, y1)) return std::nullopt;
    const double period = 4.0 * (x1 - x0);
    if (!(period > 0.0) || !std::isfinite(period)) return std::nullopt;
    return WrapRange{x0 - period / 2.0, period};
}

std::optional<WrapRange> geographic_range(const SpatialReferenceValue& spatial_reference) {
    const double period = 2.0 * std::numbers::pi / spatial_reference.unit->factor.approximate;
    return WrapRange{-period / 2.0, period};
}

std::optional<WrapRange> computed_range(const SpatialReferencePointer& spatial_reference) {
    try {
        return projected_range(spatial_reference);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<WrapRange> wrap_range(const SpatialReferencePointer& spatial_reference) {
    if (!spatial_reference) return std::nullopt;
    if (spatial_reference->geographic) return geographic_range(*spatial_reference);
    if (!spatial_reference->pannable) return std::nullopt;
    thread_local std::map<const SpatialReferenceValue*, CachedRange> ranges;
    if (auto found = ranges.find(spatial_reference.get()); found != ranges.end()) return found->second.range;
    std::optional<WrapRange> range = computed_range(spatial_reference);
    if (ranges.size() >= cached_ranges) ranges.clear();
    ranges.emplace(spatial_reference.get(), CachedRange{spatial_reference, range});
    return range;
}

double turns_of(double x, const WrapRange& range) { return std::floor((x - range.start) / range.period); }

double wrapped(double x, const WrapRange& range) {
    if (!std::isfinite(x) || (x >= range.start && x < range.end())) return x;
    double result = range.start + std::fmod(x - range.start, range.period);
    if (result < range.start) result += range.period;
    if (result >= range.end()) result -= range.period;
    return result;
}

double wrapped_near(double x, double target, const WrapRange& range) {
    if (!std::isfinite(x) || !std::isfinite(target)) return x;
    const double turns = std::round((x - target) / range.period);
    return turns == 0.0 ? x : x - turns * range.period;
}

EnvelopeData wrapped_extent(EnvelopeData envelope, const WrapRange& range) {
    const double shift = wrapped(envelope.xmin, range) - envelope.xmin;
    if (envelope.xmax + shift > range.end()) {
        envelope.xmin = range.start;
        envelope.xmax = range.end();
    } else {
        envelope.xmin += shift;
        envelope.xmax += shift;
    }
    return envelope;
}

EnvelopeData extent_near(EnvelopeData envelope, double target, const WrapRange& range) {
    const double centre = (envelope.xmin + envelope.xmax) / 2.0;
    const double shift = wrapped_near(centre, target, range) - centre;
    envelope.xmin += shift;
    envelope.xmax += shift;
    return envelope;
}

}  // namespace geokern
