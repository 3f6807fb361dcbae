#pragma once

#include <cstdint>

#include "runtime/error.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime {

// Runtime linear and area units from the codes of LinearUnitId and AreaUnitId, handed over unchanged.
RuntimeResult<LinearUnit> linear_unit(int32_t unit_id);
RuntimeResult<AreaUnit> area_unit(int32_t unit_id);

// The code of an area unit; a code outside AreaUnitId is an internal failure.
int32_t area_unit_id(const AreaUnit& unit);

// `area` in `unit` expressed in `to`, and `area` in `from` expressed in `unit`.
double area_convert_to(const AreaUnit& unit, const AreaUnit& to, double area);
double area_convert_from(const AreaUnit& unit, const AreaUnit& from, double area);
double area_to_square_meters(const AreaUnit& unit, double area);
double area_from_square_meters(const AreaUnit& unit, double square_meters);

// The area unit codes the binding knows (the members of AreaUnitId).
bool is_area_unit_id(int32_t code);

}  // namespace velmor::runtime
