#pragma once

#include <algorithm>
#include <vector>

#include "engine/geos_context.hpp"
#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// GEOS squares coordinate differences (orientation tests, distances), so coordinates must stay well
// below the square root of the largest double for its answers to mean anything.
inline constexpr double largest_coordinate = 1e150;

// What the set operations and buffers share: inputs checked and put in GEOS's form, and GEOS's answer
// turned into a result with z and m from the inputs and their curves restored.
class OverlayInputs {
  public:
    // Envelopes become their rectangle polygons. Coordinates that are NaN (outside points), infinite or
    // beyond 1e150 in size are refused, and the spatial references must agree.
    explicit OverlayInputs(std::vector<GeometryValue> geometries);

    const GeometryValue& operator[](size_t index) const { return geometries_[index]; }
    size_t size() const { return geometries_.size(); }
    const SpatialReferenceRef& spatial_reference() const { return spatial_reference_; }
    double deviation() const { return deviation_; }
    // Coarsens the chord deviation of curves to `deviation` where that is coarser: an operation whose
    // own answer is only that exact (a buffer) gains nothing from finer chords, only work.
    void allow_deviation(double deviation) { deviation_ = std::max(deviation_, deviation); }
    bool has_z() const { return has_z_; }
    bool has_m() const { return has_m_; }

    // One input in GEOS's form; polygons that GEOS finds invalid (crossing or overlapping rings) are
    // repaired first, their outer rings unioned and holes cut out.
    GeosGeometry geos_of(size_t index) const;

    // The result of the given type from a GEOS geometry: pieces of that dimension, z and m from the
    // inputs, curves restored. Non-finite coordinates (an overflow) are refused.
    GeometryValue result(const GEOSGeometry* geometry, GK_GeometryType type) const;
    // The same with the z and m awareness given (a difference keeps that of its first input).
    GeometryValue result(const GEOSGeometry* geometry, GK_GeometryType type, bool has_z, bool has_m) const;
    GeometryValue empty_result(GK_GeometryType type) const;

  private:
    std::vector<GeometryValue> geometries_;
    SpatialReferenceRef spatial_reference_;
    double deviation_ = 0.0;
    bool has_z_ = false, has_m_ = false;
};

// Polygons in GEOS's form as GEOS finds them valid: invalid ones (crossing or overlapping rings) are
// rebuilt by GEOS's make-valid with the structure method, their outer rings unioned and holes cut out.
GeosGeometry valid_polygons(GeosGeometry geometry);

// The dimension of a geometry type: 0 points, 1 polylines, 2 polygons and envelopes.
int dimension_of_type(GK_GeometryType type);
// The type of a result of a dimension: multipoint, polyline, polygon.
GK_GeometryType type_of_dimension(int dimension);
const char* dimension_name(int dimension);

// A GEOS collection of the given geometries (taken over).
GeosGeometry geos_collection(std::vector<GeosGeometry> members);

}  // namespace geokern::engine
