#pragma once

#include <Python.h>

#include <string>

#include "ref.hpp"

namespace velmor::test {

// Runs Python code in the embedded interpreter's __main__ and returns the value of `expression`
// afterwards as text (empty when evaluation failed; the error is printed).
std::string eval_text(const std::string& statements, const std::string& expression);

// Takes the raised exception (asserting one is set) and returns "<TypeName>: <str>".
std::string take_exception_text();

// Takes the raised exception object itself.
py::Ref take_exception();

}  // namespace velmor::test
