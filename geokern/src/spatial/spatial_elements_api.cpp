// Elements holding spatial references, datum transformations and transformation steps.
#include "object_elements.hpp"
#include "spatial/spatial_reference_value.hpp"
#include "spatial/transformation_value.hpp"

using namespace geokern;

GEOKERN_OBJECT_ELEMENT_KIND(DatumTransformation, GK_DatumTransformationHandle, GK_ELEMENT_TYPE_DATUM_TRANSFORMATION)
GEOKERN_OBJECT_ELEMENT_KIND(SpatialReference, GK_SpatialReferenceHandle, GK_ELEMENT_TYPE_SPATIAL_REFERENCE)
GEOKERN_OBJECT_ELEMENT_KIND(GeographicTransformationStep, GK_GeographicTransformationStepHandle,
                            GK_ELEMENT_TYPE_GEOGRAPHIC_TRANSFORMATION_STEP)
GEOKERN_OBJECT_ELEMENT_KIND(HorizontalVerticalTransformationStep, GK_HorizontalVerticalTransformationStepHandle,
                            GK_ELEMENT_TYPE_HORIZONTAL_VERTICAL_TRANSFORMATION_STEP)
