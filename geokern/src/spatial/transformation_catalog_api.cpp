// The TransformationCatalog family: the projection engine directory and the search for datum
// transformations between two systems.
#include "projection/geometry_projection.hpp"
#include "report.hpp"
#include "object_elements.hpp"
#include "spatial/transformation_catalog.hpp"
#include "string_value.hpp"

using namespace geokern;

namespace {

// The extent of an area of interest in degrees of WGS 84; a geometry without a spatial reference is
// taken to be in the input system.
std::optional<GeographicArea> area_in_degrees(GK_GeometryHandle area_of_interest, const SpatialReferencePointer& input) {
    if (area_of_interest == nullptr) return std::nullopt;
    GeometryValue area = value_of(area_of_interest);
    if (is_empty(area)) return std::nullopt;
    if (!area.spatial_reference) area.spatial_reference = std::const_pointer_cast<SpatialReferenceValue>(input);
    const GeometryValue degrees =
        project_geometry(envelope_value(extent_of(area), false, false, area.spatial_reference), std::const_pointer_cast<SpatialReferenceValue>(spatial_reference_from_wkid(4326)),
                         nullptr);
    const EnvelopeData& box = degrees.envelope;
    return GeographicArea{box.xmin, box.ymin, box.xmax, box.ymax};
}

std::vector<TransformationPointer> candidates(GK_SpatialReferenceHandle input, GK_SpatialReferenceHandle output,
                                              GK_GeometryHandle area_of_interest, bool ignore_vertical) {
    const SpatialReferencePointer& from = shared_value(input);
    const SpatialReferencePointer& to = shared_value(output);
    return transformations_by_suitability(from, to, !ignore_vertical, area_in_degrees(area_of_interest, from));
}

GK_ArrayHandle candidate_array(GK_SpatialReferenceHandle input, GK_SpatialReferenceHandle output,
                               GK_GeometryHandle area_of_interest, bool ignore_vertical) {
    return object_array(GK_ELEMENT_TYPE_DATUM_TRANSFORMATION, candidates(input, output, area_of_interest, ignore_vertical));
}

// The most suitable one; when none is needed or known, an error.
GK_DatumTransformationHandle most_suitable(GK_SpatialReferenceHandle input, GK_SpatialReferenceHandle output,
                                           GK_GeometryHandle area_of_interest, bool ignore_vertical) {
    auto list = candidates(input, output, area_of_interest, ignore_vertical);
    if (list.empty()) {
        fail(GK_ERROR_INVALID_STATE, "invalid state.", "no datum transformation is needed or known between the two systems.");
    }
    return new_handle<GK_DatumTransformationHandle>(list.front());
}

}  // namespace

// The directory set by the caller; an empty text when none is set (PROJ then searches only its own
// data directories).
GK_StringHandle GK_TransformationCatalog_getProjectionEngineDirectory(GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(projection_engine_directory().value_or("")); });
}

// A null or empty path clears the directory; otherwise it must be an existing directory.
void GK_TransformationCatalog_setProjectionEngineDirectory(const char* path, GK_EH) {
    guarded<void>(handler, [&] {
        set_projection_engine_directory(path != nullptr ? std::optional<std::string>(path) : std::nullopt);
    });
}

GK_DatumTransformationHandle GK_TransformationCatalog_getTransformation(GK_SpatialReferenceHandle input_spatial_reference,
                                                                        GK_SpatialReferenceHandle output_spatial_reference,
                                                                        GK_EH) {
    return guarded<GK_DatumTransformationHandle>(
        handler, [&] { return most_suitable(input_spatial_reference, output_spatial_reference, nullptr, false); });
}

GK_DatumTransformationHandle GK_TransformationCatalog_getTransformationWithAreaOfInterest(
    GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference,
    GK_GeometryHandle area_of_interest, GK_EH) {
    return guarded<GK_DatumTransformationHandle>(
        handler, [&] { return most_suitable(input_spatial_reference, output_spatial_reference, area_of_interest, false); });
}

GK_DatumTransformationHandle GK_TransformationCatalog_getTransformationWithAreaOfInterestAndIgnoreVertical(
    GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference,
    GK_GeometryHandle area_of_interest, GK_Bool ignore_vertical, GK_EH) {
    return guarded<GK_DatumTransformationHandle>(handler, [&] {
        return most_suitable(input_spatial_reference, output_spatial_reference, area_of_interest, ignore_vertical != 0);
    });
}

GK_ArrayHandle GK_TransformationCatalog_getTransformationsBySuitability(GK_SpatialReferenceHandle input_spatial_reference,
                                                                        GK_SpatialReferenceHandle output_spatial_reference,
                                                                        GK_EH) {
    return guarded<GK_ArrayHandle>(
        handler, [&] { return candidate_array(input_spatial_reference, output_spatial_reference, nullptr, false); });
}

GK_ArrayHandle GK_TransformationCatalog_getTransformationsBySuitabilityWithAreaOfInterest(
    GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference,
    GK_GeometryHandle area_of_interest, GK_EH) {
    return guarded<GK_ArrayHandle>(
        handler, [&] { return candidate_array(input_spatial_reference, output_spatial_reference, area_of_interest, false); });
}

GK_ArrayHandle GK_TransformationCatalog_getTransformationsBySuitabilityWithAreaOfInterestAndIgnoreVertical(
    GK_SpatialReferenceHandle input_spatial_reference, GK_SpatialReferenceHandle output_spatial_reference,
    GK_GeometryHandle area_of_interest, GK_Bool ignore_vertical, GK_EH) {
    return guarded<GK_ArrayHandle>(handler, [&] {
        return candidate_array(input_spatial_reference, output_spatial_reference, area_of_interest, ignore_vertical != 0);
    });
}
