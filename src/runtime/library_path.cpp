#include "library_path.hpp"

#include <sys/stat.h>

#include <cstdlib>
#include <exception>
#include <mutex>

#include "core/internal_failure.hpp"
#include "utf8.hpp"

#ifndef VELMOR_RUNTIME_SOURCE_DIR
#error "VELMOR_RUNTIME_SOURCE_DIR must name the binding's source directory"
#endif

namespace fs = std::filesystem;

namespace velmor::runtime {
namespace {

std::optional<fs::path> first_existing(const std::vector<fs::path>& candidates, const LibrarySearch& search) {
    for (const auto& candidate : candidates) {
        if (search.exists(candidate)) return candidate;
    }
    return std::nullopt;
}

// D/lib, D/deps/lib, U/deps/lib, U/lib/lib, then A/geokern_bin/<platform>/lib for every ancestor A of D.
std::vector<fs::path> executable_candidates(const fs::path& directory) {
    std::vector<fs::path> candidates = {directory / library_file_name, directory / "deps" / library_file_name};
    if (directory.has_relative_path() && directory.has_parent_path()) {
        const fs::path up = directory.parent_path();
        candidates.push_back(up / "deps" / library_file_name);
        candidates.push_back(up / "lib" / library_file_name);
    }
    for (fs::path ancestor = directory;; ancestor = ancestor.parent_path()) {
        candidates.push_back(ancestor / "geokern_bin" / platform_directory_name / library_file_name);
        if (!ancestor.has_relative_path()) break;
    }
    return candidates;
}

std::vector<fs::path> source_candidates(const fs::path& source_directory) {
    std::vector<fs::path> candidates;
    for (fs::path ancestor = source_directory;; ancestor = ancestor.parent_path()) {
        candidates.push_back(ancestor / "geokern_bin" / platform_directory_name / library_file_name);
        if (!ancestor.has_relative_path()) break;
    }
    return candidates;
}

struct Override {
    std::mutex mutex;
    bool poisoned = false;
    std::optional<std::string> path;
};

Override& override_cell() {
    static Override cell;
    return cell;
}

// Holds the override's mutex; a holder that leaves by an exception poisons it for everybody after.
class OverrideLock {
public:
    OverrideLock() : cell_(override_cell()), lock_(cell_.mutex), exceptions_(std::uncaught_exceptions()) {
        if (cell_.poisoned) core::internal_failure("Failed to acquire lock on GEOMETRY_LIB_PATH");
    }
    ~OverrideLock() {
        if (std::uncaught_exceptions() > exceptions_) cell_.poisoned = true;
    }
    OverrideLock(const OverrideLock&) = delete;
    OverrideLock& operator=(const OverrideLock&) = delete;
    std::optional<std::string>& path() { return cell_.path; }

private:
    Override& cell_;
    std::lock_guard<std::mutex> lock_;
    int exceptions_;
};

std::optional<fs::path> executable_path() {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    return path;
}

}  // namespace

bool path_exists(const fs::path& path) {
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0;
}

std::string resolve_library_path(const LibrarySearch& search) {
    if (search.override_path) return *search.override_path;
    if (search.environment_value && is_valid_utf8(*search.environment_value) &&
        search.exists(fs::path(*search.environment_value))) {
        return *search.environment_value;
    }
    if (search.executable && search.executable->has_parent_path()) {
        if (auto found = first_existing(executable_candidates(search.executable->parent_path()), search)) {
            return found->string();
        }
    }
    if (auto found = first_existing(source_candidates(search.source_directory), search)) return found->string();
    return library_file_name;
}

std::string resolve_library_path() {
    LibrarySearch search;
    search.override_path = library_path_override();
    if (const char* value = std::getenv(library_path_variable)) search.environment_value = value;
    search.executable = executable_path();
    search.source_directory = VELMOR_RUNTIME_SOURCE_DIR;
    search.exists = path_exists;
    return resolve_library_path(search);
}

void set_library_path_override(std::string path) {
    OverrideLock lock;
    lock.path() = std::move(path);
}

std::optional<std::string> library_path_override() {
    OverrideLock lock;
    return lock.path();
}

}  // namespace velmor::runtime
