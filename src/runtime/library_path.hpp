#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace velmor::runtime {

inline constexpr const char* library_file_name = "libgeokern.so";
inline constexpr const char* platform_directory_name = "linux-x86_64";
inline constexpr const char* library_path_variable = "GEOMETRY_LIB_PATH";

// Everything the search looks at, so the search itself is a pure function.
struct LibrarySearch {
    std::optional<std::string> override_path;
    // GEOMETRY_LIB_PATH as read from the environment (any bytes).
    std::optional<std::string> environment_value;
    std::optional<std::filesystem::path> executable;
    std::filesystem::path source_directory;
    // A path exists when its metadata can be read (following symbolic links).
    std::function<bool(const std::filesystem::path&)> exists;
};

// The library file to load: the override; GEOMETRY_LIB_PATH when it is UTF-8 and exists; the places
// around the executable; geokern_bin/linux-x86_64 under the build-time source directory and its
// ancestors; else the bare file name, left to the system's search.
std::string resolve_library_path(const LibrarySearch& search);

// The same with this process's override, environment, executable and file system.
std::string resolve_library_path();

// The override set by the import-time probe; its mutex is poisoned when a holder failed while holding it.
void set_library_path_override(std::string path);
std::optional<std::string> library_path_override();

bool path_exists(const std::filesystem::path& path);

}  // namespace velmor::runtime
