#pragma once

#include <string>

namespace velmor::core {

// The one number format of every double this system writes as text: the shortest digits that read
// back to the same double, positional notation (never an exponent), no fraction for integral values,
// "-0" for negative zero, and "NaN", "inf", "-inf".
void append_number(std::string& out, double value);
std::string format_number(double value);

// The debug form used inside "Short coord list" texts: always a fractional digit ("1.0"), exponent
// form ("1e16", "1.5e-5") for magnitudes of at least 1e16 or below 1e-4.
void append_debug_float(std::string& out, double value);

}  // namespace velmor::core
