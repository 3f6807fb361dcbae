#include "parameter_error.hpp"

#include <string>

namespace velmor::py {

NativeError name_parameter(const char* name, NativeError error) {
    if (error.kind() != core::ErrorKind::Binding) return error;
    raise(std::move(error));
    PyObject* type = PyErr_Occurred();  // borrowed, still set
    Ref exception_type = Ref::borrow(type);
#if PY_VERSION_HEX >= 0x030C0000
    Ref exception = Ref::steal(PyErr_GetRaisedException());
#else
    PyObject *raw_type = nullptr, *value = nullptr, *traceback = nullptr;
    PyErr_Fetch(&raw_type, &value, &traceback);
    PyErr_NormalizeException(&raw_type, &value, &traceback);
    Ref owned_type = Ref::steal(raw_type);
    Ref owned_traceback = Ref::steal(traceback);
    Ref exception = Ref::steal(value);
#endif
    return raise_error(exception_type.get(), std::string(name) + ": " + describe(exception.get()));
}

}  // namespace velmor::py
