// Loading the runtime core library: a failed load leaves the function table empty and the next
// operation tries again. Runs in a fresh child process, as the table is filled once per process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/internal_failure.hpp"
#include "runtime/function_table.hpp"
#include "runtime/library_path.hpp"

namespace velmor::runtime {
namespace {

void fail_then_load() {
    set_library_path_override("/nonexistent/libgeokern.so");
    try {
        functions();
        std::exit(1);
    } catch (const core::InternalFailure& failure) {
        const std::string expected = "Failed to load geokern library at /nonexistent/libgeokern.so: Could not open library: ";
        if (std::string(failure.what()).rfind(expected, 0) != 0) std::exit(2);
    }
    set_library_path_override(VELMOR_TEST_GEOKERN_PATH);
    const FunctionTable& table = functions();
    if (table.library == nullptr || table.Vector_removeAll == nullptr) std::exit(3);
    if (&functions() != &table) std::exit(4);
    std::exit(0);
}

TEST(RuntimeLoading, FailedLoadLeavesTheTableEmptyAndIsRetried) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(fail_then_load(), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace velmor::runtime
