#include "projection/datum_transformation.hpp"

#include <optional>

#include "args.hpp"
#include "entry.hpp"
#include "projection/datum_transformation_state.hpp"
#include "reduction.hpp"
#include "runtime/error_capture.hpp"
#include "runtime/spatial/datum_transformation.hpp"
#include "runtime/spatial/spatial_reference_conversion.hpp"
#include "spatial/instance.hpp"
#include "spatial/spatial_reference.hpp"
#include "type_cell.hpp"

namespace velmor::py {
namespace {

struct Transformation {
    std::optional<runtime::DatumTransformationOwned> transformation;
};

const runtime::DatumTransformationOwned& transformation_of(PyObject* self) {
    return *payload_of<Transformation>(self).transformation;
}

Result<Ref> text_object(const std::string& text) {
    Ref result = Ref::steal(PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size())));
    if (!result) return fail(python_error());
    return result;
}

Result<Ref> optional_spatial_reference(std::optional<runtime::SpatialReference> reference) {
    if (!reference) return Ref::borrow(Py_None);
    return new_spatial_reference(runtime::from_runtime(std::move(*reference)));
}

// Releasing the runtime transformation may fail; a destructor cannot raise, so the failure is reported
// as unraisable.
void dealloc(PyObject* self) {
    try {
        payload_of<Transformation>(self).transformation.reset();
    } catch (const core::InternalFailure& failure) {
        raise_panic(failure.what());
        PyErr_WriteUnraisable(self);
    }
    dealloc_instance<Transformation>(self);
}

PyObject* name_text(PyObject* self) {
    return guard([&]() -> Result<Ref> { return text_object(runtime::transformation_name(transformation_of(self))); });
}

PyObject* get_name(PyObject* self, void*) { return name_text(self); }

PyObject* get_object_type(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        return text_object(transformation_kind_text(runtime::transformation_type(transformation_of(self))));
    });
}

PyObject* get_input_spatial_reference(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        return optional_spatial_reference(runtime::transformation_input(transformation_of(self)));
    });
}

PyObject* get_output_spatial_reference(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        return optional_spatial_reference(runtime::transformation_output(transformation_of(self)));
    });
}

PyObject* is_missing_projection_engine_files(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        return Ref::borrow(runtime::transformation_missing_files(transformation_of(self)) ? Py_True : Py_False);
    });
}

PyObject* get_inverse(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        auto inverse = runtime::invoke(runtime::functions().DatumTransformation_getInverse, transformation_of(self).get());
        if (!inverse) return fail(runtime::to_native_error(inverse.error()));
        return new_datum_transformation(runtime::DatumTransformationOwned::take(*inverse));
    });
}

PyObject* text(PyObject* self) { return name_text(self); }

// Pickling and copying: the class has no constructor, so the form calls its _from_state with the
// transformation's steps as plain values; the copy owns a runtime transformation of its own.
PyObject* reduce(PyObject* self, PyObject*) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(Ref state, transformation_state(transformation_of(self)));
        VELMOR_TRY_ASSIGN(Ref restore, new_reference(PyObject_GetAttrString(reinterpret_cast<PyObject*>(Py_TYPE(self)),
                                                                            "_from_state")));
        return new_reference(Py_BuildValue("(O(O))", restore.get(), state.get()));
    });
}

PyObject* from_state(PyObject*, PyObject* state) {
    return guard([&]() -> Result<Ref> {
        VELMOR_TRY_ASSIGN(auto transformation, transformation_from_state(state));
        return new_datum_transformation(std::move(transformation));
    });
}

PyGetSetDef properties[] = {
    {"name", get_name, nullptr, "The transformation's name in the catalogue (str).", nullptr},
    {"object_type", get_object_type, nullptr,
     "The kind of transformation: \"Geographic\" or \"HorizontalVertical\" (str).", nullptr},
    {"input_spatial_reference", get_input_spatial_reference, nullptr,
     "The spatial reference the transformation starts from, as a new SpatialReference, or None.", nullptr},
    {"output_spatial_reference", get_output_spatial_reference, nullptr,
     "The spatial reference the transformation leads to, as a new SpatialReference, or None.", nullptr},
    {nullptr},
};

PyMethodDef methods[] = {
    {"is_missing_projection_engine_files", as_cfunction(is_missing_projection_engine_files), METH_NOARGS,
     "is_missing_projection_engine_files($self)\n--\n\n"
     "Whether a data file that the transformation needs is missing from the projection engine directory "
     "(bool)."},
    {"get_inverse", as_cfunction(get_inverse), METH_NOARGS,
     "get_inverse($self)\n--\n\n"
     "A new DatumTransformation going the opposite way; raises Exception when the runtime core cannot invert "
     "it."},
    {"__reduce__", as_cfunction(reduce), METH_NOARGS,
     "__reduce__($self)\n--\n\nThe pickled form: the class's _from_state and the transformation's kind and "
     "steps."},
    {"_from_state", as_cfunction(from_state), METH_CLASS | METH_O,
     "_from_state($type, state, /)\n--\n\nA new DatumTransformation equal to the one whose __reduce__ wrote the "
     "state (kind, steps); TypeError or ValueError for a damaged state, Exception when the runtime core cannot "
     "make a step."},
    {nullptr},
};

PyType_Slot slots[] = {
    {Py_tp_dealloc, reinterpret_cast<void*>(dealloc)},
    {Py_tp_getset, properties},
    {Py_tp_methods, methods},
    {Py_tp_str, reinterpret_cast<void*>(text)},
    {Py_tp_repr, reinterpret_cast<void*>(text)},
    {0, nullptr},
};

PyType_Spec spec{"velmor_geometry.projection.DatumTransformation", sizeof(Instance<Transformation>), 0,
                 Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, slots};

}  // namespace

PyTypeObject* datum_transformation_type() {
    static TypeCell cell(&spec);
    return cell.get();
}

Result<Ref> new_datum_transformation(runtime::DatumTransformationOwned transformation) {
    return new_instance(datum_transformation_type(), Transformation{std::move(transformation)});
}

GK_DatumTransformationHandle datum_transformation_of(PyObject* value) {
    PyTypeObject* type = datum_transformation_type();
    if (type == nullptr || !Py_IS_TYPE(value, type)) return nullptr;
    return transformation_of(value).get();
}

}  // namespace velmor::py
