#pragma once

#include <filesystem>

namespace geokern {

// The directory of the loaded library file itself (or of the executable the library's code is linked
// into), whatever path the process opened it by.
std::filesystem::path install_directory();

}  // namespace geokern
