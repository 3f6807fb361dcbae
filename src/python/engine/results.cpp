#include "engine/results.hpp"

#include "engine/loop.hpp"

#include "geometry/runtime_conversion.hpp"
#include "runtime/containers.hpp"
#include "runtime/error.hpp"

namespace velmor::py::engine {

Result<Ref> GeometryResult::geometry_result(GK_GeometryHandle geometry) {
    return geometry_from_runtime(runtime::GeometryOwned::take(geometry));
}

Result<Ref> PolygonResult::polygon_result(GK_GeometryHandle polygon) {
    return geometry_from_runtime(runtime::transfer<runtime::GeometryOwned>(runtime::Polygon::take(polygon)));
}

Result<Ref> EnvelopeResult::envelope_result(GK_GeometryHandle envelope) {
    return geometry_from_runtime(runtime::transfer<runtime::GeometryOwned>(runtime::Envelope::take(envelope)));
}

Result<Ref> FloatResult::float_object(double value) {
    Ref result = Ref::steal(PyFloat_FromDouble(value));
    if (!result) return fail(python_error());
    return result;
}

Result<std::vector<runtime::GeometryOwned>> geometries_of_array(GK_ArrayHandle array) {
    auto owners = runtime::array_to_list<runtime::GeometryOwnedTag>(array, runtime::functions().Element_getValueAsGeometry);
    if (!owners) return fail(runtime::to_native_error(owners.error()));
    return std::move(*owners);
}

Result<Ref> geometry_list(std::vector<runtime::GeometryOwned> geometries) {
    Ref list = Ref::steal(PyList_New(static_cast<Py_ssize_t>(geometries.size())));
    if (!list) return fail(python_error());
    for (std::size_t i = 0; i < geometries.size(); ++i) {
        VELMOR_TRY_ASSIGN(Ref object, geometry_from_runtime(std::move(geometries[i])));
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), object.release());
    }
    return list;
}

Result<Ref> GeometryListResult::geometry_list(GK_ArrayHandle array) {
    VELMOR_TRY_ASSIGN(std::vector<runtime::GeometryOwned> geometries, geometries_of_array(array));
    return engine::geometry_list(std::move(geometries));
}

Result<Ref> single_result(Ref list, bool flag) {
    const Py_ssize_t size = PyList_GET_SIZE(list.get());
    if (size == 0 || !flag) return list;
    if (size == 1) return Ref::borrow(PyList_GET_ITEM(list.get(), 0));
    return fail(NativeError::geokern("Internal error: Did not get a singular geometry from engine with union_result set to true"));
}

Result<Ref> single_result_of_array(GK_ArrayHandle array, bool flag) {
    VELMOR_TRY_ASSIGN(std::vector<runtime::GeometryOwned> geometries, geometries_of_array(array));
    VELMOR_TRY_ASSIGN(Ref list, geometry_list(std::move(geometries)));
    return single_result(std::move(list), flag);
}

Result<Ref> BoolListShape::finish(State state) {
    Ref list = Ref::steal(PyList_New(static_cast<Py_ssize_t>(state.size())));
    if (!list) return fail(python_error());
    for (std::size_t i = 0; i < state.size(); ++i) {
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), Py_NewRef(state[i] ? Py_True : Py_False));
    }
    return list;
}

Result<Ref> FloatListShape::finish(State state) {
    Ref list = Ref::steal(PyList_New(static_cast<Py_ssize_t>(state.size())));
    if (!list) return fail(python_error());
    for (std::size_t i = 0; i < state.size(); ++i) {
        VELMOR_TRY_ASSIGN(Ref number, FloatResult::float_object(state[i]));
        PyList_SET_ITEM(list.get(), static_cast<Py_ssize_t>(i), number.release());
    }
    return list;
}

}  // namespace velmor::py::engine
