#include <gtest/gtest.h>

#include <stdexcept>

#include "args.hpp"
#include "embedded_python.hpp"
#include "entry.hpp"

namespace py = velmor::py;
using velmor::core::Dims;
using velmor::core::NativeError;
using velmor::test::take_exception;
using velmor::test::take_exception_text;

namespace {

PyObject* entry_failing_with(NativeError (*make)()) {
    return py::guard([&]() -> py::Result<py::Ref> { return py::fail(make()); });
}

TEST(ErrorBoundary, NativeErrorsBecomeExceptionWithDisplayText) {
    struct Case {
        NativeError (*make)();
        const char* text;
    } cases[] = {
        {[] { return NativeError::geokern("No error message found"); },
         "Exception: Geokern library error: 'No error message found'"},
        {[] { return NativeError::mismatching_dims(Dims::XYZ, Dims::XY); },
         "Exception: Mismatching dimensions, expected 'XYZ' but got 'XY'"},
        {[] { return NativeError::poisoned_lock(); },
         "Exception: Lock error: 'poisoned lock: another task failed inside'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(entry_failing_with(c.make), nullptr);
        py::Ref exception = take_exception();
        EXPECT_EQ(Py_TYPE(exception.get()), reinterpret_cast<PyTypeObject*>(PyExc_Exception));
        EXPECT_EQ(py::type_name(exception.get()) + ": " + py::describe(exception.get()), c.text);
    }
}

TEST(ErrorBoundary, CarriedPythonExceptionIsReraisedUnchanged) {
    py::Ref original = py::Ref::steal(PyObject_CallFunction(PyExc_KeyError, "s", "missing"));
    PyObject* result = py::guard([&]() -> py::Result<py::Ref> {
        PyErr_SetObject(PyExc_KeyError, original.get());
        return py::fail(py::python_error());
    });
    EXPECT_EQ(result, nullptr);
    py::Ref raised = take_exception();
    EXPECT_EQ(raised.get(), original.get());
}

TEST(ErrorBoundary, FailureWithoutExceptionBecomesSystemError) {
    EXPECT_EQ(py::guard([]() -> py::Result<py::Ref> { return py::fail(py::python_error()); }), nullptr);
    EXPECT_EQ(take_exception_text(), "SystemError: attempted to fetch exception but none was set");
}

TEST(ErrorBoundary, InternalFailuresBecomePanicException) {
    EXPECT_EQ(py::guard([]() -> py::Result<py::Ref> { velmor::core::internal_failure("Lock poisoned"); }),
              nullptr);
    py::Ref panic = take_exception();
    EXPECT_EQ(reinterpret_cast<PyObject*>(Py_TYPE(panic.get())), py::panic_exception_type());
    EXPECT_EQ(py::describe(panic.get()), "Lock poisoned");
    EXPECT_FALSE(PyObject_IsInstance(panic.get(), PyExc_Exception));
    EXPECT_TRUE(PyObject_IsInstance(panic.get(), PyExc_BaseException));

    EXPECT_EQ(py::guard([]() -> py::Result<py::Ref> { throw std::logic_error("boom"); }), nullptr);
    EXPECT_EQ(take_exception_text(), "PanicException: Internal error: boom");
}

TEST(ErrorBoundary, SlotReturnConventions) {
    EXPECT_EQ(py::guard([]() -> py::Result<void> { return {}; }), 0);
    EXPECT_EQ(py::guard([]() -> py::Result<bool> { return true; }), 1);
    EXPECT_EQ(py::guard([]() -> py::Result<Py_ssize_t> { return Py_ssize_t{7}; }), 7);
    EXPECT_EQ(py::guard([] { return py::refuse_attribute_delete(); }), -1);
    EXPECT_EQ(take_exception_text(), "AttributeError: can't delete attribute");
    EXPECT_EQ(py::guard([] { return py::refuse_item_delete(); }), -1);
    EXPECT_EQ(take_exception_text(), "NotImplementedError: can't delete item");
}

TEST(ErrorBoundary, PythonCastNamesTheTypeName) {
    py::Ref number = py::Ref::steal(PyLong_FromLong(3));
    const NativeError error = NativeError::python_cast(py::type_name(number.get()), "Point");
    EXPECT_EQ(error.display(), "Python cast error: ''int' object cannot be cast as 'Point''");
}

PyObject* call_bound(const py::Parameters<2>& params, PyObject* args, PyObject* kwargs, std::string& out) {
    // Builds a vectorcall argument array the way the interpreter does.
    std::vector<PyObject*> stack;
    const Py_ssize_t npos = PyTuple_GET_SIZE(args);
    for (Py_ssize_t i = 0; i < npos; ++i) stack.push_back(PyTuple_GET_ITEM(args, i));
    py::Ref names;
    if (kwargs != nullptr) {
        names = py::Ref::steal(PyTuple_New(PyDict_GET_SIZE(kwargs)));
        Py_ssize_t pos = 0, k = 0;
        PyObject *key, *value;
        while (PyDict_Next(kwargs, &pos, &key, &value)) {
            PyTuple_SET_ITEM(names.get(), k++, py::Ref::borrow(key).release());
            stack.push_back(value);
        }
    }
    return py::guard([&]() -> py::Result<py::Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, py::bind(params, stack.data(), npos, names.get()));
        out.clear();
        for (PyObject* arg : bound) out += arg ? py::describe(arg) + ";" : std::string("-;");
        return py::Ref::borrow(Py_None);
    });
}

TEST(ArgumentBinding, PositionalKeywordAndErrors) {
    const py::Parameters<2> params{"area", {"geometries", "unit"}, 1};
    struct Case {
        const char* args;
        const char* kwargs;
        const char* expected;
    } cases[] = {
        {"(1,)", "None", "1;-;"},
        {"(1, 2)", "None", "1;2;"},
        {"()", "{'unit': 5, 'geometries': 4}", "4;5;"},
        {"(1, 2, 3)", "None", "TypeError: area() takes at most 2 arguments (3 given)"},
        {"()", "{'unit': 5}", "TypeError: area() missing required argument 'geometries' (pos 1)"},
        {"(1,)", "{'geometries': 1}", "TypeError: argument for area() given by name ('geometries') and position (1)"},
        {"(1,)", "{'units': 1}", "TypeError: area() got an unexpected keyword argument 'units'"},
    };
    for (const auto& c : cases) {
        py::Ref args = py::Ref::steal(PyRun_String(c.args, Py_eval_input, PyEval_GetBuiltins(), nullptr));
        py::Ref kwargs = py::Ref::steal(PyRun_String(c.kwargs, Py_eval_input, PyEval_GetBuiltins(), nullptr));
        ASSERT_TRUE(args && kwargs);
        std::string out;
        PyObject* result = call_bound(params, args.get(), kwargs.get() == Py_None ? nullptr : kwargs.get(), out);
        if (result == nullptr) out = take_exception_text();
        py::Ref owned = py::Ref::steal(result);
        EXPECT_EQ(out, c.expected) << c.args << " " << c.kwargs;
    }
}

}  // namespace
