// Planar buffers on GEOS, with round joins and caps.
//
// GEOS approximates a round join by a fillet of whole steps of a quarter turn / quadrant_segments,
// rounded to the nearest count, so a step can be up to 1.5 times that quantum; with 27 segments per
// quadrant the longest step is 5 degrees and its chord strays r (1 - cos 2.5 deg) < 9.6e-4 r inside
// the true outline. (GEOS first drops shallow concave input vertices, less than 1% of the distance
// deep, which moves the outline out by at most that much there.)
//
// A distance of zero or less gives an empty polygon for points and polylines; a negative distance
// shrinks a polygon. The distance must be finite and at most 1e150 in size; a distance within four
// units in the last place of a polygon's largest coordinate leaves the polygon as it is (GEOS would
// lose it), and a positive distance too small for a point's or line's coordinates is refused.
// Outline vertices get NaN z and m (vertices kept from a polygon, with a zero distance, keep theirs).
// Curves go to GEOS as chords within a tenth of the outline's own error (1e-4 of the distance) where
// that is coarser than their usual deviation: finer chords only multiply GEOS's joins.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/engine_collections.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/overlay.hpp"
#include "report.hpp"

using namespace geokern;
using namespace geokern::engine;

namespace {

constexpr int quadrant_segments = 27;

std::string number_text(double value) {
    if (std::isnan(value)) return "NaN";
    return value > 0 ? "inf" : "-inf";
}

void check_distance(double distance) {
    if (!std::isfinite(distance)) {
        refuse("the buffer distance must be a finite number: got " + number_text(distance) + ".");
    }
    if (std::fabs(distance) > largest_coordinate) {
        refuse("the buffer distance is beyond 1e150 in size, out of the range buffers are computed in.");
    }
}

// The spacing of doubles at the geometry's largest coordinate.
double coordinate_resolution(const GeometryValue& geometry) {
    const EnvelopeData extent = extent_of(geometry);
    const double largest = std::max({std::fabs(extent.xmin), std::fabs(extent.xmax), std::fabs(extent.ymin),
                                     std::fabs(extent.ymax)});
    return std::nextafter(largest, INFINITY) - largest;
}

[[noreturn]] void refuse_below_precision(double resolution) {
    char spacing[32];
    std::snprintf(spacing, sizeof spacing, "%.3g", resolution);
    refuse("the buffer distance is below the precision of the geometry's coordinates: their spacing there is " +
           std::string(spacing) + ".");
}

struct BufferParamsDeleter {
    void operator()(GEOSBufferParams* params) const { GEOSBufferParams_destroy_r(geos(), params); }
};

// The buffer of input `index` in GEOS's form; null when it is empty.
// The share of the distance that curves' chords may stray from them.
constexpr double curve_share = 1e-4;

GeosGeometry geos_buffer(const OverlayInputs& inputs, size_t index, double distance) {
    const GeometryValue& geometry = inputs[index];
    if (is_empty(geometry) || (dimension_of_type(geometry.type) < 2 && distance <= 0.0)) return nullptr;
    std::unique_ptr<GEOSBufferParams, BufferParamsDeleter> params(GEOSBufferParams_create_r(geos()));
    if (params == nullptr) fail_geos("buffer parameters");
    if (!GEOSBufferParams_setQuadrantSegments_r(geos(), params.get(), quadrant_segments) ||
        !GEOSBufferParams_setEndCapStyle_r(geos(), params.get(), GEOSBUF_CAP_ROUND) ||
        !GEOSBufferParams_setJoinStyle_r(geos(), params.get(), GEOSBUF_JOIN_ROUND))
        fail_geos("buffer parameters");
    // GEOS loses a polygon when the distance is below what its coordinates can resolve; the buffer is
    // then the polygon itself, to a few units in the last place.
    const double resolution = coordinate_resolution(geometry);
    if (dimension_of_type(geometry.type) == 2 && std::fabs(distance) <= 4 * resolution) distance = 0.0;
    // A point or line grown by less than the spacing at its largest coordinate has an outline that the
    // coordinates cannot hold. It is refused before GEOS: GEOS would node offset curves and joins that
    // collapse onto the input, which on a finely chorded curve takes it minutes and gigabytes.
    if (dimension_of_type(geometry.type) < 2 && distance > 0.0 && distance < resolution) {
        refuse_below_precision(resolution);
    }
    GeosGeometry input = inputs.geos_of(index);
    GeosGeometry buffer = checked(GEOSBufferWithParams_r(geos(), input.get(), params.get(), distance), "buffer");
    if (distance > 0.0 && checked(GEOSisEmpty_r(geos(), buffer.get()), "buffer") &&
        !checked(GEOSisEmpty_r(geos(), input.get()), "buffer")) {
        refuse_below_precision(resolution);
    }
    return buffer;
}

GeometryValue buffer_result(const OverlayInputs& inputs, const GEOSGeometry* buffer) {
    if (buffer == nullptr) return inputs.empty_result(geometry_type_polygon);
    return inputs.result(buffer, geometry_type_polygon);
}

}  // namespace

GK_GeometryHandle GK_GeometryEngine_buffer(GK_GeometryHandle geometry, double distance, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        check_distance(distance);
        OverlayInputs inputs({value_of(geometry)});
        inputs.allow_deviation(curve_share * std::fabs(distance));
        GeosGeometry buffer = geos_buffer(inputs, 0, distance);
        return new_geometry(buffer_result(inputs, buffer.get()));
    });
}

// Distances broadcast: geometry i takes distance i, and the last distance serves the geometries after
// it; distances beyond the geometries are not used. With union_result, one polygon of all buffers
// together, else one polygon per geometry.
GK_ArrayHandle GK_GeometryEngine_bufferCollection(GK_VectorHandle geometries, GK_VectorHandle distances,
                                                  GK_Bool union_result, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        std::vector<GeometryValue> values;
        for (const auto& geometry : geometries_of(geometries)) values.push_back(*geometry);
        const std::vector<double> numbers = numbers_of(distances);
        if (values.empty()) return geometry_array({});
        if (numbers.empty()) {
            refuse("a buffer of " + std::to_string(values.size()) +
                   " geometries needs at least one distance: the distance vector is empty.");
        }
        for (double distance : numbers) check_distance(distance);
        auto distance_of = [&](size_t index) { return numbers[std::min(index, numbers.size() - 1)]; };
        std::vector<GeometryValue> results;
        if (union_result) {
            OverlayInputs inputs(std::move(values));
            double finest = INFINITY;
            for (size_t i = 0; i < inputs.size(); ++i) {
                if (distance_of(i) != 0.0) finest = std::min(finest, std::fabs(distance_of(i)));
            }
            if (std::isfinite(finest)) inputs.allow_deviation(curve_share * finest);
            std::vector<GeosGeometry> buffers;
            for (size_t i = 0; i < inputs.size(); ++i) {
                GeosGeometry buffer = geos_buffer(inputs, i, distance_of(i));
                if (buffer != nullptr) buffers.push_back(std::move(buffer));
            }
            GeosGeometry all = geos_collection(std::move(buffers));
            GeosGeometry merged = checked(GEOSUnaryUnion_r(geos(), all.get()), "union of buffers");
            results.push_back(inputs.result(merged.get(), geometry_type_polygon));
        } else {
            for (size_t i = 0; i < values.size(); ++i) {
                OverlayInputs inputs({std::move(values[i])});
                inputs.allow_deviation(curve_share * std::fabs(distance_of(i)));
                GeosGeometry buffer = geos_buffer(inputs, 0, distance_of(i));
                results.push_back(buffer_result(inputs, buffer.get()));
            }
        }
        return geometry_array(std::move(results));
    });
}
