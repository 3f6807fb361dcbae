// The PROJ data a self-contained installation carries beside the library, and the user's own choice of
// PROJ's data directory, which wins over it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "spatial/bundled_proj_data.hpp"

namespace {

namespace fs = std::filesystem;

// A fresh directory standing for the one the library was loaded from; removed afterwards.
class LibraryDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("bundled_proj_data_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path data() const { return root_ / "share" / "geokern" / "proj"; }
    fs::path root_;
};

// Sets or unsets one environment variable for the life of the object, restoring it afterwards.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(LibraryDirectory, DataIsFoundOnlyWhereTheDatabaseLies) {
    EXPECT_EQ(geokern::bundled_proj_data(root_), std::nullopt);
    fs::create_directories(data());
    EXPECT_EQ(geokern::bundled_proj_data(root_), std::nullopt) << "a directory without proj.db";
    fs::create_directory(data() / "proj.db");
    EXPECT_EQ(geokern::bundled_proj_data(root_), std::nullopt) << "proj.db that is a directory";
    fs::remove(data() / "proj.db");
    std::ofstream(data() / "proj.db") << "database";
    EXPECT_EQ(geokern::bundled_proj_data(root_), data());
}

TEST(ProjDataChoice, EitherOfPROJsVariablesIsTheUsersChoiceWhenNotEmpty) {
    struct Case {
        const char* proj_data;
        const char* proj_lib;
        bool chosen;
    };
    const Case cases[] = {
        {nullptr, nullptr, false}, {"", "", false},           {"/somewhere", nullptr, true},
        {nullptr, "/somewhere", true}, {"", "/somewhere", true}, {"/somewhere", "/elsewhere", true},
    };
    for (const Case& c : cases) {
        ScopedVariable data("PROJ_DATA", c.proj_data);
        ScopedVariable lib("PROJ_LIB", c.proj_lib);
        EXPECT_EQ(geokern::proj_data_chosen_by_user(), c.chosen)
            << (c.proj_data ? c.proj_data : "(unset)") << " " << (c.proj_lib ? c.proj_lib : "(unset)");
    }
}

}  // namespace
