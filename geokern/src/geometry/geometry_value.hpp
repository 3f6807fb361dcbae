#pragma once

#include <memory>
#include <numeric>
#include <vector>

#include "geometry/part.hpp"
#include "geometry/spatial_reference_ref.hpp"
#include "geometry/value_identity.hpp"
#include "handle.hpp"

namespace geokern {

inline constexpr GK_GeometryType geometry_type_point = 1;
inline constexpr GK_GeometryType geometry_type_envelope = 2;
inline constexpr GK_GeometryType geometry_type_polyline = 3;
inline constexpr GK_GeometryType geometry_type_polygon = 4;
inline constexpr GK_GeometryType geometry_type_multipoint = 5;

// The ranges of an envelope; NaN for a missing bound, xmin NaN for the empty envelope.
struct EnvelopeData {
    double xmin = nan_value, ymin = nan_value, xmax = nan_value, ymax = nan_value;
    double zmin = nan_value, zmax = nan_value, mmin = nan_value, mmax = nan_value;
    bool empty() const { return std::isnan(xmin); }
    // The middle of each range; std::midpoint, since the plain half sum overflows for bounds near the
    // largest doubles.
    Vertex centre() const {
        return {std::midpoint(xmin, xmax), std::midpoint(ymin, ymax), std::midpoint(zmin, zmax),
                std::midpoint(mmin, mmax)};
    }
};

// Every geometry, immutable once made and shared by every handle to it. Only the fields of its type are
// used: `point`; `envelope`; `parts` of a polyline (open) or polygon (closed rings); `points` of a
// multipoint (a part whose segments mean nothing; null in other geometries, so that a point costs one
// allocation and no shared count). All parts of a geometry share its z and m awareness.
struct GeometryValue {
    GK_GeometryType type = geometry_type_point;
    bool has_z = false;
    bool has_m = false;
    SpatialReferenceRef spatial_reference;
    Vertex point;
    EnvelopeData envelope;
    std::vector<std::shared_ptr<const PartValue>> parts;
    std::shared_ptr<const PartValue> points;  // never null in a multipoint
    ValueIdentity identity;                    // names the value in the engine's caches
};
GEOKERN_HANDLE_VALUE(GK_GeometryHandle, GeometryValue, "geometry");

const char* geometry_type_name(GK_GeometryType type);

[[noreturn]] void geometry_type_mismatch(GK_GeometryType expected, GK_GeometryType got);

// The geometry behind a handle, which must be of the given type (a type mismatch otherwise). Inline:
// reading a point's coordinates calls it once per number.
inline const GeometryValue& geometry_of(GK_GeometryHandle handle, GK_GeometryType expected) {
    const GeometryValue& geometry = value_of(handle);
    if (geometry.type != expected) geometry_type_mismatch(expected, geometry.type);
    return geometry;
}

// A point argument: the point geometry behind the handle.
inline const GeometryValue& point_value_of(GK_GeometryHandle point) {
    return geometry_of(point, geometry_type_point);
}

GK_GeometryHandle new_geometry(GeometryValue value);
GeometryValue point_value(const Vertex& point, bool has_z, bool has_m, SpatialReferenceRef spatial_reference);
GK_GeometryHandle new_point(const Vertex& point, bool has_z, bool has_m,
                            const SpatialReferenceRef& spatial_reference);

// Envelopes keep min <= max: swapped bounds are put in order.
GeometryValue envelope_value(EnvelopeData data, bool has_z, bool has_m,
                             SpatialReferenceRef spatial_reference);

// An empty geometry of a type, with that awareness and spatial reference.
GeometryValue empty_geometry(GK_GeometryType type, bool has_z, bool has_m, SpatialReferenceRef spatial_reference);

EnvelopeData extent_of(const GeometryValue& geometry);
bool has_curves(const GeometryValue& geometry);
bool is_empty(const GeometryValue& geometry);
// Topological dimension: 0 for points and multipoints, 1 for polylines, 2 for polygons and envelopes.
int32_t dimension_of(const GeometryValue& geometry);
// Same type, awareness, spatial reference and numbers, each number within `tolerance` (0: exactly).
bool near_geometry(const GeometryValue& a, const GeometryValue& b, double tolerance);
uint64_t geometry_hash(const GeometryValue& geometry);

}  // namespace geokern
