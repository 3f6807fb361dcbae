#pragma once

#include <string>
#include <string_view>

namespace velmor::py {

// The Python version text derived from a package version: "-alpha" -> "a", then "-beta" -> "b", then
// "-rc" -> "rc", each replaced everywhere.
std::string python_version_text(std::string_view package_version);

// The derived version of this build, computed once per process.
const std::string& module_version();

}  // namespace velmor::py
