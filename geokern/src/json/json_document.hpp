#pragma once

#include <rapidjson/document.h>

#include <array>
#include <string_view>

namespace geokern {

// Nesting deeper than this is refused while parsing: no geometry needs more than six levels, and a
// bound keeps hostile input from exhausting the stack or the memory of the tree.
inline constexpr unsigned max_json_depth = 32;

// Accepted beyond strict JSON: the bare tokens NaN, Infinity and -Infinity that some writers emit for
// missing coordinates. Numbers come as their digits and are converted here, to the nearest double, so
// that written digits read back exactly (RapidJSON's own conversion is either approximate or, in its
// exact mode, trips over inputs such as 0e154). The text is parsed in place, in a copy the document
// owns: its strings and number digits are then read where they lie instead of being copied one
// character at a time onto the parser's stack, which dominated the time of reading large geometries.
inline constexpr unsigned json_parse_flags = rapidjson::kParseNanAndInfFlag | rapidjson::kParseIterativeFlag |
                                             rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseInsituFlag;

// The whole text as one JSON value. Malformed or too deeply nested text, and numbers beyond the range
// of a double, are invalid arguments whose message names the byte offset of the fault.
// The copy of the text and the tree live in one memory pool whose first block is part of the object:
// reading a small geometry then asks the heap for no more than the parser's stacks.
class JsonDocument {
  public:
    explicit JsonDocument(std::string_view text);
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    const rapidjson::Value& root() const { return document_; }

  private:
    static constexpr size_t inline_pool_bytes = 2048;

    char* copy_text(std::string_view text);

    alignas(8) std::array<char, inline_pool_bytes> inline_pool_;
    rapidjson::CrtAllocator heap_;  // for the parser's stacks and the pool's further blocks
    rapidjson::MemoryPoolAllocator<> pool_;
    rapidjson::Document document_;
};

}  // namespace geokern
