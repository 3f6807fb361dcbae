#include "unit_definition.hpp"

#include <cmath>
#include <vector>

#include "failure.hpp"

namespace geokern {

namespace {

// Products of two factors' terms need more than 64 bits.
__extension__ typedef __int128 Wide;

constexpr long double pi = 3.141592653589793238462643383279502884L;

UnitDefinition unit(int32_t code, GK_UnitType type, const char* name, const char* plural, const char* abbreviation,
                    int64_t numerator, int64_t denominator, int pi_power = 0) {
    long double size = static_cast<long double>(numerator) / static_cast<long double>(denominator);
    if (pi_power == 1) size *= pi;
    return UnitDefinition{code, type, name, plural, abbreviation,
                          UnitFactor{numerator, denominator, pi_power, static_cast<double>(size)}};
}

// The units the library knows by code. Linear and area codes are the ones the binding hands over
// unchanged; the factors are the legal definitions (international foot 0.3048 m, US survey foot
// 1200/3937 m, statute mile 5280 ft, acre 43560 sq ft).
std::vector<UnitPointer> make_table() {
    const UnitDefinition definitions[] = {
        unit(9001, unit_type_linear, "Meter", "Meters", "m", 1, 1),
        unit(9002, unit_type_linear, "Foot", "Feet", "ft", 3048, 10000),
        unit(9003, unit_type_linear, "Foot_US", "US Survey Feet", "ftUS", 1200, 3937),
        unit(9005, unit_type_linear, "Foot_Clarke", "Clarke's Feet", "ftCla", 3047972654, 10000000000),
        unit(9014, unit_type_linear, "Fathom", "Fathoms", "fath", 18288, 10000),
        unit(9030, unit_type_linear, "Nautical_Mile", "Nautical Miles", "nmi", 1852, 1),
        unit(9035, unit_type_linear, "Mile_US", "US Survey Miles", "miUS", 6336000, 3937),
        unit(9036, unit_type_linear, "Kilometer", "Kilometers", "km", 1000, 1),
        unit(9037, unit_type_linear, "Yard_Clarke", "Clarke's Yards", "ydCla", 9143917962, 10000000000),
        unit(9093, unit_type_linear, "Statute_Mile", "Miles", "mi", 1609344, 1000),
        unit(9096, unit_type_linear, "Yard", "Yards", "yd", 9144, 10000),
        unit(9097, unit_type_linear, "Chain", "Chains", "ch", 201168, 10000),
        unit(1025, unit_type_linear, "Millimeter", "Millimeters", "mm", 1, 1000),
        unit(1033, unit_type_linear, "Centimeter", "Centimeters", "cm", 1, 100),
        unit(109008, unit_type_linear, "Inch", "Inches", "in", 254, 10000),
        unit(9101, unit_type_angular, "Radian", "Radians", "rad", 1, 1),
        unit(9102, unit_type_angular, "Degree", "Degrees", "deg", 1, 180, 1),
        unit(9103, unit_type_angular, "Minute", "Minutes", "min", 1, 10800, 1),
        unit(9104, unit_type_angular, "Second", "Seconds", "sec", 1, 648000, 1),
        unit(9105, unit_type_angular, "Grad", "Grads", "grad", 1, 200, 1),
        unit(9106, unit_type_angular, "Gon", "Gons", "gon", 1, 200, 1),
        unit(9109, unit_type_angular, "Microradian", "Microradians", "urad", 1, 1000000),
        unit(109401, unit_type_area, "Hectare", "Hectares", "ha", 10000, 1),
        unit(109402, unit_type_area, "Acre", "Acres", "ac", 40468564224, 10000000),
        unit(109404, unit_type_area, "Square_Meter", "Square Meters", "m2", 1, 1),
        unit(109405, unit_type_area, "Square_Foot", "Square Feet", "ft2", 9290304, 100000000),
        unit(109414, unit_type_area, "Square_Kilometer", "Square Kilometers", "km2", 1000000, 1),
        unit(109439, unit_type_area, "Square_Mile", "Square Miles", "mi2", 2589988110336, 1000000),
        unit(109442, unit_type_area, "Square_Yard", "Square Yards", "yd2", 83612736, 100000000),
        unit(109450, unit_type_area, "Square_Decimeter", "Square Decimeters", "dm2", 1, 100),
        unit(109451, unit_type_area, "Square_Centimeter", "Square Centimeters", "cm2", 1, 10000),
        unit(109452, unit_type_area, "Square_Millimeter", "Square Millimeters", "mm2", 1, 1000000),
    };
    std::vector<UnitPointer> table;
    for (const UnitDefinition& definition : definitions) table.push_back(std::make_shared<const UnitDefinition>(definition));
    return table;
}

const std::vector<UnitPointer>& table() {
    static const std::vector<UnitPointer> units = make_table();
    return units;
}

// Linear unit code and the code of its square.
constexpr std::pair<int32_t, int32_t> squares[] = {
    {9001, 109404}, {9002, 109405}, {9036, 109414}, {9093, 109439}, {9096, 109442}, {1033, 109451}, {1025, 109452},
};

const char* type_name(GK_UnitType type) {
    switch (type) {
        case unit_type_linear: return "linear";
        case unit_type_angular: return "angular";
        case unit_type_area: return "area";
        default: return "unknown";
    }
}

Wide greatest_common_divisor(Wide a, Wide b) {
    while (b != 0) {
        Wide rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

}  // namespace

UnitPointer find_unit(int32_t code) {
    for (const UnitPointer& candidate : table()) {
        if (candidate->code == code) return candidate;
    }
    return nullptr;
}

UnitPointer unit_of_type(int32_t code, GK_UnitType type) {
    UnitPointer found = find_unit(code);
    if (!found || found->type != type) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             std::to_string(code) + " is not a known " + type_name(type) + " unit identifier.");
    }
    return found;
}

UnitPointer unit_from_factor(int32_t code, GK_UnitType type, double factor, const std::string& name) {
    UnitPointer by_code = find_unit(code);
    if (by_code && by_code->type == type) return by_code;
    for (const UnitPointer& candidate : table()) {
        if (candidate->type == type && std::abs(candidate->factor.approximate - factor) <= 1e-15 * factor) {
            return candidate;
        }
    }
    return std::make_shared<const UnitDefinition>(
        UnitDefinition{0, type, name, name, name, UnitFactor{0, 1, 0, factor}});
}

double conversion_ratio(const UnitDefinition& from, const UnitDefinition& to) {
    if (from.type != to.type) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             std::string("cannot convert between a ") + type_name(from.type) + " and a " + type_name(to.type) + " unit.");
    }
    const UnitFactor& a = from.factor;
    const UnitFactor& b = to.factor;
    if (a.numerator == 0 || b.numerator == 0) return a.approximate / b.approximate;
    Wide numerator = static_cast<Wide>(a.numerator) * b.denominator;
    Wide denominator = static_cast<Wide>(a.denominator) * b.numerator;
    Wide divisor = greatest_common_divisor(numerator, denominator);
    long double ratio = static_cast<long double>(numerator / divisor) / static_cast<long double>(denominator / divisor);
    if (a.pi_power > b.pi_power) ratio *= pi;
    if (a.pi_power < b.pi_power) ratio /= pi;
    return static_cast<double>(ratio);
}

const UnitDefinition& base_unit(GK_UnitType type) {
    static const UnitPointer metre = find_unit(9001);
    static const UnitPointer radian = find_unit(9101);
    static const UnitPointer square_metre = find_unit(109404);
    switch (type) {
        case unit_type_linear: return *metre;
        case unit_type_angular: return *radian;
        default: return *square_metre;
    }
}

UnitPointer area_unit_of(const UnitDefinition& linear) {
    for (auto [line, area] : squares) {
        if (line == linear.code && linear.type == unit_type_linear) return find_unit(area);
    }
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "no area unit is the square of the unit " + linear.name + ".");
}

UnitPointer linear_unit_of(const UnitDefinition& area) {
    for (auto [line, square] : squares) {
        if (square == area.code && area.type == unit_type_area) return find_unit(line);
    }
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", "the unit " + area.name + " is not the square of a linear unit.");
}

const UnitDefinition& unit_argument(GK_UnitHandle unit, GK_UnitType type) {
    const UnitDefinition& definition = value_of(unit);
    if (definition.type != type) {
        fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
             "the unit " + definition.name + " is not a " + type_name(type) + " unit.");
    }
    return definition;
}

GK_UnitHandle new_unit_handle(UnitPointer unit) { return new_handle<GK_UnitHandle>(std::move(unit)); }

}  // namespace geokern
