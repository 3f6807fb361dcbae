#pragma once

#include <string>
#include <string_view>

namespace velmor::runtime {

// The text with its first character replaced by its full Unicode upper-case mapping, which may be
// several characters ("ß" becomes "SS"). Text that does not start with a well-formed UTF-8 character
// is returned unchanged.
std::string upper_case_first(std::string_view text);

}  // namespace velmor::runtime
