#pragma once

#include <Python.h>

#include <array>
#include <cstring>
#include <string>

#include "errors.hpp"

namespace velmor::py {

// The parameters of a Python-callable function taking arguments by position or keyword
// (METH_FASTCALL | METH_KEYWORDS). The first `required` names are mandatory.
template <std::size_t N>
struct Parameters {
    const char* function;
    std::array<const char*, N> names;
    std::size_t required = N;
};

template <std::size_t N>
Parameters(const char*, std::array<const char*, N>, std::size_t) -> Parameters<N>;

// Binds positional and keyword arguments to the parameters; an optional parameter that was not given
// is null. The arguments are borrowed from the caller.
template <std::size_t N>
Result<std::array<PyObject*, N>> bind(const Parameters<N>& params, PyObject* const* args, Py_ssize_t nargsf,
                                      PyObject* kwnames) {
    // The name is only spelled out when an error needs it: binding runs on every call.
    const auto fn = [&] { return std::string(params.function) + "()"; };
    std::array<PyObject*, N> bound{};
    const auto positional = static_cast<std::size_t>(PyVectorcall_NARGS(nargsf));
    if (positional > N) {
        return fail(raise_error(PyExc_TypeError, fn() + " takes at most " + std::to_string(N) + " argument" +
                                                     (N == 1 ? "" : "s") + " (" + std::to_string(positional) +
                                                     " given)"));
    }
    for (std::size_t i = 0; i < positional; ++i) bound[i] = args[i];
    const Py_ssize_t keywords = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
    for (Py_ssize_t k = 0; k < keywords; ++k) {
        PyObject* key = PyTuple_GET_ITEM(kwnames, k);
        const char* name = PyUnicode_AsUTF8(key);
        if (name == nullptr) return fail(python_error());
        std::size_t index = 0;
        while (index < N && std::strcmp(params.names[index], name) != 0) ++index;
        if (index == N) {
            return fail(raise_error(PyExc_TypeError,
                                    fn() + " got an unexpected keyword argument '" + name + "'"));
        }
        if (bound[index] != nullptr) {
            return fail(raise_error(PyExc_TypeError, "argument for " + fn() + " given by name ('" + name +
                                                         "') and position (" + std::to_string(index + 1) + ")"));
        }
        bound[index] = args[positional + static_cast<std::size_t>(k)];
    }
    for (std::size_t i = 0; i < params.required; ++i) {
        if (bound[i] == nullptr) {
            return fail(raise_error(PyExc_TypeError, fn() + " missing required argument '" + params.names[i] +
                                                         "' (pos " + std::to_string(i + 1) + ")"));
        }
    }
    return bound;
}

// A method of any calling convention as the PyCFunction that a PyMethodDef stores.
template <class Function>
PyCFunction as_cfunction(Function function) {
    return reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(function));
}

// The TypeError of an argument of the wrong kind: "argument '<name>': '<type>' object cannot be converted
// to '<expected>'".
inline NativeError argument_refused(PyObject* value, const char* parameter, const char* expected) {
    return raise_error(PyExc_TypeError, std::string("argument '") + parameter + "': '" + type_name(value) +
                                            "' object cannot be converted to '" + expected + "'");
}

// A float argument (floats, ints and objects with a float or index conversion); the TypeError of a value
// without a conversion names the parameter.
inline Result<double> float_argument(PyObject* value, const char* parameter) {
    const double converted = PyFloat_AsDouble(value);
    if (converted == -1.0 && PyErr_Occurred()) {
        if (runs_own_float_conversion(value)) return fail(python_error());
        PyErr_Clear();
        return fail(argument_refused(value, parameter, "PyFloat"));
    }
    return converted;
}

// A bool argument: only True and False.
inline Result<bool> bool_argument(PyObject* value, const char* parameter) {
    if (PyBool_Check(value)) return value == Py_True;
    return fail(argument_refused(value, parameter, "PyBool"));
}

}  // namespace velmor::py
