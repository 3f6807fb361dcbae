#pragma once

#include <Python.h>

#include <span>

// The collection functions of the main module, made from their catalogue, in registration order.
namespace velmor::py::engine {

std::span<PyMethodDef* const> collection_functions();

}  // namespace velmor::py::engine
