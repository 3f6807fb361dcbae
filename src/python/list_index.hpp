#pragma once

#include <Python.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "errors.hpp"

namespace velmor::py {

// An index argument of the list-like classes as given, before it is checked against a length.
struct IndexArgument {
    long long value;
    std::string text;  // the index exactly as passed, for the IndexError text
};

// Anything the interpreter converts to an integer; the TypeError names the parameter ("key" for
// x[key], "index" for the methods). An integer beyond 64 bits is kept as out of every range.
Result<IndexArgument> index_argument(PyObject* value, const char* parameter);

// A negative index counts from the end; the result must be below the length (or equal to it when
// `allow_end`, the append position of insert). Otherwise IndexError "Index <i> out of bounds,
// <container> has <n> elements".
Result<std::size_t> normalize_index(const IndexArgument& index, std::size_t length, std::string_view container,
                                    bool allow_end = false);

// The IndexError of normalize_index, for an item that vanished after its index was checked.
NativeError index_out_of_bounds(const IndexArgument& index, std::size_t length, std::string_view container);

}  // namespace velmor::py
