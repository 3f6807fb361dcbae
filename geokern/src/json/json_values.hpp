#pragma once

#include <rapidjson/document.h>

#include <cstdint>

#include "json/json_location.hpp"

namespace geokern {

// A coordinate or measure: a JSON number, null (missing: NaN), or one of the strings "NaN",
// "Infinity" and "-Infinity" that JSON writers without non-finite numbers use.
double read_number(const rapidjson::Value& value, const JsonLocation& where);

// A flag: true/false, or the integers 1/0 that some writers use for booleans.
bool read_flag(const rapidjson::Value& value, const JsonLocation& where);

// The member's value, or null when the object has no such member.
const rapidjson::Value* find_member(const rapidjson::Value& object, const char* key);

// The member must be an array (or absent: null).
const rapidjson::Value* find_array(const rapidjson::Value& object, const char* key, const JsonLocation& where);

// The value must be an array / an object.
void require_array(const rapidjson::Value& value, const JsonLocation& where, const char* what);
void require_object(const rapidjson::Value& value, const JsonLocation& where, const char* what);

// A well-known identifier: an integer from 1 to 2147483647; null or absent reads as 0 (none).
int32_t read_identifier(const rapidjson::Value& object, const char* key, const JsonLocation& where);

}  // namespace geokern
