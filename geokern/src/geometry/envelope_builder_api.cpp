// The EnvelopeBuilder family. Bounds may be set in any order; the envelope built puts them in order.
// Setting a z or m bound makes the envelope z- or m-aware. Adjusting to a spatial reference's wrap-around
// range (adjustForWrapAround, normalize, normalizeToEnvelope) lives with that range, in
// projection/wrap_around_builder_api.cpp.
#include "geometry/builder_value.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

template <class Body>
auto with_envelope(const GK_ErrorHandler* handler, GK_GeometryBuilderHandle builder, Body&& body) {
    using Result = decltype(body(std::declval<GeometryBuilderValue&>()));
    return guarded<Result>(handler, [&] { return body(builder_of(builder, geometry_type_envelope)); });
}

GK_GeometryBuilderHandle new_builder(const GeometryValue& envelope) {
    return make_handle<GK_GeometryBuilderHandle>(builder_for(envelope));
}

[[noreturn]] void refuse(const char* why) {
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", why);
}

// Scales the x-y range around an anchor.
void scale_about(EnvelopeData& e, double x, double y, double factor) {
    if (!(factor >= 0)) refuse("the factor must not be negative.");
    e.xmin = x + (e.xmin - x) * factor;
    e.xmax = x + (e.xmax - x) * factor;
    e.ymin = y + (e.ymin - y) * factor;
    e.ymax = y + (e.ymax - y) * factor;
}

void include(GeometryBuilderValue& b, const EnvelopeData& other, bool other_z, bool other_m) {
    if (other.empty()) return;
    EnvelopeData& e = b.envelope;
    if (e.empty()) {
        e.xmin = other.xmin, e.ymin = other.ymin, e.xmax = other.xmax, e.ymax = other.ymax;
    } else {
        e.xmin = std::min(e.xmin, other.xmin), e.ymin = std::min(e.ymin, other.ymin);
        e.xmax = std::max(e.xmax, other.xmax), e.ymax = std::max(e.ymax, other.ymax);
    }
    const auto widen_range = [](double& low, double& high, double other_low, double other_high) {
        low = std::isnan(low) ? other_low : std::min(low, other_low);
        high = std::isnan(high) ? other_high : std::max(high, other_high);
    };
    if (b.has_z && other_z) widen_range(e.zmin, e.zmax, other.zmin, other.zmax);
    if (b.has_m && other_m) widen_range(e.mmin, e.mmax, other.mmin, other.mmax);
}

}  // namespace

GK_GeometryBuilderHandle GK_EnvelopeBuilder_createFromCenterPoint(GK_GeometryHandle center, double width,
                                                                  double height, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        const GeometryValue& point = point_value_of(center);
        if (!(width >= 0 && height >= 0)) refuse("the width and height must not be negative.");
        const Vertex& c = point.point;
        return new_builder(
            envelope_value({c.x - 0.5 * width, c.y - 0.5 * height, c.x + 0.5 * width, c.y + 0.5 * height},
                           false, false, point.spatial_reference));
    });
}

GK_GeometryBuilderHandle GK_EnvelopeBuilder_createFromCenterPointAndDepth(GK_GeometryHandle center,
                                                                          double width, double height,
                                                                          double depth, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        const GeometryValue& point = point_value_of(center);
        if (!point.has_z) refuse("the centre point has no z.");
        if (!(width >= 0 && height >= 0 && depth >= 0))
            refuse("the width, height and depth must not be negative.");
        const Vertex& c = point.point;
        return new_builder(envelope_value({c.x - 0.5 * width, c.y - 0.5 * height, c.x + 0.5 * width,
                                           c.y + 0.5 * height, c.z - 0.5 * depth, c.z + 0.5 * depth},
                                          true, false, point.spatial_reference));
    });
}

GK_GeometryBuilderHandle GK_EnvelopeBuilder_createFromEnvelope(GK_GeometryHandle envelope, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(
        handler, [&] { return new_builder(geometry_of(envelope, geometry_type_envelope)); });
}

GK_GeometryBuilderHandle GK_EnvelopeBuilder_createFromSpatialReference(
    GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_GeometryBuilderHandle>(handler, [&] {
        return make_handle<GK_GeometryBuilderHandle>(
            empty_builder(geometry_type_envelope, spatial_reference_argument(spatial_reference)));
    });
}

GK_GeometryHandle GK_EnvelopeBuilder_getCenter(GK_GeometryBuilderHandle builder, GK_EH) {
    return with_envelope(handler, builder, [](GeometryBuilderValue& b) {
        return new_point(b.envelope.centre(), b.has_z, b.has_m, b.spatial_reference);
    });
}

#define GEOKERN_ENVELOPE_BUILDER_GETTER(Name, expression)                          \
    double GK_EnvelopeBuilder_get##Name(GK_GeometryBuilderHandle builder, GK_EH) { \
        return with_envelope(handler, builder, [](GeometryBuilderValue& b) {       \
            const EnvelopeData e = build_geometry(b).envelope;                     \
            return expression;                                                     \
        });                                                                        \
    }

GEOKERN_ENVELOPE_BUILDER_GETTER(Depth, e.zmax - e.zmin)
GEOKERN_ENVELOPE_BUILDER_GETTER(Height, e.ymax - e.ymin)
GEOKERN_ENVELOPE_BUILDER_GETTER(Width, e.xmax - e.xmin)
GEOKERN_ENVELOPE_BUILDER_GETTER(MMax, e.mmax)
GEOKERN_ENVELOPE_BUILDER_GETTER(MMin, e.mmin)
GEOKERN_ENVELOPE_BUILDER_GETTER(XMax, e.xmax)
GEOKERN_ENVELOPE_BUILDER_GETTER(XMin, e.xmin)
GEOKERN_ENVELOPE_BUILDER_GETTER(YMax, e.ymax)
GEOKERN_ENVELOPE_BUILDER_GETTER(YMin, e.ymin)
GEOKERN_ENVELOPE_BUILDER_GETTER(ZMax, e.zmax)
GEOKERN_ENVELOPE_BUILDER_GETTER(ZMin, e.zmin)

#define GEOKERN_ENVELOPE_BUILDER_SETTER(Name, field, flag)                                     \
    void GK_EnvelopeBuilder_set##Name(GK_GeometryBuilderHandle builder, double value, GK_EH) { \
        with_envelope(handler, builder, [value](GeometryBuilderValue& b) {                     \
            b.envelope.field = value;                                                          \
            flag;                                                                              \
        });                                                                                    \
    }

GEOKERN_ENVELOPE_BUILDER_SETTER(MMax, mmax, b.has_m = true)
GEOKERN_ENVELOPE_BUILDER_SETTER(MMin, mmin, b.has_m = true)
GEOKERN_ENVELOPE_BUILDER_SETTER(XMax, xmax, (void)0)
GEOKERN_ENVELOPE_BUILDER_SETTER(XMin, xmin, (void)0)
GEOKERN_ENVELOPE_BUILDER_SETTER(YMax, ymax, (void)0)
GEOKERN_ENVELOPE_BUILDER_SETTER(YMin, ymin, (void)0)
GEOKERN_ENVELOPE_BUILDER_SETTER(ZMax, zmax, b.has_z = true)
GEOKERN_ENVELOPE_BUILDER_SETTER(ZMin, zmin, b.has_z = true)

void GK_EnvelopeBuilder_setXY(GK_GeometryBuilderHandle builder, double xmin, double ymin, double xmax,
                              double ymax, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        b.envelope.xmin = xmin, b.envelope.ymin = ymin, b.envelope.xmax = xmax, b.envelope.ymax = ymax;
    });
}

void GK_EnvelopeBuilder_setZ(GK_GeometryBuilderHandle builder, double zmin, double zmax, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        b.envelope.zmin = zmin, b.envelope.zmax = zmax;
        b.has_z = true;
    });
}

void GK_EnvelopeBuilder_setM(GK_GeometryBuilderHandle builder, double mmin, double mmax, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        b.envelope.mmin = mmin, b.envelope.mmax = mmax;
        b.has_m = true;
    });
}

void GK_EnvelopeBuilder_centerAt(GK_GeometryBuilderHandle builder, GK_GeometryHandle center, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        const Vertex& c = point_value_of(center).point;
        EnvelopeData& e = b.envelope;
        const double half_width = 0.5 * (e.xmax - e.xmin), half_height = 0.5 * (e.ymax - e.ymin);
        e.xmin = c.x - half_width, e.xmax = c.x + half_width, e.ymin = c.y - half_height,
        e.ymax = c.y + half_height;
    });
}

void GK_EnvelopeBuilder_offsetBy(GK_GeometryBuilderHandle builder, double delta_x, double delta_y, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        b.envelope.xmin += delta_x, b.envelope.xmax += delta_x, b.envelope.ymin += delta_y,
            b.envelope.ymax += delta_y;
    });
}

// Width over height becomes `aspect_ratio`, keeping the centre: by growing the short side when
// `expand`, by shrinking the long side otherwise.
void GK_EnvelopeBuilder_changeAspectRatio(GK_GeometryBuilderHandle builder, double aspect_ratio,
                                          GK_Bool expand, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        if (!(aspect_ratio > 0 && std::isfinite(aspect_ratio)))
            refuse("the aspect ratio must be a positive number.");
        EnvelopeData& e = b.envelope;
        double width = e.xmax - e.xmin, height = e.ymax - e.ymin;
        const bool too_wide = width > aspect_ratio * height;
        if (too_wide == (expand != 0)) {
            height = width / aspect_ratio;
        } else {
            width = height * aspect_ratio;
        }
        const Vertex c = e.centre();
        const double cx = c.x, cy = c.y;
        e.xmin = cx - 0.5 * width, e.xmax = cx + 0.5 * width, e.ymin = cy - 0.5 * height,
        e.ymax = cy + 0.5 * height;
    });
}

void GK_EnvelopeBuilder_expand(GK_GeometryBuilderHandle builder, double factor, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        EnvelopeData& e = b.envelope;
        const Vertex c = e.centre();
        scale_about(e, c.x, c.y, factor);
    });
}

void GK_EnvelopeBuilder_expandAtAnchor(GK_GeometryBuilderHandle builder, GK_GeometryHandle anchor,
                                       double factor, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        const Vertex& a = point_value_of(anchor).point;
        scale_about(b.envelope, a.x, a.y, factor);
    });
}

void GK_EnvelopeBuilder_unionWithEnvelope(GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope,
                                          GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        const GeometryValue& other = geometry_of(envelope, geometry_type_envelope);
        include(b, other.envelope, other.has_z, other.has_m);
    });
}

void GK_EnvelopeBuilder_unionWithPoint(GK_GeometryBuilderHandle builder, GK_GeometryHandle point, GK_EH) {
    with_envelope(handler, builder, [&](GeometryBuilderValue& b) {
        const GeometryValue& other = point_value_of(point);
        const Vertex& p = other.point;
        include(b, {p.x, p.y, p.x, p.y, p.z, p.z, p.m, p.m}, other.has_z, other.has_m);
    });
}
