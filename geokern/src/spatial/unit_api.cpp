// The Unit family and its three kinds: linear, angular and area units with exact factors.
#include "report.hpp"
#include "string_value.hpp"
#include "unit_definition.hpp"

using namespace geokern;

void GK_Unit_destroy(GK_UnitHandle unit, GK_EH) {
    guarded<void>(handler, [&] { destroy_handle(unit); });
}

GK_StringHandle GK_Unit_getAbbreviation(GK_UnitHandle unit, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(unit).abbreviation); });
}

GK_StringHandle GK_Unit_getDisplayName(GK_UnitHandle unit, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(unit).name); });
}

GK_StringHandle GK_Unit_getName(GK_UnitHandle unit, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(unit).name); });
}

GK_UnitType GK_Unit_getObjectType(GK_UnitHandle unit, GK_EH) {
    return guarded<GK_UnitType>(handler, [&] { return value_of(unit).type; });
}

GK_StringHandle GK_Unit_getPluralDisplayName(GK_UnitHandle unit, GK_EH) {
    return guarded<GK_StringHandle>(handler, [&] { return new_string(value_of(unit).plural_name); });
}

int32_t GK_Unit_getWKID(GK_UnitHandle unit, GK_EH) {
    return guarded<int32_t>(handler, [&] { return value_of(unit).code; });
}

GK_UnitHandle GK_Unit_fromWKID(int32_t wkid, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] {
        UnitPointer found = find_unit(wkid);
        if (!found) {
            fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", std::to_string(wkid) + " is not a known unit identifier.");
        }
        return new_unit_handle(std::move(found));
    });
}

// create, get<Kind>UnitId, convertFrom, convertTo, from<Base> and to<Base> of one unit kind.
#define GEOKERN_UNIT_KIND(Kind, type, Base)                                                                   \
    GK_UnitHandle GK_##Kind##Unit_create(GK_##Kind##UnitId unit_id, GK_EH) {                                  \
        return guarded<GK_UnitHandle>(handler, [&] { return new_unit_handle(unit_of_type(unit_id, type)); }); \
    }                                                                                                         \
    GK_##Kind##UnitId GK_##Kind##Unit_get##Kind##UnitId(GK_UnitHandle unit, GK_EH) {                          \
        return guarded<GK_##Kind##UnitId>(handler, [&] { return unit_argument(unit, type).code; });           \
    }                                                                                                         \
    double GK_##Kind##Unit_convertFrom(GK_UnitHandle unit, GK_UnitHandle from_unit, double value, GK_EH) {    \
        return guarded<double>(handler, [&] {                                                                 \
            return convert(value, unit_argument(from_unit, type), unit_argument(unit, type));                 \
        });                                                                                                   \
    }                                                                                                         \
    double GK_##Kind##Unit_convertTo(GK_UnitHandle unit, GK_UnitHandle to_unit, double value, GK_EH) {        \
        return guarded<double>(handler, [&] {                                                                 \
            return convert(value, unit_argument(unit, type), unit_argument(to_unit, type));                   \
        });                                                                                                   \
    }                                                                                                         \
    double GK_##Kind##Unit_from##Base(GK_UnitHandle unit, double value, GK_EH) {                              \
        return guarded<double>(handler, [&] { return convert(value, base_unit(type), unit_argument(unit, type)); }); \
    }                                                                                                         \
    double GK_##Kind##Unit_to##Base(GK_UnitHandle unit, double value, GK_EH) {                                \
        return guarded<double>(handler, [&] { return convert(value, unit_argument(unit, type), base_unit(type)); }); \
    }

GEOKERN_UNIT_KIND(Linear, unit_type_linear, Meters)
GEOKERN_UNIT_KIND(Angular, unit_type_angular, Radians)
GEOKERN_UNIT_KIND(Area, unit_type_area, SquareMeters)

GK_UnitHandle GK_AreaUnit_createFromLinearUnit(GK_UnitHandle linear_unit, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] {
        return new_unit_handle(area_unit_of(unit_argument(linear_unit, unit_type_linear)));
    });
}

GK_UnitHandle GK_LinearUnit_createFromAreaUnit(GK_UnitHandle area_unit, GK_EH) {
    return guarded<GK_UnitHandle>(handler, [&] {
        return new_unit_handle(linear_unit_of(unit_argument(area_unit, unit_type_area)));
    });
}
