#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/number_format.hpp"

using velmor::core::append_debug_float;
using velmor::core::format_number;

namespace {

struct NumberCase {
    double value;
    std::string text;
};

TEST(NumberFormat, ShortestPositionalDigits) {
    const NumberCase cases[] = {
        {5.0, "5"},
        {-3.0, "-3"},
        {0.0, "0"},
        {-0.0, "-0"},
        {2.5, "2.5"},
        {0.1 + 0.2, "0.30000000000000004"},
        {1e21, "1000000000000000000000"},
        {1e-7, "0.0000001"},
        {123456789.125, "123456789.125"},
        // Whole numbers from 2^53 on: the shortest digits padded with zeros, not the exact value.
        {9007199254740992.0, "9007199254740992"},
        {1e23, "100000000000000000000000"},
        {-1e23, "-100000000000000000000000"},
        {9223372036854775808.0, "9223372036854776000"},
        {1.7976931348623157e308, "17976931348623157" + std::string(292, '0')},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
        {std::numeric_limits<double>::infinity(), "inf"},
        {-std::numeric_limits<double>::infinity(), "-inf"},
    };
    for (const auto& c : cases) EXPECT_EQ(format_number(c.value), c.text) << c.text;
}

TEST(NumberFormat, ExtremesStayPositionalAndRoundTrip) {
    const std::string tiny = format_number(5e-324);
    EXPECT_EQ(tiny, "0." + std::string(323, '0') + "5");
    const std::string huge = format_number(1.7976931348623157e308);
    EXPECT_EQ(huge.size(), 309U);
    EXPECT_EQ(huge.substr(0, 17), "17976931348623157");
    EXPECT_EQ(huge.find_first_not_of("0123456789"), std::string::npos);
    for (double v : {5e-324, 1.7976931348623157e308, 0.1 + 0.2, 1e21, 1e-7, -123.456e-50}) {
        EXPECT_EQ(std::strtod(format_number(v).c_str(), nullptr), v);
    }
}

TEST(NumberFormat, DebugFloatForm) {
    const NumberCase cases[] = {
        {1.0, "1.0"},       {-0.0, "-0.0"},     {0.0, "0.0"},          {2.5, "2.5"},
        {1e16, "1e16"},     {1.5e-5, "1.5e-5"}, {1e-4, "0.0001"},      {9999999999999998.0, "9999999999999998.0"},
        {-2.5e20, "-2.5e20"}, {1e300, "1e300"}, {std::nan(""), "NaN"}, {-INFINITY, "-inf"},
    };
    for (const auto& c : cases) {
        std::string out;
        append_debug_float(out, c.value);
        EXPECT_EQ(out, c.text);
    }
}

}  // namespace
