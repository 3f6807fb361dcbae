// Dropping a runtime owner never throws: a handle the runtime core fails to release is reported on
// standard error, while an explicit reset reports it as an internal failure.
#include <gtest/gtest.h>

#include <vector>

#include "convert_test_support.hpp"
#include "core/internal_failure.hpp"
#include "runtime/owned.hpp"

namespace velmor::test {
namespace {

// While this guard lives, releasing a geometry releases it and then reports an error.
class FailingGeometryRelease {
  public:
    FailingGeometryRelease()
        : table_(const_cast<runtime::FunctionTable&>(runtime::functions())), saved_(table_.Geometry_destroy) {
        real_ = saved_;
        table_.Geometry_destroy = [](GK_GeometryHandle geometry, const GK_ErrorHandler* handler) {
            real_(geometry, handler);
            // A getter handed a null handle reports an error through the same handler.
            GK_GeometryHandle none = nullptr;
            runtime::functions().Geometry_getIsEmpty(none, handler);
        };
    }
    ~FailingGeometryRelease() { table_.Geometry_destroy = saved_; }
    FailingGeometryRelease(const FailingGeometryRelease&) = delete;
    FailingGeometryRelease& operator=(const FailingGeometryRelease&) = delete;

  private:
    runtime::FunctionTable& table_;
    decltype(runtime::FunctionTable::Geometry_destroy) saved_;
    static inline decltype(runtime::FunctionTable::Geometry_destroy) real_ = nullptr;
};

class OwnedReleaseTest : public WithGeokern {
  protected:
    runtime::GeometryOwned point() {
        return runtime::GeometryOwned::take(runtime::functions().Point_createWithXY(1, 2, nullptr));
    }
};

TEST_F(OwnedReleaseTest, DroppingAnOwnerReportsAFailedReleaseOnStandardError) {
    FailingGeometryRelease failing;
    testing::internal::CaptureStderr();
    EXPECT_NO_THROW({
        std::vector<runtime::GeometryOwned> owners;
        owners.push_back(point());
        owners.push_back(point());
        owners[0] = point();  // move assignment drops the first point
    });
    const std::string written = testing::internal::GetCapturedStderr();
    const std::string expected = "Internal error: Unexpected error while destroying internal handle to GeometryOwned";
    size_t reports = 0;
    for (size_t at = written.find(expected); at != std::string::npos; at = written.find(expected, at + 1)) ++reports;
    EXPECT_EQ(reports, 3u) << written;
}

TEST_F(OwnedReleaseTest, AnExplicitResetReportsAnInternalFailure) {
    auto owner = point();
    FailingGeometryRelease failing;
    EXPECT_THROW(owner.reset(), core::InternalFailure);
    EXPECT_EQ(owner.get(), nullptr);
}

}  // namespace
}  // namespace velmor::test
