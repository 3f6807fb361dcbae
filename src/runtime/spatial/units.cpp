#include "runtime/spatial/units.hpp"

#include <algorithm>
#include <array>

#include "runtime/environment.hpp"

namespace velmor::runtime {
namespace {

constexpr std::array<int32_t, 11> area_unit_ids{0,      109401, 109402, 109404, 109405, 109414,
                                                109439, 109442, 109450, 109451, 109452};

template <class Owner>
RuntimeResult<Owner> take(RuntimeResult<GK_UnitHandle>&& created) {
    if (!created) return std::unexpected(std::move(created.error()));
    return Owner::take(*created);
}

}  // namespace

bool is_area_unit_id(int32_t code) { return std::ranges::find(area_unit_ids, code) != area_unit_ids.end(); }

RuntimeResult<LinearUnit> linear_unit(int32_t unit_id) {
    ensure_environment();
    return take<LinearUnit>(invoke(functions().LinearUnit_create, unit_id));
}

RuntimeResult<AreaUnit> area_unit(int32_t unit_id) {
    ensure_environment();
    return take<AreaUnit>(invoke(functions().AreaUnit_create, unit_id));
}

int32_t area_unit_id(const AreaUnit& unit) {
    const int32_t code = invoke_or_fail(VELMOR_GK(AreaUnit_getAreaUnitId), unit.get());
    if (!is_area_unit_id(code)) {
        core::internal_failure("Internal error: Unexpected failure to transform return value: " +
                               conversion_error("GK_AreaUnitId " + std::to_string(code), "AreaUnitId").debug());
    }
    return code;
}

double area_convert_to(const AreaUnit& unit, const AreaUnit& to, double area) {
    return invoke_or_fail(VELMOR_GK(AreaUnit_convertTo), unit.get(), to.get(), area);
}

double area_convert_from(const AreaUnit& unit, const AreaUnit& from, double area) {
    return invoke_or_fail(VELMOR_GK(AreaUnit_convertFrom), unit.get(), from.get(), area);
}

double area_to_square_meters(const AreaUnit& unit, double area) {
    return invoke_or_fail(VELMOR_GK(AreaUnit_toSquareMeters), unit.get(), area);
}

double area_from_square_meters(const AreaUnit& unit, double square_meters) {
    return invoke_or_fail(VELMOR_GK(AreaUnit_fromSquareMeters), unit.get(), square_meters);
}

}  // namespace velmor::runtime
