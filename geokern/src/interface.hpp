#pragma once

// The library's view of its own interface: every GK_ function keeps default visibility while everything
// else stays hidden, and the linker version script exports exactly the GK_ names.
#pragma GCC visibility push(default)
#include "geokern.h"
#pragma GCC visibility pop
