#include <gtest/gtest.h>

#include <cmath>

#include "core/coord.hpp"

using velmor::core::Coord;
using velmor::core::Dims;

namespace {

std::string error_text(const velmor::core::Result<Coord>& result) { return result.error().display(); }

TEST(Dims, FlagsNamesAndBufferLengths) {
    struct Case {
        bool z, m;
        Dims dims;
        const char* upper;
        std::size_t len;
    } cases[] = {{false, false, Dims::XY, "XY", 2},
                 {true, false, Dims::XYZ, "XYZ", 3},
                 {false, true, Dims::XYM, "XYM", 3},
                 {true, true, Dims::XYZM, "XYZM", 4}};
    for (const auto& c : cases) {
        const Dims d = velmor::core::dims_from_flags(c.z, c.m);
        EXPECT_EQ(d, c.dims);
        EXPECT_EQ(velmor::core::has_z(d), c.z);
        EXPECT_EQ(velmor::core::has_m(d), c.m);
        EXPECT_EQ(velmor::core::upper_name(d), c.upper);
        EXPECT_EQ(velmor::core::buffer_len(d), c.len);
    }
}

TEST(Coord, SetZAndSetMKeepTheOtherMeasure) {
    const Coord c = Coord::xyzm(1, 2, 3, 4);
    auto z = c.set_z(9);
    ASSERT_TRUE(z);
    EXPECT_EQ(z->z(), 9);
    EXPECT_EQ(z->m(), 4);
    auto m = c.set_m(8);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->z(), 3);
    EXPECT_EQ(m->m(), 8);
}

TEST(Coord, FailingMutationsNameTheDims) {
    EXPECT_EQ(error_text(Coord::xym(1, 2, 3).set_z(0)),
              "Invalid dims for operation: Tried to set z value on coord with dims: xym");
    EXPECT_EQ(error_text(Coord::xy(1, 2).set_z(0)),
              "Invalid dims for operation: Tried to set z value on coord with dims: xy");
    EXPECT_EQ(error_text(Coord::xyz(1, 2, 3).set_m(0)),
              "Invalid dims for operation: Tried to set m value on coord with dims: xyz");
    EXPECT_EQ(error_text(Coord::xym(1, 2, 3).set_index(3, 0)),
              "Invalid dims for operation: Failed index based access to coord with dims: xym, buffer "
              "representation len: 3, idx: 3");
    EXPECT_EQ(error_text(Coord::xyz(1, 2, 3).set_index(5, 0)),
              "Invalid dims for operation: Failed index based access to coord with dims: xyz, buffer "
              "representation len: 3, idx: 5");
}

TEST(Coord, BufferIndexTwoIsMForXym) {
    auto c = Coord::xym(1, 2, 3).set_index(2, 7);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->m(), 7);
    EXPECT_FALSE(c->z().has_value());
    EXPECT_EQ(c->get_index(2), 7);
    const auto buffer = Coord::xyzm(1, 2, 3, 4).to_buffer();
    EXPECT_EQ(buffer.size, 4U);
    EXPECT_EQ(buffer.values[3], 4);
}

TEST(Coord, TextForm) {
    EXPECT_EQ(Coord::xy(1, 2.5).text(), "[1, 2.5]");
    EXPECT_EQ(Coord::xyzm(1, 2.5, std::nan(""), -0.0).text(), "[1, 2.5, NaN, -0]");
    EXPECT_EQ(Coord::xym(0.1, -3, 1e21).text(), "[0.1, -3, 1000000000000000000000]");
}

}  // namespace
