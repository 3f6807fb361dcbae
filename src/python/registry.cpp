#include "registry.hpp"

namespace velmor::py {
namespace {

Result<PyObject*> all_list(PyObject* module) {
    PyObject* dict = PyModule_GetDict(module);  // borrowed
    PyObject* all = PyDict_GetItemString(dict, "__all__");
    if (all != nullptr) return all;
    Ref created = Ref::steal(PyList_New(0));
    if (!created || PyDict_SetItemString(dict, "__all__", created.get()) < 0) return fail(python_error());
    return created.get();  // the module dict holds it now
}

// A function's __module__ is its module's __name__ (so "projection" for the projection functions).
Result<void> register_function(PyObject* module, PyMethodDef* def) {
    Ref module_name = Ref::steal(PyObject_GetAttrString(module, "__name__"));
    if (!module_name) return fail(python_error());
    Ref function = Ref::steal(PyCFunction_NewEx(def, module, module_name.get()));
    if (!function) return fail(python_error());
    Ref name = Ref::steal(PyObject_GetAttrString(function.get(), "__name__"));
    const char* text = name ? PyUnicode_AsUTF8(name.get()) : nullptr;
    if (text == nullptr) return fail(python_error());
    return publish(module, text, function.get());
}

Result<void> register_class(PyObject* module, const ClassEntry& entry) {
    PyTypeObject* type = entry.type();
    if (type == nullptr) return fail(python_error());
    return publish(module, entry.name, reinterpret_cast<PyObject*>(type));
}

}  // namespace

Result<void> publish(PyObject* module, const char* name, PyObject* value) {
    auto all = all_list(module);
    if (!all) return fail(std::move(all.error()));
    Ref key = Ref::steal(PyUnicode_FromString(name));
    if (!key || PyList_Append(*all, key.get()) < 0 || PyObject_SetAttr(module, key.get(), value) < 0) {
        return fail(python_error());
    }
    return {};
}

Result<void> register_layout(PyObject* module, const ModuleLayout& layout) {
    for (PyMethodDef* def : layout.functions) {
        if (auto done = register_function(module, def); !done) return done;
    }
    for (const ClassEntry& entry : layout.classes) {
        if (auto done = register_class(module, entry); !done) return done;
    }
    return {};
}

}  // namespace velmor::py
