#pragma once
// A test fixture that captures the library's errors and checks that every handle made was released.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handle.hpp"
#include "interface.hpp"

namespace geokern_test {

struct CapturedError {
    int32_t code;
    std::string message;
    std::string additional;
};

inline std::string take_text(GK_StringHandle text) {
    if (text == nullptr) return {};
    GK_ByteArray bytes = GK_String_getByteArray(text, nullptr);
    std::string result(reinterpret_cast<const char*>(bytes.data), bytes.size);
    GK_String_destroy(text, nullptr);
    return result;
}

inline void capture_error(void* user, GK_ErrorHandle error) {
    auto* errors = static_cast<std::vector<CapturedError>*>(user);
    errors->push_back({GK_Error_getCode(error, nullptr), take_text(GK_Error_getMessage(error, nullptr)),
                       take_text(GK_Error_getAdditionalMessage(error, nullptr))});
    GK_Error_destroy(error, nullptr);
}

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override { alive_before_ = geokern::live_handle_count(); }
    void TearDown() override {
        EXPECT_EQ(geokern::live_handle_count(), alive_before_) << "handles leaked";
    }
    // The errors captured since the last call, cleared.
    std::vector<CapturedError> take_errors() { return std::exchange(errors_, {}); }
    bool no_errors() {
        bool none = errors_.empty();
        for (const CapturedError& error : errors_) ADD_FAILURE() << error.message << " " << error.additional;
        errors_.clear();
        return none;
    }

    std::vector<CapturedError> errors_;
    GK_ErrorHandler handler_{&capture_error, &errors_};
    const GK_ErrorHandler* h = &handler_;
    int64_t alive_before_ = 0;
};

}  // namespace geokern_test
