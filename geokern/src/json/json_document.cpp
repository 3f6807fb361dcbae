#include "json/json_document.hpp"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <charconv>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "failure.hpp"

namespace geokern {
namespace {

// Forwards every event to the document and stops the parse once nesting passes the bound.
class DepthBound {
  public:
    explicit DepthBound(rapidjson::Document& document) : document_(document) {}

    bool Null() { return document_.Null(); }
    bool Bool(bool value) { return document_.Bool(value); }
    bool Int(int value) { return document_.Int(value); }
    bool Uint(unsigned value) { return document_.Uint(value); }
    bool Int64(int64_t value) { return document_.Int64(value); }
    bool Uint64(uint64_t value) { return document_.Uint64(value); }
    bool Double(double value) { return document_.Double(value); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        if (is_integer(text, length)) {
            int64_t integer = 0;
            if (std::from_chars(text, text + length, integer).ec == std::errc()) return document_.Int64(integer);
        }
        double value = 0;
        if (std::from_chars(text, text + length, value).ec != std::errc()) {
            out_of_range_ = true;
            return false;
        }
        return document_.Double(value);
    }
    bool String(const char* text, rapidjson::SizeType length, bool copy) {
        return document_.String(text, length, copy);
    }
    bool Key(const char* text, rapidjson::SizeType length, bool copy) { return document_.Key(text, length, copy); }
    bool StartObject() { return enter() && document_.StartObject(); }
    bool EndObject(rapidjson::SizeType members) {
        --depth_;
        return document_.EndObject(members);
    }
    bool StartArray() { return enter() && document_.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) {
        --depth_;
        return document_.EndArray(elements);
    }
    bool too_deep() const { return too_deep_; }
    bool out_of_range() const { return out_of_range_; }

  private:
    // Digits with an optional minus, except "-0", which keeps its sign only as a double.
    static bool is_integer(const char* text, rapidjson::SizeType length) {
        const std::string_view number(text, length);
        if (number == "-0") return false;
        const std::string_view digits = number.starts_with('-') ? number.substr(1) : number;
        return !digits.empty() && std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; });
    }

    bool enter() {
        if (++depth_ > max_json_depth) too_deep_ = true;
        return !too_deep_;
    }

    rapidjson::Document& document_;
    unsigned depth_ = 0;
    bool too_deep_ = false;
    bool out_of_range_ = false;
};

struct BoundedParse {
    char* text;
    rapidjson::CrtAllocator* heap;
    rapidjson::ParseResult result;
    bool too_deep = false;
    bool out_of_range = false;

    bool operator()(rapidjson::Document& document) {
        rapidjson::InsituStringStream bytes(text);
        rapidjson::Reader reader(heap);
        DepthBound bound(document);
        result = reader.Parse<json_parse_flags>(bytes, bound);
        too_deep = bound.too_deep();
        out_of_range = bound.out_of_range();
        return !result.IsError();
    }
};

// RapidJSON's own defaults.
constexpr size_t pool_block_bytes = 64 * 1024;
constexpr size_t document_stack_bytes = 1024;

}  // namespace

// The parser writes into the copy: unescaped strings in place, and the ends of keys and strings.
char* JsonDocument::copy_text(std::string_view text) {
    char* copy = static_cast<char*>(pool_.Malloc(text.size() + 1));
    if (copy == nullptr) throw std::bad_alloc();
    text.copy(copy, text.size());
    copy[text.size()] = '\0';
    return copy;
}

JsonDocument::JsonDocument(std::string_view text)
    : pool_(inline_pool_.data(), inline_pool_.size(), pool_block_bytes, &heap_),
      document_(&pool_, document_stack_bytes, &heap_) {
    BoundedParse parse{copy_text(text), &heap_, {}, false, false};
    document_.Populate(parse);
    if (!parse.result.IsError()) return;
    std::string what = parse.too_deep       ? "nesting deeper than " + std::to_string(max_json_depth) + " levels"
                       : parse.out_of_range ? std::string("a number beyond the range of a double.")
                                            : rapidjson::GetParseError_En(parse.result.Code());
    fail(GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
         "JSON at offset " + std::to_string(parse.result.Offset()) + ": " + what);
}

}  // namespace geokern
