#include "version.hpp"

namespace velmor::py {
namespace {

void replace_all(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

std::string python_version_text(std::string_view package_version) {
    std::string text(package_version);
    replace_all(text, "-alpha", "a");
    replace_all(text, "-beta", "b");
    replace_all(text, "-rc", "rc");
    return text;
}

const std::string& module_version() {
    static const std::string version = python_version_text(VELMOR_PACKAGE_VERSION);
    return version;
}

}  // namespace velmor::py
