#include "dict_forms/geometry_forms.hpp"

#include <optional>
#include <vector>

#include "dict_forms/lookup.hpp"
#include "dict_forms/part_forms.hpp"

namespace velmor::py {
namespace {

// The parts of one optional key; an absent key gives none.
template <class Shared>
Result<std::vector<Shared>> optional_parts(PyObject* dict, const char* key, core::Dims dims,
                                           Result<std::vector<Shared>> (*read)(PyObject*, core::Dims)) {
    VELMOR_TRY_ASSIGN(PyObject* value, find_item(dict, key));
    if (value == nullptr) return std::vector<Shared>{};
    Ref held = Ref::borrow(value);
    return read(held.get(), dims);
}

struct MultipartForm {
    core::Dims dims;
    std::vector<core::SharedPart> linear;
    std::vector<core::SharedCurvePart> curved;
    std::optional<core::SpatialReference> spatial_reference;
};

Result<MultipartForm> multipart_form(PyObject* dict, const char* linear_key, const char* curved_key) {
    VELMOR_TRY_ASSIGN(const core::Dims dims, dimension_flags(dict));
    VELMOR_TRY_ASSIGN(auto linear, optional_parts<core::SharedPart>(dict, linear_key, dims, parts_from_list));
    VELMOR_TRY_ASSIGN(auto curved,
                      optional_parts<core::SharedCurvePart>(dict, curved_key, dims, curve_parts_from_list));
    VELMOR_TRY_ASSIGN(auto spatial_reference, optional_spatial_reference(dict));
    return MultipartForm{dims, std::move(linear), std::move(curved), std::move(spatial_reference)};
}

}  // namespace

Result<core::Polyline> polyline_from_dict(PyObject* dict) {
    VELMOR_TRY_ASSIGN(MultipartForm form, multipart_form(dict, "paths", "curvePaths"));
    return core::Polyline::build(form.dims, std::move(form.linear), std::move(form.curved),
                                 std::move(form.spatial_reference));
}

Result<core::Polygon> polygon_from_dict(PyObject* dict) {
    VELMOR_TRY_ASSIGN(MultipartForm form, multipart_form(dict, "rings", "curveRings"));
    return core::Polygon::build(form.dims, std::move(form.linear), std::move(form.curved),
                                std::move(form.spatial_reference));
}

Result<core::Multipoint> multipoint_from_dict(PyObject* dict) {
    VELMOR_TRY_ASSIGN(PyObject* points, find_item(dict, "points"));
    if (points == nullptr) return fail(NativeError::resolution("Did not find points in multipoint dict"));
    Ref held = Ref::borrow(points);
    VELMOR_TRY(require_list(held.get()));
    VELMOR_TRY_ASSIGN(const core::Dims dims, dimension_flags(dict));
    VELMOR_TRY_ASSIGN(core::Part part, part_from_coordinate_lists(held.get(), dims));
    VELMOR_TRY_ASSIGN(auto spatial_reference, optional_spatial_reference(dict));
    return core::Multipoint(core::SharedPart(std::move(part)), std::move(spatial_reference));
}

}  // namespace velmor::py
