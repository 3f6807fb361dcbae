#include "handle.hpp"

#include <string>

namespace geokern {

// Out of line, so that the checks of every handle argument stay small enough to inline.
void null_handle(const char* handle_name) {
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.", std::string("the ") + handle_name + " handle is null.");
}

}  // namespace geokern
