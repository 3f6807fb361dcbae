#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/result.hpp"
#include "runtime/owned.hpp"
#include "runtime/spatial/datum_transformation.hpp"

namespace velmor::runtime {

// One step of a datum transformation as plain values, so that it can be written down and made again
// elsewhere. The operation is named in the direction the projection engine stores it: by its
// well-known identifier, or by its well-known text when it has none; `inverse` says the step applies
// it against that direction.
struct TransformationStepRecord {
    int32_t wkid = 0;
    std::string text;  // empty when the identifier names the operation
    bool inverse = false;
};

// The steps of a transformation of the given kind, in the order they are applied; the runtime core
// reports no error on these reads.
std::vector<TransformationStepRecord> transformation_steps(const DatumTransformationOwned& transformation,
                                                           TransformationType type);

// A new transformation of the given kind through the steps. A step the runtime core cannot make (an
// identifier it does not know, a text it cannot read) or a list it refuses is the runtime failure.
core::Result<DatumTransformationOwned> transformation_from_steps(TransformationType type,
                                                                 const std::vector<TransformationStepRecord>& steps);

}  // namespace velmor::runtime
