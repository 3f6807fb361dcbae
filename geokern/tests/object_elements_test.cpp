// Elements holding geometries, buffers and dictionaries: the value is shared, not copied, and outlives
// the element; reading it as another kind is a type mismatch.
#include <gtest/gtest.h>

#include "element_objects.hpp"
#include "geometry/geometry_value.hpp"
#include "json_test_support.hpp"

namespace {

class ObjectElementsTest : public json_test::JsonTest {};

TEST_F(ObjectElementsTest, GeometryElementsShareTheirGeometry) {
    auto point = read(R"({"x": 1, "y": 2})");
    GK_ElementHandle element = GK_Element_fromGeometry(point, h);
    EXPECT_EQ(GK_Element_getObjectType(element, h), GK_ELEMENT_TYPE_GEOMETRY);
    geometry_test::Geometry back(GK_Element_getValueAsGeometry(element, h));
    EXPECT_EQ(&geokern::value_of(back.get()), &geokern::value_of(point.get()));
    GK_Element_setValueFromGeometry(element, read(R"({"x": 3, "y": 4})"), h);
    geometry_test::Geometry replaced(GK_Element_getValueAsGeometry(element, h));
    GK_Element_destroy(element, h);
    EXPECT_EQ(write(replaced), R"({"x":3,"y":4})");
    EXPECT_EQ(write(back), R"({"x":1,"y":2})");
    ASSERT_TRUE(no_errors());

    GK_ElementHandle number = GK_Element_fromFloat64(1.5, h);
    EXPECT_EQ(GK_Element_getValueAsGeometry(number, h), nullptr);
    EXPECT_EQ(take_errors().size(), 1u);
    EXPECT_EQ(GK_Element_fromGeometry(nullptr, h), nullptr);
    EXPECT_EQ(take_errors().size(), 1u);
    GK_Element_destroy(number, h);
}

TEST_F(ObjectElementsTest, BufferAndDictionaryElementsHandBackTheirValue) {
    auto buffer = geokern::make_handle<GK_BufferHandle>(geokern::BufferValue{{1, 2, 3}});
    auto dictionary = geokern::make_handle<GK_DictionaryHandle>();
    GK_ElementHandle holds_buffer = GK_Element_fromBuffer(buffer, h);
    GK_ElementHandle holds_dictionary = GK_Element_fromDictionary(dictionary, h);
    GK_BufferHandle buffer_back = GK_Element_getValueAsBuffer(holds_buffer, h);
    EXPECT_EQ(geokern::value_of(buffer_back).bytes, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(GK_Element_getValueAsBuffer(holds_dictionary, h), nullptr);
    EXPECT_EQ(take_errors().size(), 1u);
    for (auto element : {holds_buffer, holds_dictionary}) GK_Element_destroy(element, h);
    geokern::destroy_handle(buffer_back);
    geokern::destroy_handle(buffer);
    geokern::destroy_handle(dictionary);
    ASSERT_TRUE(no_errors());
}

}  // namespace
