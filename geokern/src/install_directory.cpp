#include "install_directory.hpp"

#include <dlfcn.h>

#include "failure.hpp"

namespace geokern {

std::filesystem::path install_directory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&install_directory), &info) == 0 || info.dli_fname == nullptr) {
        const char* reason = dlerror();
        fail(GK_ERROR_INVALID_STATE, "cannot determine the install directory.", reason != nullptr ? reason : "");
    }
    return std::filesystem::absolute(info.dli_fname).parent_path();
}

}  // namespace geokern
