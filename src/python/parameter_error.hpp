#pragma once

#include "errors.hpp"

namespace velmor::py {

// A conversion error of one parameter or property: the interpreter's exception keeps its type and
// text, prefixed with "<name>: " so the caller sees which value was refused. Other kinds pass
// unchanged.
NativeError name_parameter(const char* name, NativeError error);

}  // namespace velmor::py
