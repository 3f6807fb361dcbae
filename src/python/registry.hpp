#pragma once

#include <Python.h>

#include <span>

#include "errors.hpp"

namespace velmor::py {

// A class as registration sees it: its attribute name and the getter of its type object.
struct ClassEntry {
    const char* name;
    PyTypeObject* (*type)();
};

// What one module registers, in registration order: functions first, then classes.
struct ModuleLayout {
    std::span<PyMethodDef* const> functions;
    std::span<const ClassEntry> classes;
};

// The three module layouts; module_layout.cpp is the one table a new function or class is added to.
const ModuleLayout& main_module_layout();
const ModuleLayout& projection_module_layout();
const ModuleLayout& utils_module_layout();

// Sets module.<name> = value and appends name to the module's __all__ (created empty on first use).
Result<void> publish(PyObject* module, const char* name, PyObject* value);

// Registers every function and class of the layout in order.
Result<void> register_layout(PyObject* module, const ModuleLayout& layout);

}  // namespace velmor::py
