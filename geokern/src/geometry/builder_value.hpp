#pragma once

#include <memory>

#include "geometry/containers.hpp"

namespace geokern {

// A geometry being assembled. Only the fields of its type are used: `point` and `envelope` (with their
// z and m awareness), `parts` of a polyline or polygon builder (a collection the builder shares with
// whoever handed it over or read it out), `points` of a multipoint builder (likewise). The collections
// are made when first needed (null means empty): most builders are handed a whole collection.
struct GeometryBuilderValue {
    GK_GeometryType type = geometry_type_point;
    SpatialReferenceRef spatial_reference;
    bool has_z = false;
    bool has_m = false;
    Vertex point;
    EnvelopeData envelope;
    std::shared_ptr<MutablePartCollectionValue> parts;
    std::shared_ptr<MutablePointCollectionValue> points;
};
GEOKERN_HANDLE_VALUE(GK_GeometryBuilderHandle, GeometryBuilderValue, "geometry builder");

// The builder's own collections, made empty with the builder's spatial reference when it has none yet.
const std::shared_ptr<MutablePartCollectionValue>& builder_parts(GeometryBuilderValue& builder);
const std::shared_ptr<MutablePointCollectionValue>& builder_points(GeometryBuilderValue& builder);

GeometryBuilderValue empty_builder(GK_GeometryType type, SpatialReferenceRef spatial_reference);
// A builder holding a copy of the geometry (a polygon's rings reopened, see part.hpp).
GeometryBuilderValue builder_for(const GeometryValue& geometry);
// The geometry as assembled so far: the parts are copied, a polygon's rings closed, and every part given
// the z and m awareness that any of them has.
GeometryValue build_geometry(const GeometryBuilderValue& builder);

// The builder behind a handle, which must build the given type (a type mismatch otherwise).
GeometryBuilderValue& builder_of(GK_GeometryBuilderHandle handle, GK_GeometryType expected);
// The builder behind a handle, which must build a polyline or a polygon.
GeometryBuilderValue& multipart_builder_of(GK_GeometryBuilderHandle handle);

// A polygon's rings as open paths, each ending on its first point again.
GeometryValue polygon_to_polyline(const GeometryValue& polygon);

}  // namespace geokern
