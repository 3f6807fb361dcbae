#include "engine/proximity_result.hpp"
#include "report.hpp"

using namespace geokern;
using geokern::engine::ProximityResultValue;

void GK_ProximityResult_destroy(GK_ProximityResultHandle result, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(result); });
}

GK_GeometryHandle GK_ProximityResult_getCoordinate(GK_ProximityResultHandle result, GK_EH) {
    return guarded<GK_GeometryHandle>(handler, [&] { return new_geometry(value_of(result).coordinate); });
}

double GK_ProximityResult_getDistance(GK_ProximityResultHandle result, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(result).distance; });
}

int64_t GK_ProximityResult_getPartIndex(GK_ProximityResultHandle result, GK_EH) {
    return guarded<int64_t>(handler, [&] { return value_of(result).part_index; });
}

int64_t GK_ProximityResult_getPointIndex(GK_ProximityResultHandle result, GK_EH) {
    return guarded<int64_t>(handler, [&] { return value_of(result).point_index; });
}
