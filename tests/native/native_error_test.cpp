#include <gtest/gtest.h>

#include "core/native_error.hpp"

using velmor::core::Dims;
using velmor::core::NativeError;

namespace {

TEST(NativeError, DisplayTexts) {
    struct Case {
        NativeError error;
        const char* text;
    };
    Case cases[] = {
        {NativeError::mismatching_dims(Dims::XYZ, Dims::XY), "Mismatching dimensions, expected 'XYZ' but got 'XY'"},
        {NativeError::insufficient_ring("Linear ring requires len >= 3, but got: 2"),
         "Ring must have sufficient data to enclose an area: Linear ring requires len >= 3, but got: 2"},
        {NativeError::mismatching_feature_type("a", "b"), "Mismatching feature type, expected 'a' but got 'b'"},
        {NativeError::mismatching_attr_type("a", "b"), "Mismatching attr type, expected 'a' but got 'b'"},
        {NativeError::duplicate_attribute("k"),
         "Duplicate value for attribute with key 'k' inserted into feature attributes"},
        {NativeError::failed_access("t"), "Failed access: 't'"},
        {NativeError::poisoned_lock(), "Lock error: 'poisoned lock: another task failed inside'"},
        {NativeError::mutability_upgrade("t"), "Mutability upgrade error: 't'"},
        {NativeError::resolution("Did not find 'x' in dict during resolution"),
         "Resolution error: 'Did not find 'x' in dict during resolution'"},
        {NativeError::short_coord_list({1.0, 2.5, 1e16, 1.5e-5}), "Short coord list: [1.0, 2.5, 1e16, 1.5e-5]"},
        {NativeError::short_coord_list({}), "Short coord list: []"},
        {NativeError::invalid_mutation("t"), "Invalid mutation: 't'"},
        {NativeError::io("disk full"), "Io error: 'disk full'"},
        {NativeError::geokern("No error message found"), "Geokern library error: 'No error message found'"},
        {NativeError::curved_part_start("CurvePart::push curve data on empty"),
         "Curved parts must have starting vertex with no curve data: 'CurvePart::push curve data on empty'"},
        {NativeError::invalid_dims("Tried to set m value on coord with dims: xy"),
         "Invalid dims for operation: Tried to set m value on coord with dims: xy"},
        {NativeError::python_cast("int", "Point"), "Python cast error: ''int' object cannot be cast as 'Point''"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.error.display(), c.text);
}

TEST(NativeError, BindingCarriesItsExceptionOut) {
    struct Carried : velmor::core::CarriedException {
        std::string describe() const override { return "boom"; }
    };
    NativeError error = NativeError::binding(std::make_unique<Carried>());
    EXPECT_EQ(error.kind(), velmor::core::ErrorKind::Binding);
    EXPECT_EQ(error.display(), "Python binding error: 'boom'");
    EXPECT_NE(error.take_carried(), nullptr);
    EXPECT_EQ(error.take_carried(), nullptr);
}

}  // namespace
