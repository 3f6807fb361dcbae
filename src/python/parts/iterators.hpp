#pragma once

#include "core/curve_part.hpp"
#include "core/multipart.hpp"
#include "core/part.hpp"
#include "errors.hpp"

namespace velmor::py {

// Iterators over a live value: no snapshot, so items appended while iterating are visited and
// removals shift the rest. Their classes are not module attributes.
Result<Ref> new_part_iterator(core::SharedPart part);
Result<Ref> new_curve_part_iterator(core::SharedCurvePart part);
Result<Ref> new_multipart_iterator(core::SharedMultipart container);

}  // namespace velmor::py
