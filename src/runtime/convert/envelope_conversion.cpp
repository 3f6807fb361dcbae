#include "runtime/convert/envelope_conversion.hpp"

#include "runtime/convert/geometry_spatial_reference.hpp"
#include "runtime/geometry.hpp"

namespace velmor::runtime::convert {

core::Result<Envelope> envelope_to_runtime(const core::EnvelopeValue& value) {
    VELMOR_TRY_ASSIGN(std::optional<SpatialReference> spatial_reference,
                      runtime_spatial_reference(value.spatial_reference));
    const EnvelopeBounds bounds{value.xmin, value.ymin, value.xmax, value.ymax,
                                value.zmin, value.zmax, value.mmin, value.mmax};
    return create_envelope(bounds, argument(spatial_reference));
}

core::EnvelopeValue envelope_from_runtime(const Envelope& envelope) {
    const EnvelopeBounds bounds = envelope_bounds(envelope);
    core::EnvelopeValue value;
    value.xmin = bounds.xmin;
    value.ymin = bounds.ymin;
    value.xmax = bounds.xmax;
    value.ymax = bounds.ymax;
    value.zmin = bounds.zmin;
    value.zmax = bounds.zmax;
    value.mmin = bounds.mmin;
    value.mmax = bounds.mmax;
    value.spatial_reference = native_spatial_reference(envelope.get());
    return value;
}

}  // namespace velmor::runtime::convert
