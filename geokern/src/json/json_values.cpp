#include "json/json_values.hpp"

#include <cstring>
#include <limits>
#include <string>

#include "geometry/vertex.hpp"

namespace geokern {
namespace {

bool named_number(const rapidjson::Value& value, double& result) {
    const char* text = value.GetString();
    if (std::strcmp(text, "NaN") == 0) {
        result = nan_value;
    } else if (std::strcmp(text, "Infinity") == 0) {
        result = std::numeric_limits<double>::infinity();
    } else if (std::strcmp(text, "-Infinity") == 0) {
        result = -std::numeric_limits<double>::infinity();
    } else {
        return false;
    }
    return true;
}

}  // namespace

double read_number(const rapidjson::Value& value, const JsonLocation& where) {
    if (value.IsNumber()) return value.GetDouble();
    if (value.IsNull()) return nan_value;
    double named = 0;
    if (value.IsString() && named_number(value, named)) return named;
    refuse_json(where, std::string("expected a number, got ") + json_type_name(value));
}

bool read_flag(const rapidjson::Value& value, const JsonLocation& where) {
    if (value.IsBool()) return value.GetBool();
    if (value.IsInt() && (value.GetInt() == 0 || value.GetInt() == 1)) return value.GetInt() == 1;
    refuse_json(where, std::string("expected true, false, 0 or 1, got ") + json_type_name(value));
}

const rapidjson::Value* find_member(const rapidjson::Value& object, const char* key) {
    auto found = object.FindMember(key);
    return found == object.MemberEnd() ? nullptr : &found->value;
}

const rapidjson::Value* find_array(const rapidjson::Value& object, const char* key, const JsonLocation& where) {
    const rapidjson::Value* value = find_member(object, key);
    if (value != nullptr) require_array(*value, where.member(key), "an array");
    return value;
}

void require_array(const rapidjson::Value& value, const JsonLocation& where, const char* what) {
    if (!value.IsArray()) refuse_json(where, std::string("expected ") + what + ", got " + json_type_name(value));
}

void require_object(const rapidjson::Value& value, const JsonLocation& where, const char* what) {
    if (!value.IsObject()) refuse_json(where, std::string("expected ") + what + ", got " + json_type_name(value));
}

int32_t read_identifier(const rapidjson::Value& object, const char* key, const JsonLocation& where) {
    const rapidjson::Value* value = find_member(object, key);
    if (value == nullptr || value->IsNull()) return 0;
    if (value->IsInt() && value->GetInt() > 0) return value->GetInt();
    if (value->IsNumber()) refuse_json(where.member(key), "a well-known identifier must be an integer from 1 to 2147483647");
    refuse_json(where.member(key), std::string("expected an integer identifier, got ") + json_type_name(*value));
}

}  // namespace geokern
