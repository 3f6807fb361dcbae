#include "geometry/containers.hpp"

#include <string>

#include "failure.hpp"

namespace geokern {

int64_t index_of_point(const PartValue& points, const GeometryValue& point) {
    const Vertex& wanted = point.point;
    for (int64_t i = 0; i < points.point_count(); ++i) {
        const Vertex stored = points.point(i);
        if (same_number(stored.x, wanted.x) && same_number(stored.y, wanted.y) &&
            (!points.has_z || same_number(stored.z, wanted.z)) &&
            (!points.has_m || same_number(stored.m, wanted.m))) {
            return i;
        }
    }
    return -1;
}

void check_collection_index(int64_t index, size_t size, const char* what) {
    if (index < 0 || static_cast<uint64_t>(index) >= size) {
        fail(GK_ERROR_OUT_OF_RANGE, "index out of range.",
             std::string(what) + " index " + std::to_string(index) + " is not below the size " +
                 std::to_string(size) + ".");
    }
}

}  // namespace geokern
