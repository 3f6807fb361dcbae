#include "bundled_proj_data.hpp"

#include <cstdlib>
#include <system_error>

#include "install_directory.hpp"

namespace geokern {

namespace {

bool set_and_not_empty(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool proj_data_chosen_by_user() { return set_and_not_empty("PROJ_DATA") || set_and_not_empty("PROJ_LIB"); }

std::optional<std::filesystem::path> bundled_proj_data(const std::filesystem::path& library_directory) {
    const std::filesystem::path directory = library_directory / bundled_proj_data_subdirectory;
    std::error_code error;
    if (!std::filesystem::is_regular_file(directory / "proj.db", error)) return std::nullopt;
    return directory;
}

std::optional<std::filesystem::path> default_projection_engine_directory() {
    if (proj_data_chosen_by_user()) return std::nullopt;
    return bundled_proj_data(install_directory());
}

}  // namespace geokern
