// JSON text of geometries and spatial references.
#include "json/geometry_reader.hpp"
#include "json/geometry_writer.hpp"
#include "json/json_document.hpp"
#include "json/spatial_reference_json.hpp"
#include "report.hpp"
#include "string_value.hpp"

using namespace geokern;

GK_GeometryHandle GK_Geometry_fromJSON(const char* json, GK_EH) {
    return guarded<GK_GeometryHandle>(
        handler, [&] { return new_geometry(read_geometry_json(text_argument(json, "JSON"), nullptr)); });
}

// The given spatial reference replaces the text's; a null one leaves the text's in place.
GK_GeometryHandle GK_Geometry_fromJSONWithSpatialReference(const char* json, GK_SpatialReferenceHandle spatial_reference,
                                                           GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] {
        return new_geometry(
            read_geometry_json(text_argument(json, "JSON"), spatial_reference_argument(spatial_reference)));
    });
}

GK_StringHandle GK_Geometry_toJSON(GK_GeometryHandle geometry, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(write_geometry_json(value_of(geometry))); });
}

GK_SpatialReferenceHandle GK_SpatialReference_fromJSON(const char* json, GK_EH) {
    return guarded<GK_SpatialReferenceHandle>(handler, [&] {
        const JsonDocument document(text_argument(json, "JSON"));
        return new_spatial_reference_handle(read_spatial_reference(document.root(), JsonLocation{}));
    });
}

GK_StringHandle GK_SpatialReference_toJSON(GK_SpatialReferenceHandle spatial_reference, GK_EH) {
    return guarded<GK_StringHandle>(
        handler, [&] { return new_string(spatial_reference_json(value_of(spatial_reference))); });
}
