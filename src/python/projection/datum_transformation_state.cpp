#include "projection/datum_transformation_state.hpp"

#include <cstdint>
#include <string>
#include <vector>

#include "reduction.hpp"
#include "runtime/spatial/transformation_steps.hpp"

namespace velmor::py {
namespace {

using runtime::TransformationStepRecord;
using runtime::TransformationType;

constexpr TransformationType kinds[] = {TransformationType::Geographic, TransformationType::HorizontalVertical};

NativeError refused(PyObject* type, const std::string& reason) {
    return raise_error(type, "Cannot restore a pickled DatumTransformation: " + reason);
}

Result<Ref> step_state(const TransformationStepRecord& step) {
    VELMOR_TRY_ASSIGN(Ref text, new_reference(PyUnicode_FromStringAndSize(step.text.data(),
                                                                          static_cast<Py_ssize_t>(step.text.size()))));
    return new_reference(Py_BuildValue("(iOO)", step.wkid, step.inverse ? Py_True : Py_False, text.get()));
}

Result<Ref> steps_state(const std::vector<TransformationStepRecord>& steps) {
    VELMOR_TRY_ASSIGN(Ref tuple, new_reference(PyTuple_New(static_cast<Py_ssize_t>(steps.size()))));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        VELMOR_TRY_ASSIGN(Ref step, step_state(steps[i]));
        PyTuple_SET_ITEM(tuple.get(), static_cast<Py_ssize_t>(i), step.release());
    }
    return tuple;
}

// A tuple of exactly `size` items; the wrong type is the TypeError, the wrong size the ValueError.
Result<void> require_tuple(PyObject* value, Py_ssize_t size, const std::string& what) {
    if (!PyTuple_Check(value)) {
        return fail(refused(PyExc_TypeError, what + " must be a tuple, not " + type_name(value)));
    }
    if (size >= 0 && PyTuple_GET_SIZE(value) != size) {
        return fail(refused(PyExc_ValueError, what + " must have " + std::to_string(size) + " items, not " +
                                                  std::to_string(PyTuple_GET_SIZE(value))));
    }
    return {};
}

constexpr Py_ssize_t any_size = -1;

Result<TransformationType> kind_of(PyObject* value) {
    if (!PyUnicode_Check(value)) {
        return fail(refused(PyExc_TypeError, "the kind must be a str, not " + type_name(value)));
    }
    for (TransformationType type : kinds) {
        if (PyUnicode_CompareWithASCIIString(value, transformation_kind_text(type)) == 0) return type;
    }
    return fail(refused(PyExc_ValueError, "the kind must be \"Geographic\" or \"HorizontalVertical\""));
}

Result<int32_t> wkid_of(PyObject* value, const std::string& what) {
    if (!PyLong_Check(value) || PyBool_Check(value)) {
        return fail(refused(PyExc_TypeError, what + " must be an int, not " + type_name(value)));
    }
    int overflow = 0;
    const long long wkid = PyLong_AsLongLongAndOverflow(value, &overflow);
    if (overflow != 0 || wkid < 0 || wkid > INT32_MAX) {
        return fail(refused(PyExc_ValueError, what + " must be from 0 to 2147483647"));
    }
    return static_cast<int32_t>(wkid);
}

Result<bool> flag_of(PyObject* value, const std::string& what) {
    if (!PyBool_Check(value)) return fail(refused(PyExc_TypeError, what + " must be a bool, not " + type_name(value)));
    return value == Py_True;
}

// The runtime core takes the text NUL-terminated, so a NUL inside cannot be passed on.
Result<std::string> text_of(PyObject* value, const std::string& what) {
    if (!PyUnicode_Check(value)) return fail(refused(PyExc_TypeError, what + " must be a str, not " + type_name(value)));
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(value, &size);
    if (utf8 == nullptr) {
        PyErr_Clear();
        return fail(refused(PyExc_ValueError, what + " cannot be encoded as UTF-8"));
    }
    std::string text(utf8, static_cast<std::size_t>(size));
    if (text.find('\0') != std::string::npos) return fail(refused(PyExc_ValueError, what + " contains a NUL character"));
    return text;
}

Result<TransformationStepRecord> step_of(PyObject* value, Py_ssize_t index) {
    const std::string what = "steps[" + std::to_string(index) + "]";
    VELMOR_TRY(require_tuple(value, 3, what));
    TransformationStepRecord step;
    VELMOR_TRY_ASSIGN(step.wkid, wkid_of(PyTuple_GET_ITEM(value, 0), "the identifier of " + what));
    VELMOR_TRY_ASSIGN(step.inverse, flag_of(PyTuple_GET_ITEM(value, 1), "the inverse flag of " + what));
    VELMOR_TRY_ASSIGN(step.text, text_of(PyTuple_GET_ITEM(value, 2), "the text of " + what));
    if ((step.wkid == 0) == step.text.empty()) {
        return fail(refused(PyExc_ValueError,
                            what + " must name its operation either by an identifier or, with identifier 0, by a text"));
    }
    return step;
}

// The datum transformations PROJ's database offers chain a handful of operations at most, while each
// step costs the restore a database lookup and the first projection tens of milliseconds and about a
// megabyte: a state with more steps than this is forged, and would cost seconds and gigabytes.
constexpr Py_ssize_t most_steps = 16;

Result<std::vector<TransformationStepRecord>> steps_of(PyObject* value) {
    VELMOR_TRY(require_tuple(value, any_size, "the steps"));
    const Py_ssize_t count = PyTuple_GET_SIZE(value);
    if (count == 0) return fail(refused(PyExc_ValueError, "a transformation needs at least one step"));
    if (count > most_steps) {
        return fail(refused(PyExc_ValueError, "a transformation has at most " + std::to_string(most_steps) +
                                                  " steps, not " + std::to_string(count)));
    }
    std::vector<TransformationStepRecord> steps;
    steps.reserve(static_cast<std::size_t>(count));
    for (Py_ssize_t i = 0; i < count; ++i) {
        VELMOR_TRY_ASSIGN(TransformationStepRecord step, step_of(PyTuple_GET_ITEM(value, i), i));
        steps.push_back(std::move(step));
    }
    return steps;
}

}  // namespace

const char* transformation_kind_text(TransformationType type) {
    return type == TransformationType::Geographic ? "Geographic" : "HorizontalVertical";
}

Result<Ref> transformation_state(const runtime::DatumTransformationOwned& transformation) {
    const TransformationType type = runtime::transformation_type(transformation);
    VELMOR_TRY_ASSIGN(Ref steps, steps_state(runtime::transformation_steps(transformation, type)));
    return new_reference(Py_BuildValue("(sO)", transformation_kind_text(type), steps.get()));
}

Result<runtime::DatumTransformationOwned> transformation_from_state(PyObject* state) {
    VELMOR_TRY(require_tuple(state, 2, "the state"));
    VELMOR_TRY_ASSIGN(TransformationType type, kind_of(PyTuple_GET_ITEM(state, 0)));
    VELMOR_TRY_ASSIGN(auto steps, steps_of(PyTuple_GET_ITEM(state, 1)));
    return runtime::transformation_from_steps(type, steps);
}

}  // namespace velmor::py
