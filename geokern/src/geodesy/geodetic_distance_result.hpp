#pragma once

#include "handle.hpp"
#include "spatial/unit_definition.hpp"

namespace geokern::geodesy {

// The curve between two points: its length, and the azimuths at both ends, each looking along the curve
// towards the other point (from the first to the second, and from the second back to the first).
struct GeodeticDistanceResultValue {
    double distance = 0.0;
    double azimuth1 = 0.0;
    double azimuth2 = 0.0;
    UnitPointer distance_unit;
    UnitPointer azimuth_unit;
};

// A length with its unit.
struct DistanceValue {
    double value = 0.0;
    UnitPointer unit;
};

}  // namespace geokern::geodesy

namespace geokern {
GEOKERN_HANDLE_VALUE(GK_GeodeticDistanceResultHandle, const geodesy::GeodeticDistanceResultValue,
                     "geodetic distance result");
GEOKERN_HANDLE_VALUE(GK_DistanceHandle, const geodesy::DistanceValue, "distance");
}  // namespace geokern
