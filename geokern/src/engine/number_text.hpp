#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace geokern::engine {

// A number as messages show it: the shortest digits that read back to it, and NaN without a sign.
inline std::string number_text(double value) {
    if (std::isnan(value)) return "NaN";
    char text[32];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

}  // namespace geokern::engine
