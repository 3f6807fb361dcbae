#include "runtime/spatial/spatial_reference.hpp"

#include "runtime/environment.hpp"
#include "runtime/text.hpp"

namespace velmor::runtime {
namespace {

RuntimeResult<SpatialReference> take(RuntimeResult<GK_SpatialReferenceHandle>&& created) {
    if (!created) return std::unexpected(std::move(created.error()));
    return SpatialReference::take(*created);
}

}  // namespace

RuntimeResult<SpatialReference> spatial_reference_from_wkid(int32_t wkid) {
    ensure_environment();
    return take(invoke(functions().SpatialReference_create, wkid));
}

RuntimeResult<SpatialReference> spatial_reference_from_wkids(int32_t wkid, int32_t vertical_wkid) {
    ensure_environment();
    return take(invoke(functions().SpatialReference_createVerticalWKID, wkid, vertical_wkid));
}

RuntimeResult<SpatialReference> spatial_reference_from_text(std::string_view text) {
    const std::string c_text = text_to_c_text(text);
    ensure_environment();
    return take(invoke(functions().SpatialReference_createFromWKText, c_text.c_str()));
}

int32_t spatial_reference_wkid(const SpatialReference& spatial_reference) {
    return invoke_or_fail(VELMOR_GK(SpatialReference_getWKID), spatial_reference.get());
}

int32_t spatial_reference_vertical_wkid(const SpatialReference& spatial_reference) {
    return invoke_or_fail(VELMOR_GK(SpatialReference_getVerticalWKID), spatial_reference.get());
}

double spatial_reference_tolerance(const SpatialReference& spatial_reference) {
    return invoke_or_fail(VELMOR_GK(SpatialReference_getTolerance), spatial_reference.get());
}

std::string spatial_reference_text(const SpatialReference& spatial_reference) {
    return text_from_string(invoke_or_fail(VELMOR_GK(SpatialReference_getWKText), spatial_reference.get()));
}

}  // namespace velmor::runtime
