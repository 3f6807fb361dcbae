#pragma once

#include <gtest/gtest.h>

#include "runtime/function_table.hpp"
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

// The runtime core makes no other kind of segment than lines, elliptic arcs and Bezier curves; while
// this guard lives, the table entry that reports the kind is swapped for one reporting an unknown kind.
class UnknownSegmentKind {
  public:
    UnknownSegmentKind()
        : table_(const_cast<runtime::FunctionTable&>(runtime::functions())),
          saved_(table_.Segment_getObjectType) {
        table_.Segment_getObjectType = [](GK_SegmentHandle, const GK_ErrorHandler*) {
            return GK_SegmentType{9};
        };
    }
    ~UnknownSegmentKind() { table_.Segment_getObjectType = saved_; }
    UnknownSegmentKind(const UnknownSegmentKind&) = delete;
    UnknownSegmentKind& operator=(const UnknownSegmentKind&) = delete;

  private:
    runtime::FunctionTable& table_;
    decltype(runtime::FunctionTable::Segment_getObjectType) saved_;
};

}  // namespace velmor::test
