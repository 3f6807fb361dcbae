#include "dict_forms/envelope_form.hpp"

#include "dict_forms/lookup.hpp"

namespace velmor::py {

Result<core::EnvelopeValue> envelope_from_dict(PyObject* dict) {
    core::EnvelopeValue value;
    VELMOR_TRY_ASSIGN(value.xmin, required_number(dict, "xmin"));
    VELMOR_TRY_ASSIGN(value.ymin, required_number(dict, "ymin"));
    VELMOR_TRY_ASSIGN(value.xmax, required_number(dict, "xmax"));
    VELMOR_TRY_ASSIGN(value.ymax, required_number(dict, "ymax"));
    VELMOR_TRY_ASSIGN(value.zmin, optional_number(dict, "zmin"));
    VELMOR_TRY_ASSIGN(value.zmax, optional_number(dict, "zmax"));
    VELMOR_TRY_ASSIGN(value.mmin, optional_number(dict, "mmin"));
    VELMOR_TRY_ASSIGN(value.mmax, optional_number(dict, "mmax"));
    VELMOR_TRY_ASSIGN(value.idmin, optional_u32(dict, "idmin"));
    VELMOR_TRY_ASSIGN(value.idmax, optional_u32(dict, "idmax"));
    VELMOR_TRY_ASSIGN(value.spatial_reference, optional_spatial_reference(dict));
    return value;
}

}  // namespace velmor::py
