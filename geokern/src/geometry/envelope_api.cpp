// The Envelope family: axis-aligned ranges in x and y, with optional z and m ranges. Bounds given in the
// wrong order are swapped; a NaN x or y bound makes the empty envelope. A missing z or m range reads NaN.
#include "geometry/geometry_value.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

GK_GeometryHandle create(const GK_ErrorHandler* handler, const EnvelopeData& data, bool has_z, bool has_m,
                         GK_SpatialReferenceHandle spatial_reference) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(
            envelope_value(data, has_z, has_m, spatial_reference_argument(spatial_reference)));
    });
}

void require_size(double value, const char* what) {
    if (!(value >= 0))
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             std::string("the ") + what + " must not be negative.");
}

EnvelopeData around(const Vertex& center, double width, double height) {
    require_size(width, "width");
    require_size(height, "height");
    return EnvelopeData{center.x - 0.5 * width, center.y - 0.5 * height, center.x + 0.5 * width,
                        center.y + 0.5 * height};
}

const EnvelopeData& envelope(GK_GeometryHandle handle) {
    return geometry_of(handle, geometry_type_envelope).envelope;
}

}  // namespace

GK_GeometryHandle GK_Envelope_createWithCenterPoint(GK_GeometryHandle center, double width, double height,
                                                    GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& point = geometry_of(center, geometry_type_point);
        return new_geometry(
            envelope_value(around(point.point, width, height), false, false, point.spatial_reference));
    });
}

GK_GeometryHandle GK_Envelope_createWithCenterPointAndDepth(GK_GeometryHandle center, double width,
                                                            double height, double depth, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& point = geometry_of(center, geometry_type_point);
        if (!point.has_z) fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the centre point has no z.");
        require_size(depth, "depth");
        EnvelopeData data = around(point.point, width, height);
        data.zmin = point.point.z - 0.5 * depth;
        data.zmax = point.point.z + 0.5 * depth;
        return new_geometry(envelope_value(data, true, false, point.spatial_reference));
    });
}

// z and m ranges come along when both corner points have them.
GK_GeometryHandle GK_Envelope_createWithPoints(GK_GeometryHandle min_point, GK_GeometryHandle max_point,
                                               GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& low = geometry_of(min_point, geometry_type_point);
        const GeometryValue& high = geometry_of(max_point, geometry_type_point);
        const EnvelopeData data{low.point.x, low.point.y,  high.point.x, high.point.y,
                                low.point.z, high.point.z, low.point.m,  high.point.m};
        return new_geometry(
            envelope_value(data, low.has_z && high.has_z, low.has_m && high.has_m, low.spatial_reference));
    });
}

GK_GeometryHandle GK_Envelope_createWithXY(double xmin, double ymin, double xmax, double ymax, GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax}, false, false, nullptr);
}
GK_GeometryHandle GK_Envelope_createWithXYSpatialReference(double xmin, double ymin, double xmax, double ymax,
                                                           GK_SpatialReferenceHandle spatial_reference,
                                                           GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax}, false, false, spatial_reference);
}
GK_GeometryHandle GK_Envelope_createWithXYZ(double xmin, double ymin, double xmax, double ymax, double zmin,
                                            double zmax, GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax, zmin, zmax}, true, false, nullptr);
}
GK_GeometryHandle GK_Envelope_createWithXYZSpatialReference(double xmin, double ymin, double xmax,
                                                            double ymax, double zmin, double zmax,
                                                            GK_SpatialReferenceHandle spatial_reference,
                                                            GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax, zmin, zmax}, true, false, spatial_reference);
}
GK_GeometryHandle GK_Envelope_createWithM(double xmin, double ymin, double xmax, double ymax, double mmin,
                                          double mmax, GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax, nan_value, nan_value, mmin, mmax}, false, true, nullptr);
}
GK_GeometryHandle GK_Envelope_createWithMSpatialReference(double xmin, double ymin, double xmax, double ymax,
                                                          double mmin, double mmax,
                                                          GK_SpatialReferenceHandle spatial_reference,
                                                          GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax, nan_value, nan_value, mmin, mmax}, false, true,
                  spatial_reference);
}
GK_GeometryHandle GK_Envelope_createWithZM(double xmin, double ymin, double xmax, double ymax, double zmin,
                                           double zmax, double mmin, double mmax, GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax, zmin, zmax, mmin, mmax}, true, true, nullptr);
}
GK_GeometryHandle GK_Envelope_createWithZMSpatialReference(double xmin, double ymin, double xmax, double ymax,
                                                           double zmin, double zmax, double mmin, double mmax,
                                                           GK_SpatialReferenceHandle spatial_reference,
                                                           GK_EH) {
    return create(handler, {xmin, ymin, xmax, ymax, zmin, zmax, mmin, mmax}, true, true, spatial_reference);
}

GK_GeometryHandle GK_Envelope_getCenter(GK_GeometryHandle envelope_handle, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = geometry_of(envelope_handle, geometry_type_envelope);
        return new_point(value.envelope.centre(), value.has_z, value.has_m, value.spatial_reference);
    });
}

#define GEOKERN_ENVELOPE_GETTER(Name, expression)                            \
    double GK_Envelope_get##Name(GK_GeometryHandle envelope_handle, GK_EH) { \
        return guarded<double>(handler, [&] {                                \
            const EnvelopeData& e = envelope(envelope_handle);               \
            return expression;                                               \
        });                                                                  \
    }

GEOKERN_ENVELOPE_GETTER(Depth, e.zmax - e.zmin)
GEOKERN_ENVELOPE_GETTER(Height, e.ymax - e.ymin)
GEOKERN_ENVELOPE_GETTER(Width, e.xmax - e.xmin)
GEOKERN_ENVELOPE_GETTER(MMax, e.mmax)
GEOKERN_ENVELOPE_GETTER(MMin, e.mmin)
GEOKERN_ENVELOPE_GETTER(XMax, e.xmax)
GEOKERN_ENVELOPE_GETTER(XMin, e.xmin)
GEOKERN_ENVELOPE_GETTER(YMax, e.ymax)
GEOKERN_ENVELOPE_GETTER(YMin, e.ymin)
GEOKERN_ENVELOPE_GETTER(ZMax, e.zmax)
GEOKERN_ENVELOPE_GETTER(ZMin, e.zmin)
