#include "list_index.hpp"

#include <climits>

namespace velmor::py {

Result<IndexArgument> index_argument(PyObject* value, const char* parameter) {
    Ref integer = Ref::steal(PyNumber_Index(value));
    if (!integer) {
        if (runs_own_index_conversion(value)) return fail(python_error());
        PyErr_Clear();
        return fail(raise_error(PyExc_TypeError, std::string("argument '") + parameter + "': '" + type_name(value) +
                                                     "' object cannot be interpreted as an integer"));
    }
    int overflow = 0;
    const long long number = PyLong_AsLongLongAndOverflow(integer.get(), &overflow);
    if (number == -1 && PyErr_Occurred()) return fail(python_error());
    if (overflow != 0) return IndexArgument{overflow > 0 ? LLONG_MAX : LLONG_MIN, describe(integer.get())};
    return IndexArgument{number, std::to_string(number)};
}

NativeError index_out_of_bounds(const IndexArgument& index, std::size_t length, std::string_view container) {
    return raise_error(PyExc_IndexError, "Index " + index.text + " out of bounds, " + std::string(container) +
                                             " has " + std::to_string(length) + " elements");
}

Result<std::size_t> normalize_index(const IndexArgument& index, std::size_t length, std::string_view container,
                                    bool allow_end) {
    const auto signed_length = static_cast<long long>(length);
    const long long position = index.value < 0 ? index.value + signed_length : index.value;
    const long long limit = allow_end ? signed_length : signed_length - 1;
    if (position < 0 || position > limit) return fail(index_out_of_bounds(index, length, container));
    return static_cast<std::size_t>(position);
}

}  // namespace velmor::py
