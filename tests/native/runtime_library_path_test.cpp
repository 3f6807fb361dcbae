// The search order for the runtime core library, as a pure function of its inputs.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "runtime/library_path.hpp"
#include "runtime/utf8.hpp"

namespace velmor::runtime {
namespace {

// A file system in which exactly the given paths exist.
LibrarySearch search_with(std::set<std::string> existing) {
    LibrarySearch search;
    search.executable = "/opt/py/bin/python3";
    search.source_directory = "/src/velmor/src/runtime";
    search.exists = [existing = std::move(existing)](const std::filesystem::path& path) {
        return existing.contains(path.string());
    };
    return search;
}

TEST(LibraryPath, OverrideWinsWithoutBeingChecked) {
    auto search = search_with({"/env/libgeokern.so", "/opt/py/bin/libgeokern.so"});
    search.override_path = "/prefix/libgeokern.so";
    search.environment_value = "/env/libgeokern.so";
    EXPECT_EQ(resolve_library_path(search), "/prefix/libgeokern.so");
}

TEST(LibraryPath, EnvironmentVariableOnlyWhenItExistsAndIsUtf8) {
    auto search = search_with({"/env/libgeokern.so", "/env/dir", "/opt/py/bin/libgeokern.so"});
    search.environment_value = "/env/libgeokern.so";
    EXPECT_EQ(resolve_library_path(search), "/env/libgeokern.so");
    search.environment_value = "/env/dir";  // a directory exists too
    EXPECT_EQ(resolve_library_path(search), "/env/dir");
    search.environment_value = "/env/missing.so";
    EXPECT_EQ(resolve_library_path(search), "/opt/py/bin/libgeokern.so");
    search.environment_value = "/env/\xff.so";
    EXPECT_EQ(resolve_library_path(search), "/opt/py/bin/libgeokern.so");
}

TEST(LibraryPath, CandidatesAroundTheExecutableInOrder) {
    const std::string candidates[] = {
        "/opt/py/bin/libgeokern.so",
        "/opt/py/bin/deps/libgeokern.so",
        "/opt/py/deps/libgeokern.so",
        "/opt/py/lib/libgeokern.so",
        "/opt/py/bin/geokern_bin/linux-x86_64/libgeokern.so",
        "/opt/py/geokern_bin/linux-x86_64/libgeokern.so",
        "/opt/geokern_bin/linux-x86_64/libgeokern.so",
        "/geokern_bin/linux-x86_64/libgeokern.so",
        "/src/velmor/src/runtime/geokern_bin/linux-x86_64/libgeokern.so",
        "/src/velmor/geokern_bin/linux-x86_64/libgeokern.so",
    };
    // Each candidate wins once every candidate before it is gone.
    std::set<std::string> existing(std::begin(candidates), std::end(candidates));
    for (const auto& expected : candidates) {
        EXPECT_EQ(resolve_library_path(search_with(existing)), expected);
        existing.erase(expected);
    }
    EXPECT_EQ(resolve_library_path(search_with(existing)), "libgeokern.so");
}

TEST(LibraryPath, SourceDirectoryAncestorsWhenTheExecutableIsUnknown) {
    auto search = search_with({"/src/geokern_bin/linux-x86_64/libgeokern.so"});
    search.executable.reset();
    EXPECT_EQ(resolve_library_path(search), "/src/geokern_bin/linux-x86_64/libgeokern.so");
}

TEST(LibraryPath, BareNameWhenNothingExists) {
    EXPECT_EQ(resolve_library_path(search_with({})), "libgeokern.so");
}

TEST(LibraryPath, Utf8Check) {
    EXPECT_TRUE(is_valid_utf8("/home/zoë/ß"));
    EXPECT_FALSE(is_valid_utf8("\xed\xa0\x80"));  // surrogate
    EXPECT_FALSE(is_valid_utf8("\xc0\xaf"));      // overlong
    EXPECT_FALSE(is_valid_utf8("\xe2\x82"));      // truncated
}

}  // namespace
}  // namespace velmor::runtime
