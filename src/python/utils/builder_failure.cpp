#include "builder_failure.hpp"

namespace velmor::py::utils {
namespace {

// Takes the current Python exception out of the interpreter's error indicator.
Ref take_exception() {
#if PY_VERSION_HEX >= 0x030C0000
    return Ref::steal(PyErr_GetRaisedException());
#else
    PyObject *type = nullptr, *value = nullptr, *traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    Ref type_ref = Ref::steal(type);
    Ref traceback_ref = Ref::steal(traceback);
    return Ref::steal(value);
#endif
}

}  // namespace

formats::FormatError builder_failure(NativeError error) {
    raise(std::move(error));
    const Ref exception = take_exception();
    if (!exception) return formats::FormatError::geometry("SystemError: no exception set");
    return formats::FormatError::geometry(type_name(exception.get()) + ": " + describe(exception.get()));
}

}  // namespace velmor::py::utils
