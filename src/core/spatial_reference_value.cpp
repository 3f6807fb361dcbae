#include "spatial_reference_value.hpp"

#include <string_view>
#include <type_traits>

#include "json_object_writer.hpp"

namespace velmor::core {
namespace {

void append_json_string(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    // Non-ASCII bytes pass unchanged: the text is UTF-8 and stays so.
                    out += c;
                }
        }
    }
    out += '"';
}

template <class T>
void append_member(JsonObjectWriter& object, std::string_view key, const std::optional<T>& value) {
    if (!value) return;
    if constexpr (std::is_same_v<T, std::string>) {
        append_json_string(object.key(key), *value);
    } else {
        object.key(key) += std::to_string(*value);
    }
}

}  // namespace

void append_compact_json(std::string& out, const SpatialReference& value) {
    JsonObjectWriter object(out, ",", ":");
    append_member(object, "wkid", value.wkid);
    append_member(object, "latestWkid", value.latest_wkid);
    append_member(object, "vcsWkid", value.vcs_wkid);
    append_member(object, "latestVcsWkid", value.latest_vcs_wkid);
    append_member(object, "wkt", value.wkt);
    append_member(object, "wkt2", value.wkt2);
    object.close();
}

std::string compact_json(const SpatialReference& value) {
    std::string out;
    append_compact_json(out, value);
    return out;
}

}  // namespace velmor::core
