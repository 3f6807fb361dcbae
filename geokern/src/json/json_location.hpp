#pragma once

#include <rapidjson/document.h>

#include <cstdint>
#include <string>

#include "failure.hpp"

namespace geokern {

// Where a value sits in the text, as a chain of member keys and array indices ("rings[0][2]"). It lives
// on the stack of the reader and is only spelled out when something is wrong, so reading costs nothing.
struct JsonLocation {
    const JsonLocation* parent = nullptr;
    const char* key = nullptr;  // a member, or null for an array element
    int64_t index = 0;

    JsonLocation member(const char* name) const { return JsonLocation{this, name, 0}; }
    JsonLocation element(int64_t position) const { return JsonLocation{this, nullptr, position}; }
    std::string text() const;
};

// A refusal that already names its place in the text; other failures met while reading get one.
struct JsonRefusal : Failure {};

// An invalid argument naming the place: "JSON rings[0][2]: " + what.
[[noreturn]] void refuse_json(const JsonLocation& where, const std::string& what);

// The JSON type of a value, for messages: "a string", "an array", ...
const char* json_type_name(const rapidjson::Value& value);

}  // namespace geokern
