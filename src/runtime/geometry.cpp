#include "geometry.hpp"

#include "core/internal_failure.hpp"
#include "environment.hpp"
#include "error_capture.hpp"
#include "text.hpp"

namespace velmor::runtime {

GK_GeometryType object_type(GK_GeometryHandle geometry) {
    return invoke_or_fail(VELMOR_GK(Geometry_getObjectType), geometry);
}

bool has_z(GK_GeometryHandle geometry) {
    return invoke_or_fail(VELMOR_GK(Geometry_getHasZ), geometry) != 0;
}
bool has_m(GK_GeometryHandle geometry) {
    return invoke_or_fail(VELMOR_GK(Geometry_getHasM), geometry) != 0;
}
bool has_curves(GK_GeometryHandle geometry) {
    return invoke_or_fail(VELMOR_GK(Geometry_getHasCurves), geometry) != 0;
}

Envelope extent(GK_GeometryHandle geometry) {
    return Envelope::take(invoke_or_fail(VELMOR_GK(Geometry_getExtent), geometry));
}

std::optional<SpatialReference> spatial_reference(GK_GeometryHandle geometry) {
    GK_SpatialReferenceHandle handle = invoke_or_fail(VELMOR_GK(Geometry_getSpatialReference), geometry);
    if (handle == nullptr) return std::nullopt;
    return SpatialReference::take(handle);
}

RuntimeResult<std::string> json_text(GK_GeometryHandle geometry) {
    auto written = invoke(functions().Geometry_toJSON, geometry);
    if (!written) return std::unexpected(std::move(written.error()));
    return text_from_string(*written);
}

ImmutablePartCollection parts(GK_GeometryHandle multipart) {
    return ImmutablePartCollection::take(invoke_or_fail(VELMOR_GK(Multipart_getParts), multipart));
}

ImmutablePointCollection points(GK_GeometryHandle multipoint) {
    return ImmutablePointCollection::take(invoke_or_fail(VELMOR_GK(Multipoint_getPoints), multipoint));
}

namespace {

GK_GeometryHandle create_point_handle(const core::Coord& c, GK_SpatialReferenceHandle sr) {
    const auto z = c.z(), m = c.m();
    if (sr == nullptr) {
        if (z && m) return invoke_or_fail(VELMOR_GK(Point_createWithZM), c.x(), c.y(), *z, *m);
        if (z) return invoke_or_fail(VELMOR_GK(Point_createWithXYZ), c.x(), c.y(), *z);
        if (m) return invoke_or_fail(VELMOR_GK(Point_createWithM), c.x(), c.y(), *m);
        return invoke_or_fail(VELMOR_GK(Point_createWithXY), c.x(), c.y());
    }
    if (z && m)
        return invoke_or_fail(VELMOR_GK(Point_createWithZMSpatialReference), c.x(), c.y(), *z, *m, sr);
    if (z) return invoke_or_fail(VELMOR_GK(Point_createWithXYZSpatialReference), c.x(), c.y(), *z, sr);
    if (m) return invoke_or_fail(VELMOR_GK(Point_createWithMSpatialReference), c.x(), c.y(), *m, sr);
    return invoke_or_fail(VELMOR_GK(Point_createWithXYSpatialReference), c.x(), c.y(), sr);
}

GK_GeometryHandle create_envelope_handle(const EnvelopeBounds& b, GK_SpatialReferenceHandle sr) {
    const bool z = b.zmin && b.zmax, m = b.mmin && b.mmax;
    if (sr == nullptr) {
        if (z && m)
            return invoke_or_fail(VELMOR_GK(Envelope_createWithZM), b.xmin, b.ymin, b.xmax, b.ymax, *b.zmin,
                                  *b.zmax, *b.mmin, *b.mmax);
        if (z)
            return invoke_or_fail(VELMOR_GK(Envelope_createWithXYZ), b.xmin, b.ymin, b.xmax, b.ymax, *b.zmin,
                                  *b.zmax);
        if (m)
            return invoke_or_fail(VELMOR_GK(Envelope_createWithM), b.xmin, b.ymin, b.xmax, b.ymax, *b.mmin,
                                  *b.mmax);
        return invoke_or_fail(VELMOR_GK(Envelope_createWithXY), b.xmin, b.ymin, b.xmax, b.ymax);
    }
    if (z && m)
        return invoke_or_fail(VELMOR_GK(Envelope_createWithZMSpatialReference), b.xmin, b.ymin, b.xmax,
                              b.ymax, *b.zmin, *b.zmax, *b.mmin, *b.mmax, sr);
    if (z)
        return invoke_or_fail(VELMOR_GK(Envelope_createWithXYZSpatialReference), b.xmin, b.ymin, b.xmax,
                              b.ymax, *b.zmin, *b.zmax, sr);
    if (m)
        return invoke_or_fail(VELMOR_GK(Envelope_createWithMSpatialReference), b.xmin, b.ymin, b.xmax, b.ymax,
                              *b.mmin, *b.mmax, sr);
    return invoke_or_fail(VELMOR_GK(Envelope_createWithXYSpatialReference), b.xmin, b.ymin, b.xmax, b.ymax,
                          sr);
}

}  // namespace

Point create_point(const core::Coord& coord, const SpatialReference* spatial_reference) {
    ensure_environment();
    return Point::take(create_point_handle(coord, handle_of(spatial_reference)));
}

Envelope create_envelope(const EnvelopeBounds& bounds, const SpatialReference* spatial_reference) {
    ensure_environment();
    return Envelope::take(create_envelope_handle(bounds, handle_of(spatial_reference)));
}

RuntimeResult<GeometryOwned> geometry_from_json(std::string_view json) {
    ensure_environment();
    const std::string text = text_to_c_text(json);
    auto created = invoke(functions().Geometry_fromJSON, text.c_str());
    if (!created) return std::unexpected(std::move(created.error()));
    return GeometryOwned::take(*created);
}

double point_x(const Point& point) {
    return invoke_or_fail(VELMOR_GK(Point_getX), point.get());
}
double point_y(const Point& point) {
    return invoke_or_fail(VELMOR_GK(Point_getY), point.get());
}

std::optional<double> point_z(const Point& point) {
    if (!has_z(point.get())) return std::nullopt;
    return invoke_or_fail(VELMOR_GK(Point_getZ), point.get());
}

std::optional<double> point_m(const Point& point) {
    if (!has_m(point.get())) return std::nullopt;
    return invoke_or_fail(VELMOR_GK(Point_getM), point.get());
}

// Called once per vertex when a part is read back: the two to four reads share one error slot, checked
// once, since none of them can fail on a point handle.
core::Coord point_coord(GK_GeometryHandle point, core::Dims dims) {
    const FunctionTable& gk = functions();
    ErrorSlot slot;
    const GK_ErrorHandler* handler = slot.handler();
    const double x = gk.Point_getX(point, handler);
    const double y = gk.Point_getY(point, handler);
    const core::Coord coord = [&] {
        switch (dims) {
            case core::Dims::XYZM: {
                const double z = gk.Point_getZ(point, handler);
                return core::Coord::xyzm(x, y, z, gk.Point_getM(point, handler));
            }
            case core::Dims::XYZ:
                return core::Coord::xyz(x, y, gk.Point_getZ(point, handler));
            case core::Dims::XYM:
                return core::Coord::xym(x, y, gk.Point_getM(point, handler));
            case core::Dims::XY:
                break;
        }
        return core::Coord::xy(x, y);
    }();
    if (!slot.empty()) unexpected_runtime_error("GK_Point_getX/getY/getZ/getM", *slot.take());
    return coord;
}

core::Coord point_coord(GK_GeometryHandle point) {
    return point_coord(point, core::dims_from_flags(has_z(point), has_m(point)));
}

EnvelopeBounds envelope_bounds(const Envelope& envelope) {
    const GK_GeometryHandle e = envelope.get();
    EnvelopeBounds bounds{invoke_or_fail(VELMOR_GK(Envelope_getXMin), e),
                          invoke_or_fail(VELMOR_GK(Envelope_getYMin), e),
                          invoke_or_fail(VELMOR_GK(Envelope_getXMax), e),
                          invoke_or_fail(VELMOR_GK(Envelope_getYMax), e),
                          {},
                          {},
                          {},
                          {}};
    if (has_z(e)) {
        bounds.zmin = invoke_or_fail(VELMOR_GK(Envelope_getZMin), e);
        bounds.zmax = invoke_or_fail(VELMOR_GK(Envelope_getZMax), e);
    }
    if (has_m(e)) {
        bounds.mmin = invoke_or_fail(VELMOR_GK(Envelope_getMMin), e);
        bounds.mmax = invoke_or_fail(VELMOR_GK(Envelope_getMMax), e);
    }
    return bounds;
}

Point envelope_center(const Envelope& envelope) {
    return Point::take(invoke_or_fail(VELMOR_GK(Envelope_getCenter), envelope.get()));
}

void fail_object_type(std::string_view context, const Error& error) {
    core::internal_failure(std::string(context) + ": " + error.debug());
}

GeometryOwned take_geometry(GK_GeometryHandle handle) {
    auto code = invoke(functions().Geometry_getObjectType, handle);
    if (!code) fail_object_type(downcast_context, code.error());
    return GeometryOwned::take(handle);
}

Error kind_mismatch(GeometryOwned geometry, const char* target) {
    geometry.reset();
    return conversion_error("GeometryOwned", target);
}

RuntimeResult<PolygonView> view_as_polygon(const GeometryOwned& geometry) {
    auto code = invoke(functions().Geometry_getObjectType, geometry.get());
    if (!code) {
        fail_object_type(
            "Internal error: Unexpectedly failed to get object type for downcast_ref of GeometryOwned",
            code.error());
    }
    if (*code != polygon_type)
        return std::unexpected(conversion_error("GeometryOwned", GeometryKind<Polygon>::name));
    return PolygonView{geometry.get()};
}

}  // namespace velmor::runtime
