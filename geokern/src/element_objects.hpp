#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "element_value.hpp"

namespace geokern {

// The two element kinds that only carry data between caller and library: a block of bytes, and a
// dictionary of named values. Elements hold and hand them back by shared reference.
struct BufferValue {
    std::vector<uint8_t> bytes;
};
struct DictionaryValue {
    std::vector<std::pair<std::string, Value>> entries;
};
GEOKERN_HANDLE_VALUE(GK_BufferHandle, BufferValue, "buffer");
GEOKERN_HANDLE_VALUE(GK_DictionaryHandle, DictionaryValue, "dictionary");

}  // namespace geokern
