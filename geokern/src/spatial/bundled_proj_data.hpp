#pragma once

#include <filesystem>
#include <optional>

namespace geokern {

// Where a self-contained installation keeps PROJ's data, relative to the directory of this library.
inline const std::filesystem::path bundled_proj_data_subdirectory = "share/geokern/proj";

// True when the user has chosen PROJ's data directory through PROJ's own environment variables
// (PROJ_DATA, or PROJ_LIB before it), which then win over any data travelling with this library.
bool proj_data_chosen_by_user();

// The data directory travelling with this library, below `library_directory`, when it holds PROJ's
// database; otherwise none.
std::optional<std::filesystem::path> bundled_proj_data(const std::filesystem::path& library_directory);

// The projection engine directory a process starts with: the bundled data, unless the user chose PROJ's
// data directory.
std::optional<std::filesystem::path> default_projection_engine_directory();

}  // namespace geokern
