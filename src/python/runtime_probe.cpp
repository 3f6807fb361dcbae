#include "runtime_probe.hpp"

#include <Python.h>

#include "ref.hpp"
#include "runtime/library_probe.hpp"

namespace velmor::py {

void probe_runtime_library() {
    Ref sys = Ref::steal(PyImport_ImportModule("sys"));
    Ref prefix = sys ? Ref::steal(PyObject_GetAttrString(sys.get(), "prefix")) : Ref();
    Py_ssize_t size = 0;
    const char* text = prefix && PyUnicode_Check(prefix.get()) ? PyUnicode_AsUTF8AndSize(prefix.get(), &size) : nullptr;
    if (text == nullptr) {
        PyErr_Clear();
        runtime::write_stdout_line("Warning: could not find sys prefix while loading velmor_ext module");
        return;
    }
    runtime::probe_prefix(std::string_view(text, static_cast<std::size_t>(size)));
}

}  // namespace velmor::py
