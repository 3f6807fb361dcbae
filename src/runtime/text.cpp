#include "text.hpp"

#include "core/internal_failure.hpp"
#include "error_capture.hpp"
#include "utf8.hpp"

namespace velmor::runtime {
namespace {

// Says where the first NUL sits, e.g. "NUL byte at offset 2 of \"ab\\0c\"".
std::string describe_nul(std::string_view text) {
    return "NUL byte at offset " + std::to_string(text.find('\0')) + " of " + quoted_text(text);
}

}  // namespace

std::string text_from_string(GK_StringHandle string) {
    if (string == nullptr) return {};
    const FunctionTable& gk = functions();
    ErrorSlot slot;
    const GK_ByteArray bytes = gk.String_getByteArray(string, slot.handler());
    if (auto error = slot.take()) {
        core::internal_failure("Internal error: Failed to get byte array from String handle: " + error->debug());
    }
    std::string text(reinterpret_cast<const char*>(bytes.data), bytes.size);
    gk.String_destroy(string, slot.handler());
    if (auto error = slot.take()) {
        core::internal_failure("Internal error: Failed to destroy String handle: " + error->debug());
    }
    return text;
}

std::string path_to_c_text(const std::filesystem::path& path) {
    const std::string& text = path.native();
    if (!is_valid_utf8(text)) core::internal_failure("Internal error: Path is not valid UTF-8");
    if (text.find('\0') != std::string::npos) {
        core::internal_failure("Internal error: Path contains interior nulls: " + describe_nul(text));
    }
    return text;
}

std::string text_to_c_text(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        core::internal_failure("Failed to convert string to CString: " + describe_nul(text));
    }
    return std::string(text);
}

}  // namespace velmor::runtime
