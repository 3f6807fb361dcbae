#include "library_probe.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "environment.hpp"
#include "function_table.hpp"
#include "library_path.hpp"

namespace velmor::runtime {

void write_stdout_line(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::expected<void, std::string> load_from_path(const std::string& path) {
    struct stat info{};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return std::unexpected("Could not find dynamic library at " + path);
        }
        return std::unexpected(std::string(std::strerror(errno)));
    }
    set_library_path_override(path);
    functions();
    ensure_environment();
    return {};
}

void probe_prefix(std::string_view prefix) {
    // A forward slash whatever separator the prefix uses.
    const std::string candidate = std::string(prefix) + "/" + library_file_name;
    struct stat info{};
    if (::stat(candidate.c_str(), &info) != 0) {
        write_stdout_line("Warning: was unable to find geokern lib in sys.prefix.\n Path: " + candidate);
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        write_stdout_line("Warning: geokern lib at " + candidate + " was not a file");
        return;
    }
    if (auto loaded = load_from_path(candidate); !loaded) {
        write_stdout_line("Warning: Failed to load geokern lib at " + candidate + ": " + loaded.error());
    }
}

}  // namespace velmor::runtime
