#pragma once

#include <Python.h>

#include <cstddef>
#include <tuple>
#include <vector>

#include "errors.hpp"
#include "runtime/owned.hpp"

// The result kinds of engine calls: how what a runtime function returned becomes a Python value. Each
// takes the returned value and the call's converted arguments (only the single-result kinds read them).
namespace velmor::py::engine {

// Any geometry: a new object of the class its runtime object type selects.
struct GeometryResult {
    static Result<Ref> convert(GK_GeometryHandle geometry, const auto&) { return geometry_result(geometry); }
    static Result<Ref> geometry_result(GK_GeometryHandle geometry);
};

// A geometry, or None when the runtime core returns none without an error (extend: nothing to extend).
struct OptionalGeometryResult {
    static Result<Ref> convert(GK_GeometryHandle geometry, const auto&) {
        if (geometry == nullptr) return Ref::borrow(Py_None);
        return GeometryResult::geometry_result(geometry);
    }
};

// A geometry that can only be a polygon (the buffers).
struct PolygonResult {
    static Result<Ref> convert(GK_GeometryHandle polygon, const auto&) { return polygon_result(polygon); }
    static Result<Ref> polygon_result(GK_GeometryHandle polygon);
};

// A geometry that can only be an envelope (the combined extents).
struct EnvelopeResult {
    static Result<Ref> convert(GK_GeometryHandle envelope, const auto&) { return envelope_result(envelope); }
    static Result<Ref> envelope_result(GK_GeometryHandle envelope);
};

struct BoolResult {
    static Result<Ref> convert(GK_Bool value, const auto&) { return Ref::borrow(value ? Py_True : Py_False); }
};

struct FloatResult {
    static Result<Ref> convert(double value, const auto&) { return float_object(value); }
    static Result<Ref> float_object(double value);
};

// A runtime array of geometries: a list in array order.
struct GeometryListResult {
    static Result<Ref> convert(GK_ArrayHandle array, const auto&) { return geometry_list(array); }
    static Result<Ref> geometry_list(GK_ArrayHandle array);
};

// The single-result rule of the collection members that can merge their results: an empty list stays
// a list whatever the flag; without the flag, the list; with it, the one geometry itself, and more
// than one geometry is the Geokern kind "Internal error: Did not get a singular geometry from engine
// with union_result set to true".
Result<Ref> single_result(Ref list, bool flag);
Result<Ref> single_result_of_array(GK_ArrayHandle array, bool flag);

// A runtime array of geometries read under the single-result rule, with the flag argument at `Flag`.
template <std::size_t Flag>
struct SingleResult {
    static Result<Ref> convert(GK_ArrayHandle array, const auto& arguments) {
        return single_result_of_array(array, std::get<Flag>(arguments));
    }
};

// The geometries of a runtime array, taken over in array order (array and elements released).
Result<std::vector<runtime::GeometryOwned>> geometries_of_array(GK_ArrayHandle array);

// New Python objects for runtime geometries, as a list in order.
Result<Ref> geometry_list(std::vector<runtime::GeometryOwned> geometries);


}  // namespace velmor::py::engine
