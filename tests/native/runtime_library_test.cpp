// The binding against the real runtime core library: error records it produces, the capture and
// discard handlers, owners, text and the container conversions. Run under AddressSanitizer, a handle
// released twice or never fails the suite.
#include <gtest/gtest.h>

#include "internal_failure_text.hpp"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/internal_failure.hpp"
#include "runtime/containers.hpp"
#include "runtime/environment.hpp"
#include "runtime/error_capture.hpp"
#include "runtime/library_probe.hpp"
#include "runtime/owned.hpp"
#include "runtime/text.hpp"

namespace velmor::runtime {
namespace {

// Strings stand in for geometries until the geometry families exist: both are object handles.
VELMOR_RUNTIME_OWNER(StringOwned, GK_StringHandle, "String", String_destroy);

class RuntimeLibrary : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto loaded = load_from_path(VELMOR_TEST_GEOKERN_PATH);
        ASSERT_TRUE(loaded.has_value()) << loaded.error();
    }
    const FunctionTable& gk = functions();
};

using velmor::test::internal_failure_of;

// An array with the items of a vector, made the way the library makes its results.
GK_ArrayHandle array_from(const FunctionTable& gk, GK_VectorHandle vector) {
    GK_ArrayBuilderHandle builder =
        invoke_or_fail(VELMOR_GK(Array_createBuilder), invoke_or_fail(VELMOR_GK(Vector_getValueType), vector));
    for (uint64_t i = 0; i < invoke_or_fail(VELMOR_GK(Vector_getSize), vector); ++i) {
        ElementHandleGuard element = guard_element(invoke_or_fail(VELMOR_GK(Vector_at), vector, i));
        invoke_or_fail(VELMOR_GK(ArrayBuilder_add), builder, element.get());
    }
    GK_ArrayHandle array = invoke_or_fail(VELMOR_GK(ArrayBuilder_moveToArray), builder);
    gk.ArrayBuilder_destroy(builder, nullptr);
    return array;
}

TEST_F(RuntimeLibrary, RecordsReadFromTheLibraryShowNormalizedTexts) {
    auto vector = vector_of_doubles(std::vector<double>{});
    ASSERT_TRUE(vector);
    auto out_of_range = invoke(gk.Vector_at, vector->get(), uint64_t{5});
    ASSERT_FALSE(out_of_range);
    EXPECT_EQ(out_of_range.error().code, GK_ERROR_OUT_OF_RANGE);
    EXPECT_EQ(out_of_range.error().display(), "Index out of range: Position 5 is not below the size 0");
    EXPECT_EQ(out_of_range.error().debug(),
              "Error { code: 2, msg: \"index out of range.\", additional_msg: \"position 5 is not below the size 0.\" }");
}

TEST_F(RuntimeLibrary, TheLastOfSeveralErrorsInOneCallWins) {
    auto result = invoke(gk.VelmorRuntimeEnvironment_setFeatureToggles, "first bad,fine,second bad");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().display(), "Invalid feature toggle: 'second bad' is not a feature name");
}

TEST_F(RuntimeLibrary, DiscardedErrorPrintsOneWarningLine) {
    ensure_environment();
    testing::internal::CaptureStderr();
    gk.VelmorRuntimeEnvironment_setFeatureToggles("not valid", nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "WARNING: Unexpected error occurred in geokern and was discarded "
              "Invalid feature toggle: 'not valid' is not a feature name\n");
}

TEST_F(RuntimeLibrary, MustNotFailCallsNameTheFunction) {
    EXPECT_EQ(internal_failure_of([&] { invoke_or_fail(VELMOR_GK(Vector_getSize), GK_VectorHandle{nullptr}); }),
              "Internal error: Unexpected error returned from internal function GK_Vector_getSize: "
              "Error { code: 1, msg: \"invalid argument.\", additional_msg: \"the vector handle is null.\" }");
}

TEST_F(RuntimeLibrary, NumbersRoundTripThroughVectorElementAndArray) {
    const std::vector<double> values = {1.5, -0.0, 3.25, 1e300};
    auto vector = vector_of_doubles(values);
    ASSERT_TRUE(vector);
    ArrayHandleGuard array = guard_array(array_from(gk, vector->get()));
    std::vector<double> read;
    for (uint64_t i = 0; i < invoke_or_fail(VELMOR_GK(Array_getSize), array.get()); ++i) {
        ElementHandleGuard element = guard_element(invoke_or_fail(VELMOR_GK(Array_at), array.get(), i));
        read.push_back(invoke_or_fail(VELMOR_GK(Element_getValueAsFloat64), element.get()));
    }
    EXPECT_EQ(read, values);
    EXPECT_TRUE(std::signbit(read[1]));
}

TEST_F(RuntimeLibrary, ObjectHandlesRoundTripIntoOwnersReleasedOnce) {
    const std::vector<std::string> texts = {"first", "", "zoë"};
    auto vector = list_to_vector(GK_ELEMENT_TYPE_STRING, texts.size(), [&](GK_ElementHandle element, std::size_t i) {
        StringOwned text = StringOwned::take(invoke_or_fail(VELMOR_GK(String_create), texts[i].c_str()));
        return as_native(invoke(gk.Element_setValueFromString, element, text.get()));
    });
    ASSERT_TRUE(vector);
    auto owners = array_to_list<StringOwnedTag>(array_from(gk, vector->get()), gk.Element_getValueAsString);
    ASSERT_TRUE(owners);
    std::vector<std::string> read;
    for (const auto& owner : *owners) {
        const GK_ByteArray bytes = invoke_or_fail(VELMOR_GK(String_getByteArray), owner.get());
        read.emplace_back(reinterpret_cast<const char*>(bytes.data), bytes.size);
    }
    EXPECT_EQ(read, texts);
}

TEST_F(RuntimeLibrary, ArrayOfTheWrongKindIsAReturnedFailureWithEverythingReleased) {
    auto vector = vector_of_doubles(std::vector<double>{1.0, 2.0});
    ASSERT_TRUE(vector);
    auto owners = array_to_list<StringOwnedTag>(array_from(gk, vector->get()), gk.Element_getValueAsString);
    ASSERT_FALSE(owners);
    EXPECT_EQ(owners.error().display(), "Element type mismatch: Expected a value of type 40 but found one of type 43");
}

TEST_F(RuntimeLibrary, EmptyArrayGivesEmptyList) {
    auto vector = vector_of_doubles(std::vector<double>{});
    ASSERT_TRUE(vector);
    auto owners = array_to_list<StringOwnedTag>(array_from(gk, vector->get()), gk.Element_getValueAsString);
    ASSERT_TRUE(owners);
    EXPECT_TRUE(owners->empty());
}

TEST_F(RuntimeLibrary, VectorFailureIsReturnedAsGeokernError) {
    auto vector = list_to_vector(GK_ELEMENT_TYPE_FLOAT64, 2, [&](GK_ElementHandle element, std::size_t) {
        return as_native(invoke(gk.Element_setValueFromInt32, element, int32_t{4}));
    });
    ASSERT_FALSE(vector);
    EXPECT_EQ(vector.error().display(),
              "Geokern library error: 'Element type mismatch: Expected a value of type 43 but found one of type 32'");
}

TEST_F(RuntimeLibrary, NullHandlesAreInternalFailures) {
    EXPECT_EQ(internal_failure_of([] { LinearUnit::take(nullptr); }),
              "Internal error: Unexpected null handle returned from core Unit for LinearUnit");
    EXPECT_EQ(internal_failure_of([] { PolylineBuilder::take(nullptr); }),
              "Internal error: Unexpected null handle returned from core GeometryBuilder for PolylineBuilder");
    EXPECT_EQ(internal_failure_of([&] { (void)array_to_list<StringOwnedTag>(nullptr, gk.Element_getValueAsString); }),
              "Internal error: Received null GK_ArrayHandle");
}

TEST_F(RuntimeLibrary, TextCrossesTheInterfaceBothWays) {
    EXPECT_EQ(text_from_string(invoke_or_fail(VELMOR_GK(String_create), "zoë")), "zoë");
    EXPECT_EQ(text_from_string(invoke_or_fail(VELMOR_GK(String_create), "")), "");
    EXPECT_EQ(text_from_string(nullptr), "");
    EXPECT_EQ(text_to_c_text("GEOGCS"), "GEOGCS");
    EXPECT_EQ(internal_failure_of([] { text_to_c_text(std::string_view("ab\0c", 4)); }),
              "Failed to convert string to CString: NUL byte at offset 2 of \"ab\\u{0}c\"");
    EXPECT_EQ(internal_failure_of([] { path_to_c_text(std::string("/tmp/\xff")); }),
              "Internal error: Path is not valid UTF-8");
    EXPECT_EQ(internal_failure_of([] { path_to_c_text(std::string("/tmp/a\0b", 8)); }),
              "Internal error: Path contains interior nulls: NUL byte at offset 6 of \"/tmp/a\\u{0}b\"");
}

TEST_F(RuntimeLibrary, LoadFromAMissingPathIsAnIoError) {
    auto loaded = load_from_path("/nonexistent/libgeokern.so");
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error(), "Could not find dynamic library at /nonexistent/libgeokern.so");
}

}  // namespace
}  // namespace velmor::runtime
