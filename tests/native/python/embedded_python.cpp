#include "embedded_python.hpp"

#include <gtest/gtest.h>

#include "errors.hpp"

namespace velmor::test {

std::string eval_text(const std::string& statements, const std::string& expression) {
    PyObject* main = PyImport_AddModule("__main__");  // borrowed
    PyObject* globals = PyModule_GetDict(main);       // borrowed
    py::Ref done = py::Ref::steal(PyRun_String(statements.c_str(), Py_file_input, globals, globals));
    if (!done) {
        PyErr_Print();
        return {};
    }
    py::Ref value = py::Ref::steal(PyRun_String(expression.c_str(), Py_eval_input, globals, globals));
    if (!value) {
        PyErr_Print();
        return {};
    }
    return py::describe(value.get());
}

py::Ref take_exception() {
    EXPECT_TRUE(PyErr_Occurred() != nullptr);
#if PY_VERSION_HEX >= 0x030C0000
    return py::Ref::steal(PyErr_GetRaisedException());
#else
    PyObject *type = nullptr, *value = nullptr, *traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    py::Ref owned_type = py::Ref::steal(type), owned_traceback = py::Ref::steal(traceback);
    return py::Ref::steal(value);
#endif
}

std::string take_exception_text() {
    py::Ref exception = take_exception();
    if (!exception) return "<no exception>";
    return py::type_name(exception.get()) + ": " + py::describe(exception.get());
}

}  // namespace velmor::test

namespace {

// One interpreter for the whole test binary.
class InterpreterEnvironment : public ::testing::Environment {
public:
    void SetUp() override { Py_InitializeEx(0); }
    void TearDown() override { Py_FinalizeEx(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new InterpreterEnvironment);  // gtest takes ownership
    return RUN_ALL_TESTS();
}
