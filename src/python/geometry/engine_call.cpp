#include "geometry/engine_call.hpp"

#include <string>

#include "geometry/runtime_conversion.hpp"
#include "runtime/geometry.hpp"

namespace velmor::py {

Result<Ref> engine_geometry_result(runtime::RuntimeResult<GK_GeometryHandle> outcome) {
    if (!outcome) return fail(runtime::to_native_error(outcome.error()));
    if (*outcome == nullptr) return Ref::borrow(Py_None);
    return geometry_from_runtime(runtime::take_geometry(*outcome));
}

Result<PyObject*> require_instance(PyObject* value, PyTypeObject* type, const char* function, const char* parameter) {
    if (type == nullptr) return fail(python_error());
    if (PyObject_TypeCheck(value, type)) return value;
    return fail(raise_error(PyExc_TypeError, std::string(function) + "() argument '" + parameter + "' must be " +
                                                 type->tp_name + ", not " + type_name(value)));
}

}  // namespace velmor::py
