#pragma once

#include <expected>
#include <memory>
#include <string>

#include "function_table.hpp"

namespace velmor::runtime {

// Opens the library at `path` and resolves every function of the interface; the first missing name
// rejects the library as a whole (and closes it again). The error is the loader's text.
std::expected<std::unique_ptr<FunctionTable>, std::string> open_library(const std::string& path);

}  // namespace velmor::runtime
