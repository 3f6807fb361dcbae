// Elements holding spatial references, datum transformations and transformation steps.
#include "spatial/object_elements.hpp"
#include "spatial/spatial_reference_value.hpp"
#include "spatial/transformation_value.hpp"

using namespace geokern;

#define GEOKERN_OBJECT_ELEMENT_KIND(Name, Handle, type)                                                         \
    GK_ElementHandle GK_Element_from##Name(Handle value, GK_EH) {                                               \
        return guarded<GK_ElementHandle>(handler, [&] { return new_element(object_value(type, shared_value(value))); }); \
    }                                                                                                           \
    Handle GK_Element_getValueAs##Name(GK_ElementHandle element, GK_EH) {                                       \
        return guarded<Handle>(handler, [&] { return object_from_value<Handle>(type, element_value(element)); }); \
    }                                                                                                           \
    void GK_Element_setValueFrom##Name(GK_ElementHandle element, Handle value, GK_EH) {                         \
        guarded<void>(handler, [&] {                                                                            \
            Value replacement = object_value(type, shared_value(value));                                        \
            value_of(element).value = std::move(replacement);                                                   \
        });                                                                                                     \
    }

GEOKERN_OBJECT_ELEMENT_KIND(DatumTransformation, GK_DatumTransformationHandle, GK_ELEMENT_TYPE_DATUM_TRANSFORMATION)
GEOKERN_OBJECT_ELEMENT_KIND(SpatialReference, GK_SpatialReferenceHandle, GK_ELEMENT_TYPE_SPATIAL_REFERENCE)
GEOKERN_OBJECT_ELEMENT_KIND(GeographicTransformationStep, GK_GeographicTransformationStepHandle,
                            GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP)
GEOKERN_OBJECT_ELEMENT_KIND(HorizontalVerticalTransformationStep, GK_HorizontalVerticalTransformationStepHandle,
                            GK_ELEMENT_TYPE_HORIZONTAL_VERTICAL_TRANSFORMATION_STEP)
