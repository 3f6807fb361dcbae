#include "engine/overlay.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/curve_restoration.hpp"
#include "engine/engine_inputs.hpp"
#include "engine/geos_conversion.hpp"
#include "engine/linearize.hpp"
#include "engine/vertex_attributes.hpp"

namespace geokern::engine {
namespace {

void check_range(const GeometryValue& geometry, size_t index, size_t count) {
    const std::string which = count == 1 ? std::string("the geometry") : "geometry " + std::to_string(index + 1);
    // Points may be NaN (empty); every other coordinate must be a number.
    const bool nan_allowed = geometry.type == geometry_type_point || geometry.type == geometry_type_multipoint;
    auto check = [&](double value) {
        if (std::isnan(value)) {
            if (!nan_allowed) refuse(which + " has a coordinate that is not a number.");
        } else if (std::isinf(value)) {
            refuse(which + " has a coordinate that is not finite.");
        } else if (std::fabs(value) > largest_coordinate) {
            refuse(which + " has a coordinate beyond 1e150 in size, out of the range this operation computes in.");
        }
    };
    auto check_part = [&](const PartValue& part) {
        for (double x : part.xs) check(x);
        for (double y : part.ys) check(y);
    };
    if (geometry.type == geometry_type_point) {
        check(geometry.point.x);
        check(geometry.point.y);
    } else if (geometry.type == geometry_type_multipoint) {
        check_part(*geometry.points);
    } else {
        for (const auto& part : geometry.parts) check_part(*part);
    }
    // Curves may bulge far beyond their end points.
    if (has_curves(geometry)) {
        const EnvelopeData extent = extent_of(geometry);
        for (double bound : {extent.xmin, extent.xmax, extent.ymin, extent.ymax}) check(bound);
    }
}

bool finite_result(const GeometryValue& result) {
    auto finite = [](const PartValue& part) {
        for (size_t i = 0; i < part.xs.size(); ++i) {
            if (!std::isfinite(part.xs[i]) || !std::isfinite(part.ys[i])) return false;
        }
        return true;
    };
    if (result.type == geometry_type_point) {
        return std::isnan(result.point.x) || (std::isfinite(result.point.x) && std::isfinite(result.point.y));
    }
    if (result.type == geometry_type_multipoint) return finite(*result.points);
    return std::all_of(result.parts.begin(), result.parts.end(), [&](const auto& part) { return finite(*part); });
}

}  // namespace

GeosGeometry valid_polygons(GeosGeometry geometry) {
    if (checked(GEOSisValid_r(geos(), geometry.get()), "checking a polygon")) return geometry;
    GEOSMakeValidParams* params = GEOSMakeValidParams_create_r(geos());
    if (params == nullptr) fail_geos("repairing a polygon");
    GEOSMakeValidParams_setMethod_r(geos(), params, GEOS_MAKE_VALID_STRUCTURE);
    GEOSMakeValidParams_setKeepCollapsed_r(geos(), params, 0);
    GEOSGeometry* valid = GEOSMakeValidWithParams_r(geos(), geometry.get(), params);
    GEOSMakeValidParams_destroy_r(geos(), params);
    return checked(valid, "repairing a polygon");
}

int dimension_of_type(GK_GeometryType type) {
    if (type == geometry_type_point || type == geometry_type_multipoint) return 0;
    return type == geometry_type_polyline ? 1 : 2;
}

GK_GeometryType type_of_dimension(int dimension) {
    return dimension == 0 ? geometry_type_multipoint : dimension == 1 ? geometry_type_polyline : geometry_type_polygon;
}

const char* dimension_name(int dimension) {
    return dimension == 0 ? "points" : dimension == 1 ? "polylines" : "polygons";
}

GeosGeometry geos_collection(std::vector<GeosGeometry> members) {
    std::vector<GEOSGeometry*> raw;
    raw.reserve(members.size());
    for (auto& member : members) raw.push_back(member.get());
    GEOSGeometry* made =
        GEOSGeom_createCollection_r(geos(), GEOS_GEOMETRYCOLLECTION, raw.data(), static_cast<unsigned>(raw.size()));
    if (made == nullptr) fail_geos("building a collection");
    for (auto& member : members) member.release();  // GEOS owns them now
    return GeosGeometry(made);
}

OverlayInputs::OverlayInputs(std::vector<GeometryValue> geometries) : geometries_(std::move(geometries)) {
    const GeometryValue* with_reference = nullptr;
    for (size_t i = 0; i < geometries_.size(); ++i) {
        GeometryValue& geometry = geometries_[i];
        if (geometry.type == geometry_type_envelope) geometry = polygon_of_envelope(geometry);
        check_range(geometry, i, geometries_.size());
        if (geometry.spatial_reference != nullptr) {
            if (with_reference != nullptr) joint_spatial_reference(*with_reference, geometry);
            else with_reference = &geometry;
        }
        has_z_ = has_z_ || geometry.has_z;
        has_m_ = has_m_ || geometry.has_m;
    }
    if (with_reference != nullptr) spatial_reference_ = with_reference->spatial_reference;
    deviation_ = INFINITY;
    for (const GeometryValue& geometry : geometries_) deviation_ = std::min(deviation_, chord_deviation(geometry));
    if (!std::isfinite(deviation_)) deviation_ = 1e-9;
}

GeosGeometry OverlayInputs::geos_of(size_t index) const {
    GeosGeometry geometry = to_geos(geometries_[index], deviation_);
    if (geometries_[index].type == geometry_type_polygon) return valid_polygons(std::move(geometry));
    return geometry;
}

GeometryValue OverlayInputs::empty_result(GK_GeometryType type) const {
    GeosGeometry nothing =
        checked(GEOSGeom_createEmptyCollection_r(geos(), GEOS_GEOMETRYCOLLECTION), "building a collection");
    return result(nothing.get(), type);
}

GeometryValue OverlayInputs::result(const GEOSGeometry* geometry, GK_GeometryType type) const {
    return result(geometry, type, has_z_, has_m_);
}

GeometryValue OverlayInputs::result(const GEOSGeometry* geometry, GK_GeometryType type, bool has_z,
                                    bool has_m) const {
    VertexAttributes attributes;
    if (has_z || has_m) {
        for (const GeometryValue& input : geometries_) attributes.add(input, deviation_);
    }
    GeometryValue value = from_geos(geometry, ResultShape{type, has_z, has_m, spatial_reference_, &attributes});
    if (!finite_result(value)) {
        refuse("the result has coordinates beyond the range of numbers: the inputs are too large.");
    }
    if ((type == geometry_type_polyline || type == geometry_type_polygon) && !value.parts.empty()) {
        CurveIndex curves;
        for (const GeometryValue& input : geometries_) curves.add(input, deviation_);
        curves.restore(value);
    }
    return value;
}

}  // namespace geokern::engine
