#include "json/json_location.hpp"

namespace geokern {

std::string JsonLocation::text() const {
    if (parent == nullptr) return key != nullptr ? key : "";
    std::string before = parent->text();
    if (key == nullptr) return before + "[" + std::to_string(index) + "]";
    return before.empty() ? std::string(key) : before + "." + key;
}

void refuse_json(const JsonLocation& where, const std::string& what) {
    std::string place = where.text();
    // Messages passed on from elsewhere in the library already end their sentence.
    const char* stop = !what.empty() && what.back() == '.' ? "" : ".";
    throw JsonRefusal{{GK_ERROR_INVALID_ARGUMENT, "invalid argument.",
                       "JSON " + (place.empty() ? std::string("text") : place) + ": " + what + stop}};
}

const char* json_type_name(const rapidjson::Value& value) {
    switch (value.GetType()) {
        case rapidjson::kNullType:
            return "null";
        case rapidjson::kFalseType:
        case rapidjson::kTrueType:
            return "a boolean";
        case rapidjson::kObjectType:
            return "an object";
        case rapidjson::kArrayType:
            return "an array";
        case rapidjson::kStringType:
            return "a string";
        default:
            return "a number";
    }
}

}  // namespace geokern
