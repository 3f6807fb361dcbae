#pragma once

#include <gtest/gtest.h>

#include "runtime/library_probe.hpp"

namespace velmor::test {

// Suites that convert against the library built alongside them.
class WithGeokern : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        auto loaded = runtime::load_from_path(VELMOR_TEST_GEOKERN_PATH);
        ASSERT_TRUE(loaded.has_value()) << loaded.error();
    }
};

}  // namespace velmor::test
