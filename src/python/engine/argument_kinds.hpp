#pragma once

#include <Python.h>

#include <cstdint>
#include <optional>
#include <string>

#include "errors.hpp"
#include "runtime/containers.hpp"
#include "runtime/owned.hpp"

// The kinds of engine arguments. Each kind says how a Python value is checked (convert, in signature
// order, before anything reaches the runtime core), how it becomes what the engine call needs
// (prepare, in the phase the kind belongs to) and what is handed to the runtime function (pass).
// An omitted optional argument arrives as null; a required one never does.
namespace velmor::py::engine {

// When a kind's runtime object is made, relative to the receiver: units, spatial references and text
// before it, geometry arguments and iterables after it, origin, cutter and envelope last.
enum class Phase { Plain, BeforeReceiver, Geometry, Attached };

// Kinds whose value is handed over as it is.
template <class V>
struct PlainKind {
    using Value = V;
    using Prepared = V;
    static constexpr Phase phase = Phase::Plain;
    static constexpr bool collects = false;
    static Result<Prepared> prepare(const Value& value, const char*) { return value; }
    static V pass(const Prepared& value) { return value; }
};

// A float: floats, ints and objects with a float or index conversion. Omitted means 0.0 (the only
// default a float parameter of the catalogue has).
struct FloatArg : PlainKind<double> {
    static Result<double> convert(PyObject* argument, const char* name);
};

// A float or None.
struct OptionalFloatArg : PlainKind<std::optional<double>> {
    static Result<std::optional<double>> convert(PyObject* argument, const char* name);
};

// A bool, passed as the flag 0 or 1. Omitted means False.
struct BoolArg {
    using Value = bool;
    using Prepared = bool;
    static constexpr Phase phase = Phase::Plain;
    static constexpr bool collects = false;
    static Result<bool> convert(PyObject* argument, const char* name);
    static Result<bool> prepare(bool value, const char*) { return value; }
    static GK_Bool pass(bool value) { return value ? 1 : 0; }
};

// A member of GeodeticCurveType; with Optional, None or omitted means none is given.
template <bool Optional>
struct CurveTypeArg : PlainKind<std::optional<int32_t>> {
    static Result<std::optional<int32_t>> convert(PyObject* argument, const char* name);
    static GK_GeodeticCurveType pass(const std::optional<int32_t>& code) { return code.value_or(0); }
};
using CurveType = CurveTypeArg<false>;
using OptionalCurveType = CurveTypeArg<true>;

// A member of LinearUnitId (never a plain int); with Optional, None or omitted means no unit. The
// runtime unit is made before the receiver; a code the runtime core refuses is a ValueError.
template <bool Optional>
struct LinearUnitArg {
    using Value = std::optional<int32_t>;
    using Prepared = std::optional<runtime::LinearUnit>;
    static constexpr Phase phase = Phase::BeforeReceiver;
    static constexpr bool collects = false;
    static Result<Value> convert(PyObject* argument, const char* name);
    static Result<Prepared> prepare(const Value& code, const char* name);
    static GK_UnitHandle pass(const Prepared& unit) { return unit ? unit->get() : nullptr; }
};
using LinearUnit = LinearUnitArg<false>;
using OptionalLinearUnit = LinearUnitArg<true>;

// The runtime linear unit of a LinearUnitId code: "Invalid LinearUnitId: " + the record's debug text
// when the runtime core refuses the code.
Result<runtime::LinearUnit> runtime_linear_unit(int32_t code);

// An AreaUnitId member or an AreaUnit object, as its code; None or omitted means none.
struct AreaUnitCodeArg : PlainKind<std::optional<int32_t>> {
    static Result<std::optional<int32_t>> convert(PyObject* argument, const char* name);
};

// An AreaUnit object, whose own runtime unit is passed, or None, which passes no unit.
struct AreaUnitObjectArg : PlainKind<const runtime::AreaUnit*> {
    static Result<const runtime::AreaUnit*> convert(PyObject* argument, const char* name);
    static GK_UnitHandle pass(const runtime::AreaUnit* unit) { return unit ? unit->get() : nullptr; }
};

// A Python str, passed as NUL-terminated UTF-8; a NUL inside it is an internal failure.
struct TextArg {
    using Value = PyObject*;
    using Prepared = std::string;
    static constexpr Phase phase = Phase::BeforeReceiver;
    static constexpr bool collects = false;
    static Result<PyObject*> convert(PyObject* argument, const char* name);
    static Result<std::string> prepare(PyObject* text, const char* name);
    static const char* pass(const std::string& text) { return text.c_str(); }
};

// What the spatial reference conversion accepts; the runtime reference is made before the receiver.
struct SpatialReferenceArg {
    using Value = PyObject*;
    using Prepared = runtime::SpatialReference;
    static constexpr Phase phase = Phase::BeforeReceiver;
    static constexpr bool collects = false;
    static Result<PyObject*> convert(PyObject* argument, const char* name);
    static Result<Prepared> prepare(PyObject* argument, const char* name);
    static GK_SpatialReferenceHandle pass(const Prepared& reference) { return reference.get(); }
};

// A DatumTransformation, whose own runtime handle is passed.
struct DatumTransformationArg : PlainKind<GK_DatumTransformationHandle> {
    static Result<GK_DatumTransformationHandle> convert(PyObject* argument, const char* name);
};

// Kinds that hold a geometry object and become a runtime geometry.
struct GeometryHolderKind {
    using Value = PyObject*;
    using Prepared = std::optional<runtime::GeometryOwned>;
    static constexpr bool collects = false;
    static GK_GeometryHandle pass(const Prepared& geometry) { return geometry ? geometry->get() : nullptr; }
};

// Any Geometry instance, converted like the receiver (through its own __gkn_geo()).
struct GeometryArg : GeometryHolderKind {
    static constexpr Phase phase = Phase::Geometry;
    static Result<PyObject*> convert(PyObject* argument, const char* name);
    static Result<Prepared> prepare(PyObject* geometry, const char* name);
};

// The geometry classes whose arguments are built from the object's own native value.
enum class AttachedClass { Point, Envelope, Polyline };

// An instance of one of those classes.
template <AttachedClass Class>
struct AttachedArg : GeometryHolderKind {
    static constexpr Phase phase = Phase::Attached;
    static Result<PyObject*> convert(PyObject* argument, const char* name);
    static Result<Prepared> prepare(PyObject* geometry, const char* name);
};
using PointArg = AttachedArg<AttachedClass::Point>;
using EnvelopeArg = AttachedArg<AttachedClass::Envelope>;
using PolylineArg = AttachedArg<AttachedClass::Polyline>;

// A Point or None (required positionally all the same).
struct OptionalPointArg : PointArg {
    static Result<PyObject*> convert(PyObject* argument, const char* name);
    static Result<Prepared> prepare(PyObject* point, const char* name);
};

// Kinds that take any iterable and iterate it once into a runtime vector.
struct IterableKind {
    using Value = PyObject*;
    using Prepared = runtime::VectorOwned;
    static constexpr Phase phase = Phase::Geometry;
    static constexpr bool collects = true;
    static Result<PyObject*> convert(PyObject* argument, const char*) { return argument; }
    static GK_VectorHandle pass(const Prepared& vector) { return vector.get(); }
};

// Any iterable of geometries (objects, dictionaries or OvraJSON text), into a vector of geometry
// elements. Its failure is held back until the other iterables of the call were read, so that a later
// iterable's failure is the one reported.
struct GeometriesArg : IterableKind {
    static Result<Prepared> prepare(PyObject* iterable, const char* name);
};

// Any iterable of floats, into a vector of float elements.
struct FloatsArg : IterableKind {
    static Result<Prepared> prepare(PyObject* iterable, const char* name);
};

// The runtime geometry of each element of an iterable, in order; the first failure ends the iteration.
Result<std::vector<runtime::GeometryOwned>> runtime_geometries(PyObject* iterable);

// A runtime vector of geometry elements holding the geometries, in order.
Result<runtime::VectorOwned> geometry_vector(const std::vector<runtime::GeometryOwned>& geometries);

}  // namespace velmor::py::engine
