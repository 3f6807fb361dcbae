// The DatumTransformation family and its two kinds, geographic and horizontal-vertical.
#include "report.hpp"
#include "object_elements.hpp"
#include "spatial/transformation_value.hpp"
#include "string_value.hpp"

using namespace geokern;

void GK_DatumTransformation_destroy(GK_DatumTransformationHandle transformation, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(transformation); });
}

// Null, without error, when the system is unknown.
GK_SpatialReferenceHandle GK_DatumTransformation_getInputSpatialReference(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&]() -> GK_SpatialReferenceHandle {
        const SpatialReferencePointer& input = value_of(transformation).input;
        return input ? new_spatial_reference_handle(input) : nullptr;
    });
}

GK_SpatialReferenceHandle GK_DatumTransformation_getOutputSpatialReference(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&]() -> GK_SpatialReferenceHandle {
        const SpatialReferencePointer& output = value_of(transformation).output;
        return output ? new_spatial_reference_handle(output) : nullptr;
    });
}

GK_Bool GK_DatumTransformation_getIsMissingProjectionEngineFiles(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{missing_files(value_of(transformation))}; });
}

GK_StringHandle GK_DatumTransformation_getName(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(transformation_name(value_of(transformation))); });
}

GK_DatumTransformationType GK_DatumTransformation_getObjectType(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_DatumTransformationType>(handler, [&] { return value_of(transformation).kind; });
}

GK_Bool GK_DatumTransformation_equals(GK_DatumTransformationHandle transformation, GK_DatumTransformationHandle other, GK_EH) {
    return guarded<GK_Bool>(handler, [&] { return GK_Bool{same_transformation(value_of(transformation), value_of(other))}; });
}

uint64_t GK_DatumTransformation_getHash(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<uint64_t>(handler, [&] { return transformation_hash(value_of(transformation)); });
}

GK_DatumTransformationHandle GK_DatumTransformation_getInverse(GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_DatumTransformationHandle>(handler, [&] {
        return new_handle<GK_DatumTransformationHandle>(inverse_transformation(value_of(transformation)));
    });
}

// createWithStep, createWithSteps and getSteps of one transformation kind.
#define GEOKERN_TRANSFORMATION_KIND(Kind, family, element_type)                                                    \
    GK_DatumTransformationHandle GK_##Kind##Transformation_createWithStep(GK_##Kind##TransformationStepHandle step, \
                                                                          GK_EH) {                               \
        return guarded<GK_DatumTransformationHandle>(handler, [&] {                                              \
            return new_handle<GK_DatumTransformationHandle>(transformation_from_steps({shared_value(step)}, family)); \
        });                                                                                                      \
    }                                                                                                            \
    GK_DatumTransformationHandle GK_##Kind##Transformation_createWithSteps(GK_VectorHandle steps, GK_EH) {        \
        return guarded<GK_DatumTransformationHandle>(handler, [&] {                                              \
            auto list = objects_of_vector<GK_##Kind##TransformationStepHandle>(element_type, steps);             \
            return new_handle<GK_DatumTransformationHandle>(transformation_from_steps(std::move(list), family));   \
        });                                                                                                      \
    }                                                                                                            \
    GK_ArrayHandle GK_##Kind##Transformation_getSteps(GK_DatumTransformationHandle transformation, GK_EH) {       \
        return guarded<GK_ArrayHandle>(handler, [&] {                                                            \
            const DatumTransformationValue& value = value_of(transformation);                                    \
            if (value.kind != family) {                                                                            \
                fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the transformation is of another kind.");  \
            }                                                                                                    \
            return object_array(element_type, value.steps);                                                      \
        });                                                                                                      \
    }

GEOKERN_TRANSFORMATION_KIND(Geographic, transformation_geographic, GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP)
GEOKERN_TRANSFORMATION_KIND(HorizontalVertical, transformation_horizontal_vertical,
                            GK_ELEMENT_TYPE_HORIZONTAL_VERTICAL_TRANSFORMATION_STEP)
