#pragma once

#include <string>
#include <string_view>

namespace velmor::core {

// Appends a JSON object member by member: "{", then each "\"key\"" + key separator + value, the
// members joined by the member separator, then "}" on close(). OvraJSON text uses ", " and ": ";
// the compact spatial reference object uses "," and ":".
class JsonObjectWriter {
public:
    JsonObjectWriter(std::string& out, std::string_view member_separator, std::string_view key_separator)
        : out_(out), member_separator_(member_separator), key_separator_(key_separator) {
        out_ += '{';
    }

    // Starts a member and returns the buffer to append its value to.
    std::string& key(std::string_view name) {
        if (!first_) out_ += member_separator_;
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += '"';
        out_ += key_separator_;
        return out_;
    }

    void close() { out_ += '}'; }

private:
    std::string& out_;
    std::string_view member_separator_;
    std::string_view key_separator_;
    bool first_ = true;
};

}  // namespace velmor::core
