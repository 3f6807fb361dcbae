#include "dict_builder.hpp"

namespace velmor::py::utils {

Result<Ref> DictBuilder::take_result() {
    if (stack_.empty()) return fail(raise_error(PyExc_IndexError, "empty stack"));
    Ref top = stack_.pop();
    if (!PyDict_Check(top.get())) {
        return fail(raise_error(PyExc_TypeError,
                                "'" + type_name(top.get()) + "' object cannot be converted to 'dict'"));
    }
    return top;
}

}  // namespace velmor::py::utils
