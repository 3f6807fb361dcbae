// Projection of geometries between spatial references, with PROJ's best available operation or a
// datum transformation of the catalogue.
#include "engine/engine_inputs.hpp"
#include "projection/geometry_projection.hpp"
#include "report.hpp"

using namespace geokern;

GK_GeometryHandle GK_GeometryEngine_project(GK_GeometryHandle geometry, GK_SpatialReferenceHandle spatial_reference,
                                            GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(project_geometry(value_of(geometry), spatial_reference_argument(spatial_reference), nullptr));
    });
}

GK_GeometryHandle GK_GeometryEngine_projectWithTransformation(GK_GeometryHandle geometry,
                                                              GK_SpatialReferenceHandle spatial_reference,
                                                              GK_DatumTransformationHandle transformation, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        const GeometryValue& value = value_of(geometry);
        if (transformation == nullptr) engine::refuse("no datum transformation was given.");
        return new_geometry(
            project_geometry(value, spatial_reference_argument(spatial_reference), shared_value(transformation)));
    });
}
