#pragma once

#include <expected>
#include <string>
#include <string_view>

namespace velmor::runtime {

// Loads the library from `path` now: sets the override, fills the function table and sets the
// environment up. The error is the text of an I/O failure (the path does not exist, or cannot be
// checked); a library that is there but cannot be loaded is an internal failure.
std::expected<void, std::string> load_from_path(const std::string& path);

// The import-time probe for a library at <prefix>/libgeokern.so. Every outcome but a broken library is
// a warning on the process's standard output.
void probe_prefix(std::string_view prefix);

// Writes a line to the process's standard output directly (not through the interpreter's sys.stdout).
void write_stdout_line(std::string_view line);

}  // namespace velmor::runtime
