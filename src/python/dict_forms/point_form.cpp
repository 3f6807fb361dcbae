#include "dict_forms/point_form.hpp"

#include "dict_forms/lookup.hpp"

namespace velmor::py {

Result<core::PointValue> point_from_dict(PyObject* dict) {
    core::PointValue value;
    VELMOR_TRY_ASSIGN(value.x, required_number(dict, "x"));
    VELMOR_TRY_ASSIGN(value.y, required_number(dict, "y"));
    VELMOR_TRY_ASSIGN(value.z, optional_number(dict, "z"));
    VELMOR_TRY_ASSIGN(value.m, optional_number(dict, "m"));
    VELMOR_TRY_ASSIGN(value.spatial_reference, optional_spatial_reference(dict));
    return value;
}

}  // namespace velmor::py
