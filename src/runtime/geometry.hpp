#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/coord.hpp"
#include "error.hpp"
#include "owned.hpp"

namespace velmor::runtime {

// Runtime geometries: queries on any geometry owner, creation of points, envelopes and geometries from
// JSON text, point and envelope accessors, and the downcasts between owner types. A runtime error is an
// internal failure unless the function returns a RuntimeResult.

// Object type codes of runtime geometries.
inline constexpr GK_GeometryType point_type = 1;
inline constexpr GK_GeometryType envelope_type = 2;
inline constexpr GK_GeometryType polyline_type = 3;
inline constexpr GK_GeometryType polygon_type = 4;
inline constexpr GK_GeometryType multipoint_type = 5;

// The typed owner of each geometry kind, with its code and the type name of conversion records.
template <class Owner>
struct GeometryKind;
#define VELMOR_GEOMETRY_KIND(Owner, type_code, type_name)  \
    template <>                                            \
    struct GeometryKind<Owner> {                           \
        static constexpr GK_GeometryType code = type_code; \
        static constexpr const char* name = type_name;     \
    }
VELMOR_GEOMETRY_KIND(Point, point_type, "geometry::point::Point");
VELMOR_GEOMETRY_KIND(Envelope, envelope_type, "geometry::envelope::Envelope");
VELMOR_GEOMETRY_KIND(Polyline, polyline_type, "geometry::polyline::Polyline");
VELMOR_GEOMETRY_KIND(Polygon, polygon_type, "geometry::polygon::Polygon");
VELMOR_GEOMETRY_KIND(Multipoint, multipoint_type, "geometry::multipoint::Multipoint");
#undef VELMOR_GEOMETRY_KIND

// Any owner of a geometry handle: GeometryOwned or one of the typed owners.
template <class Owner>
concept GeometryOwner = std::same_as<typename Owner::Handle, GK_GeometryHandle>;

// An optional spatial reference argument: null means none.
inline GK_SpatialReferenceHandle handle_of(const SpatialReference* spatial_reference) {
    return spatial_reference == nullptr ? nullptr : spatial_reference->get();
}

GK_GeometryType object_type(GK_GeometryHandle geometry);
bool has_z(GK_GeometryHandle geometry);
bool has_m(GK_GeometryHandle geometry);
bool has_curves(GK_GeometryHandle geometry);
Envelope extent(GK_GeometryHandle geometry);
std::optional<SpatialReference> spatial_reference(GK_GeometryHandle geometry);
// OvraJSON text written by the runtime core; its refusal is returned.
RuntimeResult<std::string> json_text(GK_GeometryHandle geometry);
ImmutablePartCollection parts(GK_GeometryHandle multipart);
ImmutablePointCollection points(GK_GeometryHandle multipoint);

// Creation; each first sets the runtime environment up. The form of the call follows the coordinate's
// z and m (XY, XYZ, M or ZM), with the spatial reference when there is one.
Point create_point(const core::Coord& coord, const SpatialReference* spatial_reference = nullptr);

struct EnvelopeBounds {
    double xmin, ymin, xmax, ymax;
    std::optional<double> zmin, zmax, mmin, mmax;
};
// z range only when both z bounds are present, m range likewise.
Envelope create_envelope(const EnvelopeBounds& bounds, const SpatialReference* spatial_reference = nullptr);
RuntimeResult<GeometryOwned> geometry_from_json(std::string_view json);

// Point and envelope accessors; z and m are absent when the geometry has none (and not asked for).
double point_x(const Point& point);
double point_y(const Point& point);
std::optional<double> point_z(const Point& point);
std::optional<double> point_m(const Point& point);
// The coordinate of a point with the z and m it has.
core::Coord point_coord(GK_GeometryHandle point);
// The coordinate of a point whose z and m awareness the caller knows (the points of a part have their
// geometry's): only the coordinates are asked, a z or m the point lacks is NaN.
core::Coord point_coord(GK_GeometryHandle point, core::Dims dims);
// The x-y bounds alone, for readers that need no z or m range.
struct PlaneBounds {
    double xmin, ymin, xmax, ymax;
};
PlaneBounds envelope_plane_bounds(const Envelope& envelope);
EnvelopeBounds envelope_bounds(const Envelope& envelope);
Point envelope_center(const Envelope& envelope);

// Takes over a geometry returned by an engine operation, whatever its kind.
GeometryOwned take_geometry(GK_GeometryHandle handle);

// Downcast, consuming the owner: the same handle in the typed owner when the kind matches; otherwise the
// handle is released and the conversion record (source "GeometryOwned") is returned.
inline constexpr std::string_view downcast_context =
    "Internal error: Unexpected error returned from GK_Geometry_getObjectType for downcast of GeometryOwned";
[[noreturn]] void fail_object_type(std::string_view context, const Error& error);
// Releases a geometry of the wrong kind and gives the conversion record for the wanted one.
Error kind_mismatch(GeometryOwned geometry, const char* target);

template <class Owner>
RuntimeResult<Owner> downcast(GeometryOwned geometry) {
    auto code = invoke(functions().Geometry_getObjectType, geometry.get());
    if (!code) fail_object_type(downcast_context, code.error());
    if (*code != GeometryKind<Owner>::code)
        return std::unexpected(kind_mismatch(std::move(geometry), GeometryKind<Owner>::name));
    return transfer<Owner>(std::move(geometry));
}

// A borrowed geometry viewed as a polygon, without taking it over.
struct PolygonView {
    GK_GeometryHandle handle;
};
RuntimeResult<PolygonView> view_as_polygon(const GeometryOwned& geometry);

}  // namespace velmor::runtime
