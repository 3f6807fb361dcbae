// Shared by the geometry tests: owners that release handles, and a fixture that captures errors and
// checks that every handle made in a test is released.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "handle.hpp"
#include "interface.hpp"

namespace geometry_test {

template <class Handle, void (*Destroy)(Handle, const GK_ErrorHandler*)>
class Owned {
  public:
    explicit Owned(Handle handle = nullptr) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    ~Owned() {
        if (handle_ != nullptr) Destroy(handle_, nullptr);
    }
    operator Handle() const { return handle_; }
    Handle get() const { return handle_; }

  private:
    Handle handle_;
};

using Geometry = Owned<GK_GeometryHandle, GK_Geometry_destroy>;
using Segment = Owned<GK_SegmentHandle, GK_Segment_destroy>;
using MutablePart = Owned<GK_MutablePartHandle, GK_MutablePart_destroy>;
using ImmutablePart = Owned<GK_ImmutablePartHandle, GK_ImmutablePart_destroy>;
using PartCollection = Owned<GK_MutablePartCollectionHandle, GK_MutablePartCollection_destroy>;
using ImmutableParts = Owned<GK_ImmutablePartCollectionHandle, GK_ImmutablePartCollection_destroy>;
using PointCollection = Owned<GK_MutablePointCollectionHandle, GK_MutablePointCollection_destroy>;
using ImmutablePoints = Owned<GK_ImmutablePointCollectionHandle, GK_ImmutablePointCollection_destroy>;
using Builder = Owned<GK_GeometryBuilderHandle, GK_GeometryBuilder_destroy>;

struct Captured {
    std::vector<int32_t> codes;
    std::vector<std::string> messages;
};

inline void capture(void* user, GK_ErrorHandle error) {
    auto* captured = static_cast<Captured*>(user);
    captured->codes.push_back(GK_Error_getCode(error, nullptr));
    GK_StringHandle text = GK_Error_getAdditionalMessage(error, nullptr);
    captured->messages.emplace_back(GK_String_cStr(text, nullptr));
    GK_String_destroy(text, nullptr);
    GK_Error_destroy(error, nullptr);
}

class GeometryTest : public ::testing::Test {
  protected:
    void SetUp() override { alive_before_ = geokern::live_handle_count(); }
    void TearDown() override {
        EXPECT_EQ(geokern::live_handle_count(), alive_before_) << "handles leaked";
    }

    // The error codes captured so far, forgetting them.
    std::vector<int32_t> take_errors() {
        std::vector<int32_t> codes = std::move(captured_.codes);
        captured_ = {};
        return codes;
    }
    void expect_no_error() {
        EXPECT_TRUE(captured_.codes.empty()) << (captured_.messages.empty() ? "" : captured_.messages[0]);
    }

    Geometry point(double x, double y) { return Geometry(GK_Point_createWithXY(x, y, eh())); }
    Geometry point_z(double x, double y, double z) { return Geometry(GK_Point_createWithXYZ(x, y, z, eh())); }

    const GK_ErrorHandler* eh() { return &handler_; }

    Captured captured_;
    GK_ErrorHandler handler_{&capture, &captured_};
    int64_t alive_before_ = 0;
};

}  // namespace geometry_test
