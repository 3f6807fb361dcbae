#pragma once

#include <Python.h>

#include <span>

// The functions of the projection submodule, in registration order.
namespace velmor::py {

std::span<PyMethodDef* const> projection_functions();

}  // namespace velmor::py
