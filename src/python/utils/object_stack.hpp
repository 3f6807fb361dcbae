#pragma once

#include <Python.h>

#include <vector>

#include "errors.hpp"

namespace velmor::py::utils {

// The objects under construction while a builder follows the event stream: position lists, finished
// geometry dictionaries, the list of a collection. Whatever is left is released with the stack.
class ObjectStack {
  public:
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    void push(Ref object) { items_.push_back(std::move(object)); }
    // The readers balance their events, so popping an empty stack or appending to something that is not
    // a list is a broken invariant, not an input error.
    Ref pop();
    Result<void> append_to_top(PyObject* item);

  private:
    std::vector<Ref> items_;
};

}  // namespace velmor::py::utils
