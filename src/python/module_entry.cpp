// The extension module's entry point: creates the main module and its two submodules once per
// process, registers everything in the order of module_layout.cpp, probes for the runtime core library,
// sets __version__ and finally makes Geometry(...) the geometry factory.
#include <Python.h>

#include "entry.hpp"
#include "geometry/geometry_base.hpp"
#include "registry.hpp"
#include "runtime_probe.hpp"
#include "version.hpp"

namespace velmor::py {
namespace {

PyModuleDef main_definition = {
    PyModuleDef_HEAD_INIT,
    "velmor_geometry",
    "High-performance Python geographic geometry library for the Velmor platform.\n\n"
    "Points, envelopes, multipoints, polylines and polygons with true curves; conversions from\n"
    "dictionaries, OvraJSON, WKT and WKB; geometry-engine operations, spatial references and\n"
    "datum transformations.",
    -1,
    nullptr,
};

PyModuleDef projection_definition = {
    PyModuleDef_HEAD_INIT, "projection", "Projection and datum transformation utilities for Velmor geometries",
    -1, nullptr,
};

PyModuleDef utils_definition = {
    PyModuleDef_HEAD_INIT, "utils", "Utility functions for Velmor geometries", -1, nullptr,
};

// Creates a submodule (once per process), registers its layout, publishes it in sys.modules under
// its dotted key and on the parent under its short __name__.
Result<void> attach_submodule(PyObject* parent, PyModuleDef* definition, const ModuleLayout& layout) {
    Ref submodule = Ref::steal(PyModule_Create(definition));
    if (!submodule) return fail(python_error());
    if (auto done = register_layout(submodule.get(), layout); !done) return done;
    Ref short_name = Ref::steal(PyObject_GetAttrString(submodule.get(), "__name__"));
    const char* name = short_name ? PyUnicode_AsUTF8(short_name.get()) : nullptr;
    if (name == nullptr) return fail(python_error());
    const std::string key = std::string("velmor_geometry.") + name;
    PyObject* modules = PyImport_GetModuleDict();  // borrowed
    if (PyDict_SetItemString(modules, key.c_str(), submodule.get()) < 0) return fail(python_error());
    return publish(parent, name, submodule.get());
}

Result<Ref> create_main_module() {
    Ref module = Ref::steal(PyModule_Create(&main_definition));
    if (!module) return fail(python_error());
    if (auto done = register_layout(module.get(), main_module_layout()); !done) return fail(std::move(done.error()));
    if (auto done = attach_submodule(module.get(), &projection_definition, projection_module_layout()); !done) {
        return fail(std::move(done.error()));
    }
    if (auto done = attach_submodule(module.get(), &utils_definition, utils_module_layout()); !done) {
        return fail(std::move(done.error()));
    }
    // Reachable for `except velmor_geometry.PanicException`, but not part of __all__.
    PyObject* panic = panic_exception_type();
    if (panic == nullptr || PyModule_AddObjectRef(module.get(), "PanicException", panic) < 0) {
        return fail(python_error());
    }
    probe_runtime_library();
    Ref version = Ref::steal(PyUnicode_FromString(module_version().c_str()));
    if (!version) return fail(python_error());
    if (auto done = publish(module.get(), "__version__", version.get()); !done) return fail(std::move(done.error()));
    if (auto done = install_geometry_factory(module.get()); !done) return fail(std::move(done.error()));
    return module;
}

Result<Ref> main_module() {
    if (PyInterpreterState_Get() != PyInterpreterState_Main()) {
        return fail(raise_error(PyExc_ImportError, "velmor_geometry does not support subinterpreters"));
    }
    // Created once per process; a partly built module is discarded, so a failed import can be retried.
    static PyObject* cached = nullptr;
    if (cached == nullptr) {
        auto created = create_main_module();
        if (!created) return created;
        cached = created->release();
    }
    return Ref::borrow(cached);
}

}  // namespace
}  // namespace velmor::py

PyMODINIT_FUNC PyInit_velmor_geometry() {
    return velmor::py::guard([] { return velmor::py::main_module(); });
}
