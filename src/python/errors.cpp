#include "errors.hpp"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace velmor::py {
namespace {

// A Python exception carried inside a NativeError. Since 3.12 an exception is one object; before
// that the interpreter keeps type, value and traceback apart.
class PythonException final : public core::CarriedException {
public:
    static std::unique_ptr<PythonException> fetch() {
        auto carried = std::make_unique<PythonException>();
#if PY_VERSION_HEX >= 0x030C0000
        carried->value_ = Ref::steal(PyErr_GetRaisedException());
#else
        PyObject *type = nullptr, *value = nullptr, *traceback = nullptr;
        PyErr_Fetch(&type, &value, &traceback);
        PyErr_NormalizeException(&type, &value, &traceback);
        if (traceback != nullptr && value != nullptr) PyException_SetTraceback(value, traceback);
        carried->type_ = Ref::steal(type);
        carried->value_ = Ref::steal(value);
        carried->traceback_ = Ref::steal(traceback);
#endif
        return carried;
    }

    bool empty() const { return !value_; }
    PyObject* value() const { return value_.get(); }

    void restore() {
#if PY_VERSION_HEX >= 0x030C0000
        PyErr_SetRaisedException(value_.release());
#else
        PyErr_Restore(type_.release(), value_.release(), traceback_.release());
#endif
    }

    std::string describe() const override { return py::describe(value_.get()); }

private:
#if PY_VERSION_HEX < 0x030C0000
    Ref type_;
    Ref traceback_;
#endif
    Ref value_;
};

}  // namespace

NativeError python_error() {
    if (!PyErr_Occurred()) {
        PyErr_SetString(PyExc_SystemError, "attempted to fetch exception but none was set");
    }
    return NativeError::binding(PythonException::fetch());
}

NativeError with_note(NativeError error, const char* note) {
    raise(std::move(error));
    auto carried = PythonException::fetch();
    if (carried->value() != nullptr) {
        // The note only helps; an exception that cannot take one travels without it.
        if (!Ref::steal(PyObject_CallMethod(carried->value(), "add_note", "s", note))) PyErr_Clear();
    }
    return NativeError::binding(std::move(carried));
}

NativeError raise_error(PyObject* type, const std::string& message) {
    PyErr_SetString(type, message.c_str());
    return python_error();
}

void raise(NativeError error) {
    if (error.kind() == core::ErrorKind::Binding) {
        auto carried = error.take_carried();
        if (auto* exception = dynamic_cast<PythonException*>(carried.get()); exception && !exception->empty()) {
            exception->restore();
            return;
        }
        PyErr_SetString(PyExc_SystemError, "attempted to fetch exception but none was set");
        return;
    }
    const std::string text = error.display();
    PyErr_SetString(PyExc_Exception, text.c_str());
}

PyObject* panic_exception_type() {
    // Created once and kept for the life of the process.
    static PyObject* type = nullptr;
    if (type == nullptr) {
        type = PyErr_NewExceptionWithDoc(
            "velmor_geometry.PanicException",
            "Raised when the library meets a broken invariant. It derives from BaseException so that "
            "`except Exception` does not swallow it.",
            PyExc_BaseException, nullptr);
    }
    return type;
}

void raise_panic(const std::string& message) {
    std::fprintf(stderr, "velmor_geometry: internal failure: %s\n", message.c_str());
    std::fflush(stderr);
    PyObject* type = panic_exception_type();
    Ref text = Ref::steal(PyUnicode_DecodeUTF8(message.data(), static_cast<Py_ssize_t>(message.size()), "replace"));
    if (type == nullptr || !text) {
        // Failing while reporting a failure leaves nothing sound to return to.
        std::fputs("velmor_geometry: could not raise PanicException; aborting\n", stderr);
        std::abort();
    }
    PyErr_SetObject(type, text.get());
}

bool runs_own_float_conversion(PyObject* object) {
    if (PyFloat_Check(object)) return false;
    const PyNumberMethods* own = Py_TYPE(object)->tp_as_number;
    const PyNumberMethods* integer = PyLong_Type.tp_as_number;
    if (own == nullptr) return false;
    if (own->nb_float != nullptr) return own->nb_float != integer->nb_float;
    return own->nb_index != nullptr && own->nb_index != integer->nb_index;
}

bool runs_own_index_conversion(PyObject* object) {
    if (PyLong_Check(object)) return false;
    const PyNumberMethods* own = Py_TYPE(object)->tp_as_number;
    return own != nullptr && own->nb_index != nullptr;
}

std::string describe(PyObject* object) {
    if (object == nullptr) return {};
    Ref text = Ref::steal(PyObject_Str(object));
    Py_ssize_t size = 0;
    const char* utf8 = text ? PyUnicode_AsUTF8AndSize(text.get(), &size) : nullptr;
    if (utf8 == nullptr) {
        PyErr_Clear();
        return "<exception str() failed>";
    }
    return {utf8, static_cast<std::size_t>(size)};
}

std::string type_name(PyObject* object) {
    Ref name = Ref::steal(PyType_GetName(Py_TYPE(object)));
    const char* utf8 = name ? PyUnicode_AsUTF8(name.get()) : nullptr;
    if (utf8 == nullptr) {
        PyErr_Clear();
        return "<failed to extract type name>";
    }
    return utf8;
}

}  // namespace velmor::py
