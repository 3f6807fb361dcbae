#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "handle.hpp"
#include "interface.hpp"

namespace geokern {

enum : GK_UnitType { unit_type_linear = 1, unit_type_angular = 2, unit_type_area = 3 };

// The size of a unit in its family's base unit (metre, radian, square metre). Units of the table are
// exact ratios, times pi for angles, so that a conversion between two of them rounds once: a statute
// mile is exactly 5280 feet and an acre exactly 43560 square feet. A unit read from a coordinate
// system that the table does not know carries only the floating factor PROJ gives.
struct UnitFactor {
    int64_t numerator = 0;  // 0: not exact, use `approximate`
    int64_t denominator = 1;
    int pi_power = 0;
    double approximate = 0.0;
};

struct UnitDefinition {
    int32_t code = 0;  // well-known identifier; 0 for a unit that has none
    GK_UnitType type = unit_type_linear;
    std::string name;
    std::string plural_name;
    std::string abbreviation;
    UnitFactor factor;
};
GEOKERN_HANDLE_VALUE(GK_UnitHandle, const UnitDefinition, "unit");

using UnitPointer = std::shared_ptr<const UnitDefinition>;

// The unit of the table with this code, or null.
UnitPointer find_unit(int32_t code);
// The unit of the table with this code and type; an unknown code is the caller's error.
UnitPointer unit_of_type(int32_t code, GK_UnitType type);
// A unit of a coordinate system: the table's when the code or the factor matches one, else a new one.
UnitPointer unit_from_factor(int32_t code, GK_UnitType type, double factor, const std::string& name);

// How many `to` units make one `from` unit.
double conversion_ratio(const UnitDefinition& from, const UnitDefinition& to);
inline double convert(double value, const UnitDefinition& from, const UnitDefinition& to) {
    return value * conversion_ratio(from, to);
}
// The base unit of the family of `unit` (metre, radian, square metre).
const UnitDefinition& base_unit(GK_UnitType type);

// The area unit measured in squares of a linear unit, and back; a unit without a counterpart in the
// table is the caller's error.
UnitPointer area_unit_of(const UnitDefinition& linear);
UnitPointer linear_unit_of(const UnitDefinition& area);

// The unit behind a handle, checked to be of the given type.
const UnitDefinition& unit_argument(GK_UnitHandle unit, GK_UnitType type);
GK_UnitHandle new_unit_handle(UnitPointer unit);

}  // namespace geokern
