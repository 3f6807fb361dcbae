#include "spatial_reference_value.hpp"

#include <string_view>

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

// Writes "key":value with a bare comma before every member but the first.
class CompactObject {
public:
    explicit CompactObject(std::string& out) : out_(out) { out_ += '{'; }
    void close() { out_ += '}'; }

    void member(std::string_view key, const std::optional<std::uint32_t>& value) {
        if (value) append_key(key) += std::to_string(*value);
    }
    void member(std::string_view key, const std::optional<std::string>& value) {
        if (value) append_json_string(append_key(key), *value);
    }

private:
    std::string& append_key(std::string_view key) {
        if (!first_) out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += key;
        out_ += "\":";
        return out_;
    }

    std::string& out_;
    bool first_ = true;
};

}  // namespace

void append_compact_json(std::string& out, const SpatialReference& value) {
    CompactObject object(out);
    object.member("wkid", value.wkid);
    object.member("latestWkid", value.latest_wkid);
    object.member("vcsWkid", value.vcs_wkid);
    object.member("latestVcsWkid", value.latest_vcs_wkid);
    object.member("wkt", value.wkt);
    object.member("wkt2", value.wkt2);
    object.close();
}

std::string compact_json(const SpatialReference& value) {
    std::string out;
    append_compact_json(out, value);
    return out;
}

}  // namespace velmor::core
