// The library's own families through its C interface, with the live-handle count as leak check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handle.hpp"
#include "interface.hpp"

namespace {

struct Captured {
    std::vector<int32_t> codes;
    std::vector<std::string> additional;
};

void capture(void* user, GK_ErrorHandle error) {
    auto* captured = static_cast<Captured*>(user);
    captured->codes.push_back(GK_Error_getCode(error, nullptr));
    GK_StringHandle text = GK_Error_getAdditionalMessage(error, nullptr);
    captured->additional.emplace_back(GK_String_cStr(text, nullptr));
    GK_String_destroy(text, nullptr);
    GK_Error_destroy(error, nullptr);
}

class GeokernTest : public ::testing::Test {
protected:
    void SetUp() override { alive_before_ = geokern::live_handle_count(); }
    void TearDown() override { EXPECT_EQ(geokern::live_handle_count(), alive_before_) << "handles leaked"; }
    Captured captured_;
    GK_ErrorHandler handler_{&capture, &captured_};
    int64_t alive_before_ = 0;
};

TEST_F(GeokernTest, VectorOfNumbersRoundTripsThroughArray) {
    GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_FLOAT64, &handler_);
    GK_ElementHandle element = GK_Element_create(&handler_);
    for (double value : {1.5, -0.0, 3.25}) {
        GK_Element_setValueFromFloat64(element, value, &handler_);
        GK_Vector_add(vector, element, &handler_);
        GK_Element_clear(element, &handler_);
    }
    GK_ArrayBuilderHandle builder = GK_Array_createBuilder(GK_ELEMENT_TYPE_FLOAT64, &handler_);
    for (uint64_t i = 0; i < GK_Vector_getSize(vector, &handler_); ++i) {
        GK_ElementHandle item = GK_Vector_at(vector, i, &handler_);
        GK_ArrayBuilder_add(builder, item, &handler_);
        GK_Element_destroy(item, &handler_);
    }
    GK_ArrayHandle array = GK_ArrayBuilder_moveToArray(builder, &handler_);
    ASSERT_EQ(GK_Array_getSize(array, &handler_), 3u);
    GK_ElementHandle last = GK_Array_last(array, &handler_);
    EXPECT_EQ(GK_Element_getValueAsFloat64(last, &handler_), 3.25);
    EXPECT_EQ(GK_Array_indexOf(array, last, &handler_), 2u);
    GK_Element_destroy(last, &handler_);
    GK_Array_destroy(array, &handler_);
    GK_ArrayBuilder_destroy(builder, &handler_);
    GK_Element_destroy(element, &handler_);
    GK_Vector_destroy(vector, &handler_);
    EXPECT_TRUE(captured_.codes.empty());
}

TEST_F(GeokernTest, StringsReadFromAnElementOutliveTheirContainer) {
    GK_StringHandle text = GK_String_create("ring", &handler_);
    GK_ElementHandle element = GK_Element_fromString(text, &handler_);
    GK_String_destroy(text, &handler_);
    GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_STRING, &handler_);
    GK_Vector_add(vector, element, &handler_);
    GK_Element_destroy(element, &handler_);
    GK_ElementHandle first = GK_Vector_first(vector, &handler_);
    GK_Vector_destroy(vector, &handler_);
    GK_StringHandle read = GK_Element_getValueAsString(first, &handler_);
    GK_Element_destroy(first, &handler_);
    const GK_ByteArray bytes = GK_String_getByteArray(read, &handler_);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data), bytes.size), "ring");
    GK_String_destroy(read, &handler_);
    EXPECT_TRUE(captured_.codes.empty());
}

TEST_F(GeokernTest, MisuseIsReportedNotCrashed) {
    GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_FLOAT64, &handler_);
    GK_ElementHandle number = GK_Element_fromInt32(7, &handler_);
    GK_Vector_add(vector, number, &handler_);                              // wrong type
    EXPECT_EQ(GK_Vector_at(vector, 0, &handler_), nullptr);                // out of range
    EXPECT_EQ(GK_Element_getValueAsFloat64(number, &handler_), 0.0);       // wrong kind
    EXPECT_EQ(GK_Vector_getSize(nullptr, &handler_), 0u);                  // null handle
    EXPECT_EQ(GK_Vector_create(12345, &handler_), nullptr);                // unknown type
    GK_Element_destroy(number, &handler_);
    GK_Vector_destroy(vector, &handler_);
    EXPECT_EQ(captured_.codes, (std::vector<int32_t>{GK_ERROR_TYPE_MISMATCH, GK_ERROR_OUT_OF_RANGE,
                                                     GK_ERROR_TYPE_MISMATCH, GK_ERROR_INVALID_ARGUMENT,
                                                     GK_ERROR_INVALID_ARGUMENT}));
}

TEST_F(GeokernTest, VectorMoveKeepsTheOtherItemsInOrder) {
    GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_INT32, &handler_);
    for (int32_t value : {0, 1, 2, 3}) {
        GK_ElementHandle element = GK_Element_fromInt32(value, &handler_);
        GK_Vector_add(vector, element, &handler_);
        GK_Element_destroy(element, &handler_);
    }
    auto items = [&] {
        std::vector<int32_t> values;
        for (uint64_t i = 0; i < GK_Vector_getSize(vector, &handler_); ++i) {
            GK_ElementHandle element = GK_Vector_at(vector, i, &handler_);
            values.push_back(GK_Element_getValueAsInt32(element, &handler_));
            GK_Element_destroy(element, &handler_);
        }
        return values;
    };
    GK_Vector_move(vector, 0, 2, &handler_);
    EXPECT_EQ(items(), (std::vector<int32_t>{1, 2, 0, 3}));
    GK_Vector_move(vector, 3, 0, &handler_);
    EXPECT_EQ(items(), (std::vector<int32_t>{3, 1, 2, 0}));
    GK_Vector_destroy(vector, &handler_);
    EXPECT_TRUE(captured_.codes.empty());
}

TEST_F(GeokernTest, AVectorCannotHoldItself) {
    GK_VectorHandle vector = GK_Vector_create(GK_ELEMENT_TYPE_VECTOR, &handler_);
    GK_ElementHandle self = GK_Element_fromVector(vector, &handler_);
    GK_Vector_add(vector, self, &handler_);
    GK_Element_destroy(self, &handler_);
    GK_Vector_destroy(vector, &handler_);
    EXPECT_EQ(captured_.codes, (std::vector<int32_t>{GK_ERROR_INVALID_ARGUMENT}));
}

TEST_F(GeokernTest, EveryMalformedFeatureToggleIsReported) {
    GK_VelmorRuntimeEnvironment_setFeatureToggles("curves,bad one,,-curves,fast", &handler_);
    EXPECT_EQ(captured_.additional, (std::vector<std::string>{"'bad one' is not a feature name.", "'' is not a feature name."}));
    EXPECT_FALSE(GK_VelmorRuntimeEnvironment_isFeatureEnabled("curves", &handler_));
    EXPECT_TRUE(GK_VelmorRuntimeEnvironment_isFeatureEnabled("fast", &handler_));
}

}  // namespace
