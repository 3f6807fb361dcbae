#include "engine/argument_kinds.hpp"

#include <string>
#include <string_view>

#include "args.hpp"
#include "core/internal_failure.hpp"
#include "geometry/envelope.hpp"
#include "geometry/geometry_base.hpp"
#include "geometry/point.hpp"
#include "geometry/polyline.hpp"
#include "geometry/runtime_conversion.hpp"
#include "projection/datum_transformation.hpp"
#include "runtime/spatial/units.hpp"
#include "spatial/area_unit.hpp"
#include "spatial/enumerations.hpp"
#include "spatial/spatial_reference.hpp"

namespace velmor::py::engine {
namespace {

bool given(PyObject* argument) { return argument != nullptr && argument != Py_None; }

// The argument itself when it is an instance of the class (or a subclass); otherwise the TypeError
// naming the parameter.
Result<PyObject*> instance_of(PyObject* argument, PyTypeObject* type, const char* name, const char* expected) {
    if (type == nullptr) return fail(python_error());
    if (PyObject_TypeCheck(argument, type)) return argument;
    return fail(argument_refused(argument, name, expected));
}

// A geometry taken over from a conversion result, as the optional a geometry kind holds.
Result<GeometryHolderKind::Prepared> held(core::Result<runtime::GeometryOwned> converted) {
    if (!converted) return fail(std::move(converted.error()));
    return GeometryHolderKind::Prepared(std::move(*converted));
}

}  // namespace

Result<double> FloatArg::convert(PyObject* argument, const char* name) {
    if (argument == nullptr) return 0.0;
    return float_argument(argument, name);
}

Result<std::optional<double>> OptionalFloatArg::convert(PyObject* argument, const char* name) {
    if (!given(argument)) return std::optional<double>();
    VELMOR_TRY_ASSIGN(double value, float_argument(argument, name));
    return std::optional<double>(value);
}

Result<bool> BoolArg::convert(PyObject* argument, const char* name) {
    if (argument == nullptr) return false;
    return bool_argument(argument, name);
}

template <bool Optional>
Result<std::optional<int32_t>> CurveTypeArg<Optional>::convert(PyObject* argument, const char* name) {
    if (Optional && !given(argument)) return std::optional<int32_t>();
    VELMOR_TRY_ASSIGN(int32_t code, enumeration_code(geodetic_curve_type_type(), argument, name));
    return std::optional<int32_t>(code);
}
template struct CurveTypeArg<false>;
template struct CurveTypeArg<true>;

template <bool Optional>
Result<std::optional<int32_t>> LinearUnitArg<Optional>::convert(PyObject* argument, const char* name) {
    if (Optional && !given(argument)) return std::optional<int32_t>();
    VELMOR_TRY_ASSIGN(int32_t code, enumeration_code(linear_unit_id_type(), argument, name));
    return std::optional<int32_t>(code);
}

template <bool Optional>
Result<typename LinearUnitArg<Optional>::Prepared> LinearUnitArg<Optional>::prepare(const Value& code, const char*) {
    if (!code) return Prepared();
    VELMOR_TRY_ASSIGN(runtime::LinearUnit unit, runtime_linear_unit(*code));
    return Prepared(std::move(unit));
}
template struct LinearUnitArg<false>;
template struct LinearUnitArg<true>;

Result<runtime::LinearUnit> runtime_linear_unit(int32_t code) {
    auto unit = runtime::linear_unit(code);
    if (!unit) return fail(raise_error(PyExc_ValueError, "Invalid LinearUnitId: " + unit.error().debug()));
    return std::move(*unit);
}

Result<std::optional<int32_t>> AreaUnitCodeArg::convert(PyObject* argument, const char*) {
    if (!given(argument)) return std::optional<int32_t>();
    if (const runtime::AreaUnit* unit = area_unit_of(argument)) return std::optional<int32_t>(runtime::area_unit_id(*unit));
    PyTypeObject* ids = area_unit_id_type();
    if (ids == nullptr) return fail(python_error());
    if (Py_IS_TYPE(argument, ids)) {
        VELMOR_TRY_ASSIGN(int32_t code, enumeration_code(ids, argument, "unit"));
        return std::optional<int32_t>(code);
    }
    return fail(raise_error(PyExc_TypeError, "Expected an AreaUnit or AreaUnitId argument"));
}

Result<const runtime::AreaUnit*> AreaUnitObjectArg::convert(PyObject* argument, const char* name) {
    if (!given(argument)) return static_cast<const runtime::AreaUnit*>(nullptr);
    if (const runtime::AreaUnit* unit = area_unit_of(argument)) return unit;
    return fail(argument_refused(argument, name, "AreaUnit"));
}

Result<PyObject*> TextArg::convert(PyObject* argument, const char* name) {
    if (PyUnicode_Check(argument)) return argument;
    return fail(argument_refused(argument, name, "PyString"));
}

Result<std::string> TextArg::prepare(PyObject* text, const char*) {
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(text, &size);
    if (utf8 == nullptr) return fail(python_error());
    const std::string_view view(utf8, static_cast<std::size_t>(size));
    if (const auto nul = view.find('\0'); nul != std::string_view::npos) {
        core::internal_failure("Failed to convert string to CString: nul byte found in provided data at position: " +
                               std::to_string(nul));
    }
    return std::string(view);
}

Result<PyObject*> SpatialReferenceArg::convert(PyObject* argument, const char*) {
    VELMOR_TRY(spatial_reference_from_py(argument));
    return argument;
}

Result<runtime::SpatialReference> SpatialReferenceArg::prepare(PyObject* argument, const char*) {
    return runtime_spatial_reference_argument(argument);
}

Result<GK_DatumTransformationHandle> DatumTransformationArg::convert(PyObject* argument, const char* name) {
    if (GK_DatumTransformationHandle transformation = datum_transformation_of(argument)) return transformation;
    return fail(argument_refused(argument, name, "DatumTransformation"));
}

Result<PyObject*> GeometryArg::convert(PyObject* argument, const char* name) {
    return instance_of(argument, geometry_type(), name, "Geometry");
}

Result<GeometryHolderKind::Prepared> GeometryArg::prepare(PyObject* geometry, const char*) {
    return held(geometry_to_runtime(geometry));
}

namespace {

// Each attached class's type, its name in messages and how its native value becomes a runtime geometry,
// in the order of AttachedClass.
struct AttachedClassInfo {
    PyTypeObject* (*type)();
    const char* name;
    core::Result<runtime::GeometryOwned> (*runtime_value)(PyObject*);
};
const AttachedClassInfo attached_classes[] = {
    {point_type, "Point", point_runtime_value},
    {envelope_type, "Envelope", envelope_runtime_value},
    {polyline_type, "Polyline", polyline_runtime_value},
};

}  // namespace

template <AttachedClass Class>
Result<PyObject*> AttachedArg<Class>::convert(PyObject* argument, const char* name) {
    const AttachedClassInfo& info = attached_classes[static_cast<int>(Class)];
    return instance_of(argument, info.type(), name, info.name);
}

template <AttachedClass Class>
Result<GeometryHolderKind::Prepared> AttachedArg<Class>::prepare(PyObject* geometry, const char*) {
    return held(attached_classes[static_cast<int>(Class)].runtime_value(geometry));
}

template struct AttachedArg<AttachedClass::Point>;
template struct AttachedArg<AttachedClass::Envelope>;
template struct AttachedArg<AttachedClass::Polyline>;

Result<PyObject*> OptionalPointArg::convert(PyObject* argument, const char* name) {
    if (argument == Py_None) return static_cast<PyObject*>(nullptr);
    return PointArg::convert(argument, name);
}

Result<GeometryHolderKind::Prepared> OptionalPointArg::prepare(PyObject* point, const char* name) {
    if (point == nullptr) return Prepared();
    return PointArg::prepare(point, name);
}

Result<std::vector<runtime::GeometryOwned>> runtime_geometries(PyObject* iterable) {
    Ref iterator = Ref::steal(PyObject_GetIter(iterable));
    if (!iterator) return fail(python_error());
    std::vector<runtime::GeometryOwned> geometries;
    while (Ref item = Ref::steal(PyIter_Next(iterator.get()))) {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned geometry, geometry_to_runtime(item.get()));
        geometries.push_back(std::move(geometry));
    }
    if (PyErr_Occurred()) return fail(python_error());
    return geometries;
}

Result<runtime::VectorOwned> geometry_vector(const std::vector<runtime::GeometryOwned>& geometries) {
    const runtime::FunctionTable& gk = runtime::functions();
    return runtime::list_to_vector(GK_ELEMENT_TYPE_GEOMETRY, geometries.size(),
                                   [&](GK_ElementHandle element, std::size_t i) {
                                       return runtime::as_native(runtime::invoke(gk.Element_setValueFromGeometry,
                                                                                 element, geometries[i].get()));
                                   });
}

Result<runtime::VectorOwned> GeometriesArg::prepare(PyObject* iterable, const char*) {
    VELMOR_TRY_ASSIGN(std::vector<runtime::GeometryOwned> geometries, runtime_geometries(iterable));
    return geometry_vector(geometries);
}

Result<runtime::VectorOwned> FloatsArg::prepare(PyObject* iterable, const char* name) {
    Ref iterator = Ref::steal(PyObject_GetIter(iterable));
    if (!iterator) return fail(python_error());
    std::vector<double> values;
    while (Ref item = Ref::steal(PyIter_Next(iterator.get()))) {
        VELMOR_TRY_ASSIGN(double value, float_argument(item.get(), name));
        values.push_back(value);
    }
    if (PyErr_Occurred()) return fail(python_error());
    return runtime::vector_of_doubles(values);
}

}  // namespace velmor::py::engine
