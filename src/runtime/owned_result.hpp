#pragma once

#include "error.hpp"
#include "owned.hpp"

namespace velmor::runtime {

// A handle from a call whose failure is returned: the error as it came, or the handle taken over
// (null-checked) by its owner.
template <class Owner, class R>
RuntimeResult<Owner> owned_or_error(RuntimeResult<R> result) {
    if (!result) return std::unexpected(std::move(result.error()));
    return Owner::take(*result);
}

}  // namespace velmor::runtime
