#pragma once

#include "curve_part.hpp"
#include "part_container.hpp"
#include "shared.hpp"

namespace velmor::core {

// The paths or rings that contain curves.
using CurveMultipart = PartContainer<CurvePart>;
using SharedCurveMultipart = Shared<CurveMultipart>;

}  // namespace velmor::core
