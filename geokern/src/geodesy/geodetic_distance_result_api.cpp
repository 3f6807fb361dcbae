#include "geodesy/geodetic_distance_result.hpp"
#include "report.hpp"

using namespace geokern;

void GK_GeodeticDistanceResult_destroy(GK_GeodeticDistanceResultHandle result, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(result); });
}

double GK_GeodeticDistanceResult_getDistance(GK_GeodeticDistanceResultHandle result, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(result).distance; });
}

double GK_GeodeticDistanceResult_getAzimuth1(GK_GeodeticDistanceResultHandle result, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(result).azimuth1; });
}

double GK_GeodeticDistanceResult_getAzimuth2(GK_GeodeticDistanceResultHandle result, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(result).azimuth2; });
}

GK_UnitHandle GK_GeodeticDistanceResult_getDistanceUnit(GK_GeodeticDistanceResultHandle result, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(value_of(result).distance_unit); });
}

GK_UnitHandle GK_GeodeticDistanceResult_getAzimuthUnit(GK_GeodeticDistanceResultHandle result, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(value_of(result).azimuth_unit); });
}

void GK_Distance_destroy(GK_DistanceHandle distance, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(distance); });
}

double GK_Distance_getValue(GK_DistanceHandle distance, GK_EH) {
    return guarded<double>(handler, [&] { return value_of(distance).value; });
}

GK_UnitHandle GK_Distance_getUnit(GK_DistanceHandle distance, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(value_of(distance).unit); });
}
