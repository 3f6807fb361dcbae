#include "object_stack.hpp"

#include "containers.hpp"
#include "core/internal_failure.hpp"

namespace velmor::py::utils {

Ref ObjectStack::pop() {
    if (items_.empty()) core::internal_failure("Internal error: geometry builder stack underflow");
    Ref top = std::move(items_.back());
    items_.pop_back();
    return top;
}

Result<void> ObjectStack::append_to_top(PyObject* item) {
    if (items_.empty() || !PyList_CheckExact(items_.back().get())) {
        core::internal_failure("Internal error: geometry builder appends to something that is not a list");
    }
    return append(items_.back().get(), item);
}

}  // namespace velmor::py::utils
