#include "runtime/convert/point_conversion.hpp"

#include "runtime/convert/geometry_spatial_reference.hpp"
#include "runtime/geometry.hpp"

namespace velmor::runtime::convert {
namespace {

core::Coord coord_of(const core::PointValue& value) {
    if (value.z && value.m) return core::Coord::xyzm(value.x, value.y, *value.z, *value.m);
    if (value.z) return core::Coord::xyz(value.x, value.y, *value.z);
    if (value.m) return core::Coord::xym(value.x, value.y, *value.m);
    return core::Coord::xy(value.x, value.y);
}

}  // namespace

core::Result<Point> point_to_runtime(const core::PointValue& value) {
    VELMOR_TRY_ASSIGN(std::optional<SpatialReference> spatial_reference,
                      runtime_spatial_reference(value.spatial_reference));
    return create_point(coord_of(value), argument(spatial_reference));
}

core::PointValue point_from_runtime(const Point& point) {
    const core::Coord coord = point_coord(point.get());
    core::PointValue value;
    value.x = coord.x();
    value.y = coord.y();
    value.z = coord.z();
    value.m = coord.m();
    value.spatial_reference = native_spatial_reference(point.get());
    return value;
}

}  // namespace velmor::runtime::convert
