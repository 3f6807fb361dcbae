// The builder functions that move a point or an envelope by whole periods of its spatial reference's
// wrap-around range (see wrap_around.hpp). A builder whose system does not wrap around (or that has
// none) is left as it is: there is nothing to normalize.
#include <cmath>

#include "geometry/builder_value.hpp"
#include "projection/wrap_around.hpp"
#include "report.hpp"

using namespace geokern;

namespace {

template <class Change>
void with_range(GK_GeometryBuilderHandle handle, GK_GeometryType type, const GK_ErrorHandler* handler, Change&& change) {
    guarded<void>(handler, [&] {
        GeometryBuilderValue& builder = builder_of(handle, type);
        if (const std::optional<WrapRange> range = wrap_range(builder.spatial_reference)) change(builder, *range);
    });
}

double centre_x(GK_GeometryHandle envelope) {
    const EnvelopeData& box = geometry_of(envelope, geometry_type_envelope).envelope;
    return (box.xmin + box.xmax) / 2.0;
}

// The builder's envelope with its centre brought nearest the reference envelope's centre.
void envelope_near(GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope, const GK_ErrorHandler* handler) {
    with_range(builder, geometry_type_envelope, handler, [&](GeometryBuilderValue& value, const WrapRange& range) {
        if (!value.envelope.empty()) value.envelope = extent_near(value.envelope, centre_x(envelope), range);
    });
}

}  // namespace

void GK_PointBuilder_normalize(GK_GeometryBuilderHandle builder, GK_EH) {
    with_range(builder, geometry_type_point, handler, [](GeometryBuilderValue& value, const WrapRange& range) {
        value.point.x = wrapped(value.point.x, range);
    });
}

// The point moved by whole periods into the envelope's x range when it can be, else nearest its centre.
void GK_PointBuilder_normalizeToEnvelope(GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope, GK_EH) {
    with_range(builder, geometry_type_point, handler, [&](GeometryBuilderValue& value, const WrapRange& range) {
        value.point.x = wrapped_near(value.point.x, centre_x(envelope), range);
    });
}

void GK_PointBuilder_normalizeToPointClosestTo(GK_GeometryBuilderHandle builder, double x, GK_EH) {
    with_range(builder, geometry_type_point, handler, [&](GeometryBuilderValue& value, const WrapRange& range) {
        value.point.x = wrapped_near(value.point.x, x, range);
    });
}

void GK_EnvelopeBuilder_normalize(GK_GeometryBuilderHandle builder, GK_EH) {
    with_range(builder, geometry_type_envelope, handler, [](GeometryBuilderValue& value, const WrapRange& range) {
        if (!value.envelope.empty()) value.envelope = wrapped_extent(value.envelope, range);
    });
}

void GK_EnvelopeBuilder_normalizeToEnvelope(GK_GeometryBuilderHandle builder, GK_GeometryHandle envelope, GK_EH) {
    envelope_near(builder, envelope, handler);
}

// An envelope that a pan carried past the antimeridian is brought back next to the reference.
void GK_EnvelopeBuilder_adjustForWrapAround(GK_GeometryBuilderHandle builder, GK_GeometryHandle reference_envelope,
                                            GK_EH) {
    envelope_near(builder, reference_envelope, handler);
}
