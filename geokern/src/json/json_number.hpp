#pragma once

#include <string>

namespace geokern {

// A double as JSON: the shortest digits that read back to the same double, in positional notation
// ("5", "-0.0", "0.1", "1000000"). Strict JSON has no NaN or infinity; they are written as the bare
// tokens NaN, Infinity and -Infinity, which our reader and Python's json module read back as the same
// numbers, so that a geometry's text and the dictionary json.loads makes of it keep every value. An
// empty point or envelope has NaN for every coordinate and bound; null is still read as NaN.
void append_json_number(std::string& out, double value);

}  // namespace geokern
