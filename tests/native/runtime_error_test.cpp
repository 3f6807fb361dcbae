// Display and debug texts of runtime error records.
#include <gtest/gtest.h>

#include "runtime/error.hpp"
#include "runtime/upper_case.hpp"

namespace velmor::runtime {
namespace {

struct DisplayCase {
    const char* msg;
    const char* additional_msg;
    const char* display;
};

TEST(RuntimeError, DisplayNormalizesBothTexts) {
    const DisplayCase cases[] = {
        {"...", "", "No error message found"},
        {"", "", "No error message found"},
        {"invalid geometry.", "ring is not closed.", "Invalid geometry: Ring is not closed"},
        {"", "only the additional text.", "Only the additional text"},
        {"only the message", "...", "Only the message"},
        {"ends in several periods...", "", "Ends in several periods"},
        {"v1.2 is old.", "", "V1.2 is old"},
        {"ßtraße.", "", "SStraße"},
        {"ΐ and more", "", "\u0399\u0308\u0301 and more"},
        {"ǆ digraph", "", "Ǆ digraph"},
        {"Already upper.", "", "Already upper"},
        {"123 starts with a digit.", "", "123 starts with a digit"},
        {"\xff not utf-8.", "", "\xff not utf-8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ((Error{1, c.msg, c.additional_msg}.display()), c.display) << c.msg << " | " << c.additional_msg;
    }
}

TEST(RuntimeError, DebugTextEscapesUnnormalizedTexts) {
    const Error error{3, "say \"hi\".", "back\\slash\nnew line\x01"};
    EXPECT_EQ(error.debug(),
              "Error { code: 3, msg: \"say \\\"hi\\\".\", additional_msg: \"back\\\\slash\\nnew line\\u{1}\" }");
    EXPECT_EQ((Error{-7, "", ""}.debug()), "Error { code: -7, msg: \"\", additional_msg: \"\" }");
}

TEST(RuntimeError, BecomesGeokernNativeErrorWithDisplayPayload) {
    const auto native = to_native_error(Error{2, "index out of range.", "position 5 is not below the size 3."});
    EXPECT_EQ(native.kind(), core::ErrorKind::Geokern);
    EXPECT_EQ(native.display(), "Geokern library error: 'Index out of range: Position 5 is not below the size 3'");
}

TEST(RuntimeError, ConversionRecord) {
    const Error error = conversion_error("GeometryOwned", "geometry::polygon::Polygon");
    EXPECT_EQ(error.code, 100000);
    EXPECT_EQ(error.display(),
              "Conversion between types failed: Tried to convert from GeometryOwned to geometry::polygon::Polygon");
}

TEST(UpperCase, MapsEveryCharacterThatHasAnUpperForm) {
    EXPECT_EQ(upper_case_first(""), "");
    EXPECT_EQ(upper_case_first("a"), "A");
    EXPECT_EQ(upper_case_first("ﬃx"), "FFIx");      // one character, three upper-case characters
    EXPECT_EQ(upper_case_first("𐐨b"), "𐐀b");       // outside the basic plane
    EXPECT_EQ(upper_case_first("\xe2\x82"), "\xe2\x82");  // truncated sequence stays
    EXPECT_EQ(upper_case_first("\xc0\xa1x"), "\xc0\xa1x");  // overlong form stays
}

}  // namespace
}  // namespace velmor::runtime
