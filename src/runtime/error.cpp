#include "error.hpp"

#include <cstdio>
#include <optional>

#include "upper_case.hpp"

namespace velmor::runtime {
namespace {

std::optional<std::string> normalized(std::string_view text) {
    const auto end = text.find_last_not_of('.');
    if (end == std::string_view::npos) return std::nullopt;
    return upper_case_first(text.substr(0, end + 1));
}

}  // namespace

std::string quoted_text(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escaped[16];
                    std::snprintf(escaped, sizeof escaped, "\\u{%x}", byte);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string Error::display() const {
    const auto message = normalized(msg);
    const auto additional = normalized(additional_msg);
    if (message && additional) return *message + ": " + *additional;
    if (message) return *message;
    if (additional) return *additional;
    return "No error message found";
}

std::string Error::debug() const {
    return "Error { code: " + std::to_string(code) + ", msg: " + quoted_text(msg) +
           ", additional_msg: " + quoted_text(additional_msg) + " }";
}

core::NativeError to_native_error(const Error& error) { return core::NativeError::geokern(error.display()); }

Error conversion_error(std::string_view source_type, std::string_view target_type) {
    return Error{100000, "Conversion between types failed.",
                 "Tried to convert from " + std::string(source_type) + " to " + std::string(target_type) + "."};
}

}  // namespace velmor::runtime
