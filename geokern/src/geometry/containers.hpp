#pragma once

#include <memory>
#include <vector>

#include "geometry/geometry_value.hpp"
#include "geometry/segment_value.hpp"

namespace geokern {

// A part being assembled: always open (a ring closes when its polygon is built).
struct MutablePartValue {
    PartValue part;
    SpatialReferenceRef spatial_reference;
};

// Parts being assembled. A collection shares the parts added to it: a part read back is the same part,
// and a part added to two collections is in both.
struct MutablePartCollectionValue {
    std::vector<std::shared_ptr<MutablePartValue>> parts;
    SpatialReferenceRef spatial_reference;
};

struct MutablePointCollectionValue {
    PartValue points;
    SpatialReferenceRef spatial_reference;
};

// Read-only views sharing a geometry's parts.
struct ImmutablePartValue {
    std::shared_ptr<const PartValue> part;
    SpatialReferenceRef spatial_reference;
};

struct ImmutablePartCollectionValue {
    std::shared_ptr<const GeometryValue> geometry;
};

struct ImmutablePointCollectionValue {
    std::shared_ptr<const PartValue> points;
    SpatialReferenceRef spatial_reference;
};

GEOKERN_HANDLE_VALUE(GK_MutablePartHandle, MutablePartValue, "mutable part");
GEOKERN_HANDLE_VALUE(GK_MutablePartCollectionHandle, MutablePartCollectionValue, "mutable part collection");
GEOKERN_HANDLE_VALUE(GK_MutablePointCollectionHandle, MutablePointCollectionValue,
                     "mutable point collection");
GEOKERN_HANDLE_VALUE(GK_ImmutablePartHandle, ImmutablePartValue, "immutable part");
GEOKERN_HANDLE_VALUE(GK_ImmutablePartCollectionHandle, ImmutablePartCollectionValue,
                     "immutable part collection");
GEOKERN_HANDLE_VALUE(GK_ImmutablePointCollectionHandle, ImmutablePointCollectionValue,
                     "immutable point collection");

// The first point with the same x and y (and z and m where the points have them), -1 when none.
int64_t index_of_point(const PartValue& points, const GeometryValue& point);

void check_collection_index(int64_t index, size_t size, const char* what);

}  // namespace geokern
