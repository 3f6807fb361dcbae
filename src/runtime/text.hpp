#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "geokern.h"

namespace velmor::runtime {

// The text of a string handle, taken as UTF-8 without validation, and the handle released. A null
// handle reads as empty text; an empty string is released too, so that none leaks.
std::string text_from_string(GK_StringHandle string);

// A path as NUL-terminated UTF-8 for the runtime core; a path that is not UTF-8 or holds a NUL is an
// internal failure.
std::string path_to_c_text(const std::filesystem::path& path);

// Text for the runtime core; a NUL inside is an internal failure.
std::string text_to_c_text(std::string_view text);

}  // namespace velmor::runtime
