#pragma once

#include <string>

namespace geokern {

// A double as JSON: the shortest digits that read back to the same double, in positional notation
// ("5", "-0", "0.1", "1000000"). JSON has no NaN or infinity: NaN (a missing value) is written null,
// the infinities as the strings "Infinity" and "-Infinity", which the reader takes back as numbers.
void append_json_number(std::string& out, double value);

}  // namespace geokern
