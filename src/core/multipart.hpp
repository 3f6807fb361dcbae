#pragma once

#include "part.hpp"
#include "part_container.hpp"
#include "shared.hpp"

namespace velmor::core {

// The straight paths of a polyline or rings of a polygon.
using Multipart = PartContainer<Part>;
using SharedMultipart = Shared<Multipart>;

}  // namespace velmor::core
