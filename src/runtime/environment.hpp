#pragma once

namespace velmor::runtime {

// Sets the runtime environment up on the first call (error callback, the library's own start-up) and
// does nothing afterwards. A failed set-up is an internal failure, and so is every later call.
void ensure_environment();

}  // namespace velmor::runtime
