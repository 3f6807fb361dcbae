// The functions of velmor_geometry.projection: the projection engine directory, the catalogue query,
// and the two collection projections, which run on the engine road of the collection functions.
#include "projection/projection_functions.hpp"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "args.hpp"
#include "dict_forms/envelope_form.hpp"
#include "engine/loop.hpp"
#include "entry.hpp"
#include "geometry/envelope.hpp"
#include "projection/datum_transformation.hpp"
#include "runtime/convert/envelope_conversion.hpp"
#include "runtime/environment.hpp"
#include "runtime/spatial/datum_transformation.hpp"
#include "spatial/spatial_reference.hpp"

namespace velmor::py {
namespace {

Result<Ref> text_or_none(const std::optional<std::string>& text) {
    if (!text) return Ref::borrow(Py_None);
    Ref result = Ref::steal(PyUnicode_FromStringAndSize(text->data(), static_cast<Py_ssize_t>(text->size())));
    if (!result) return fail(python_error());
    return result;
}

PyObject* get_projection_engine_dir(PyObject*, PyObject*) {
    return guard([&]() -> Result<Ref> { return text_or_none(runtime::projection_engine_directory()); });
}

// An Envelope's own value or an envelope dictionary, as a runtime envelope; none for None or omitted.
Result<std::optional<runtime::GeometryOwned>> area_of_interest(PyObject* value) {
    if (value == nullptr || value == Py_None) return std::optional<runtime::GeometryOwned>();
    if (PyObject_TypeCheck(value, envelope_type())) {
        VELMOR_TRY_ASSIGN(runtime::GeometryOwned envelope, envelope_runtime_value(value));
        return std::optional<runtime::GeometryOwned>(std::move(envelope));
    }
    if (!PyDict_Check(value)) {
        return fail(raise_error(PyExc_TypeError, "Envelope from_py expects an Envelope object or dict"));
    }
    VELMOR_TRY_ASSIGN(core::EnvelopeValue envelope, envelope_from_dict(value));
    VELMOR_TRY_ASSIGN(runtime::Envelope runtime_envelope, runtime::convert::envelope_to_runtime(envelope));
    return std::optional<runtime::GeometryOwned>(runtime::transfer<runtime::GeometryOwned>(std::move(runtime_envelope)));
}

PyObject* get_transformations(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<4> params{
        "get_transformations",
        {"input_spatial_reference", "output_spatial_reference", "area_of_interest", "ignore_vertical"},
        2};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        bool ignore_vertical = false;
        if (bound[3] != nullptr) {
            VELMOR_TRY_ASSIGN(ignore_vertical, bool_argument(bound[3], "ignore_vertical"));
        }
        VELMOR_TRY_ASSIGN(runtime::SpatialReference input, runtime_spatial_reference_argument(bound[0]));
        VELMOR_TRY_ASSIGN(runtime::SpatialReference output, runtime_spatial_reference_argument(bound[1]));
        VELMOR_TRY_ASSIGN(std::optional<runtime::GeometryOwned> area, area_of_interest(bound[2]));
        auto transformations =
            runtime::transformations_by_suitability(input, output, area ? area->get() : nullptr, ignore_vertical);
        Ref list = Ref::steal(PyList_New(0));
        if (!list) return fail(python_error());
        for (auto& transformation : transformations) {
            VELMOR_TRY_ASSIGN(Ref object, new_datum_transformation(std::move(transformation)));
            if (PyList_Append(list.get(), object.get()) != 0) return fail(python_error());
        }
        return list;
    });
}

PyObject* set_projection_engine_dir(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    static const Parameters<1> params{"set_projection_engine_dir", {"value"}};
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(const auto bound, bind(params, args, nargs, kwnames));
        std::optional<std::filesystem::path> directory;
        if (PyUnicode_Check(bound[0])) {
            Py_ssize_t size = 0;
            const char* utf8 = PyUnicode_AsUTF8AndSize(bound[0], &size);
            if (utf8 == nullptr) return fail(python_error());
            directory = std::filesystem::path(std::string(utf8, static_cast<std::size_t>(size)));
        } else if (bound[0] != Py_None) {
            return fail(raise_error(PyExc_TypeError, std::string("argument 'value': '") + type_name(bound[0]) +
                                                         "' object cannot be converted to 'PyString'"));
        }
        runtime::ensure_environment();
        auto done = runtime::set_projection_engine_directory(directory);
        if (!done) return fail(runtime::to_native_error(done.error()));
        return Ref::borrow(Py_None);
    });
}

PyMethodDef get_projection_engine_dir_def{
    "get_projection_engine_dir", as_cfunction(get_projection_engine_dir), METH_NOARGS,
    "get_projection_engine_dir()\n--\n\nThe directory where the projection engine looks for its data files "
    "(its database and transformation grids) first, or None when none is set. An installation that carries "
    "PROJ's data starts with that directory, unless PROJ_DATA or PROJ_LIB is set."};

PyMethodDef get_transformations_def{
    "get_transformations", as_cfunction(get_transformations), METH_FASTCALL | METH_KEYWORDS,
    "get_transformations(input_spatial_reference, output_spatial_reference, area_of_interest=None, "
    "ignore_vertical=False)\n--\n\nThe datum transformations suitable between two spatial references, most "
    "suitable first; empty when none is needed. An area of interest (an Envelope or envelope dict) keeps "
    "those that apply there; ignore_vertical leaves vertical systems out."};

PyMethodDef set_projection_engine_dir_def{
    "set_projection_engine_dir", as_cfunction(set_projection_engine_dir), METH_FASTCALL | METH_KEYWORDS,
    "set_projection_engine_dir(value)\n--\n\nSets the directory of the projection engine's data files, or clears "
    "it with None, which returns to the PROJ data the installation carries, if any. Set it once at process "
    "start-up, before any geometry or projection work."};

}  // namespace

std::span<PyMethodDef* const> projection_functions() {
    using engine::ElementsArg;
    using engine::ListShape;
    using engine::Loop;
    using engine::Member;
    static const std::array functions{
        &get_projection_engine_dir_def,
        &get_transformations_def,
        Member<"project_collection(geometries, spatial_reference)", Loop<VELMOR_ENGINE(project), ListShape>,
               ElementsArg, engine::SpatialReferenceArg>::module_entry(
            "Each geometry projected into the spatial reference, with the best available operation."),
        Member<"project_collection_with_transformation(geometries, spatial_reference, datum_transformation)",
               Loop<VELMOR_ENGINE(projectWithTransformation), ListShape>, ElementsArg, engine::SpatialReferenceArg,
               engine::DatumTransformationArg>::module_entry(
            "Each geometry projected into the spatial reference through the datum transformation."),
        &set_projection_engine_dir_def,
    };
    return functions;
}

}  // namespace velmor::py
