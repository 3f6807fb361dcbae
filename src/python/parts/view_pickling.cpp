#include "parts/view_pickling.hpp"

#include <utility>
#include <vector>

#include "core/multipoint.hpp"
#include "core/polyline.hpp"
#include "geometry/multipoint.hpp"
#include "geometry/polyline.hpp"
#include "parts/part_objects.hpp"
#include "reduction.hpp"

namespace velmor::py {
namespace {

// (getattr, (carrier, name)): the carrier's view of that name.
Result<Ref> attribute_of(Result<Ref> carrier, const char* name) {
    if (!carrier) return fail(std::move(carrier.error()));
    return reduce_to_attribute(carrier->get(), name);
}

// Copies of the values, shared with nothing, so that copy.copy (which does not copy the reduction's
// arguments) gives an independent view too. Each lock is held for its one copy.
template <class PartT>
core::Shared<PartT> copy_of(const core::Shared<PartT>& part) {
    return core::Shared<PartT>(*part.lock());
}

template <class PartT>
Result<core::Shared<core::PartContainer<PartT>>> copy_of(const core::Shared<core::PartContainer<PartT>>& container) {
    std::vector<core::Shared<PartT>> parts;
    {
        const auto guarded = container.lock();
        parts.assign(guarded->begin(), guarded->end());
    }
    auto copied = core::Shared<core::PartContainer<PartT>>::make(dims_of(container));
    {
        const auto guarded = copied.lock();
        for (const auto& part : parts) VELMOR_TRY(guarded->push(copy_of(part)));
    }
    return copied;
}

// A polyline of the container's dimensionality whose straight or curved container is this one.
template <class Install, class SharedT>
Result<Ref> polyline_holding(const SharedT& container, Install install) {
    core::Polyline polyline(dims_of(container));
    VELMOR_TRY_ASSIGN(auto copied, copy_of(container));
    VELMOR_TRY((polyline.*install)(std::move(copied)));
    return new_polyline(std::move(polyline));
}

}  // namespace

Result<Ref> reduce_view(const core::SharedPart& part) {
    return attribute_of(new_multipoint(core::Multipoint(copy_of(part))), "points");
}

Result<Ref> reduce_view(const core::SharedMultipart& container) {
    return attribute_of(polyline_holding(container, &core::Polyline::set_paths), "paths");
}

Result<Ref> reduce_view(const core::SharedCurveMultipart& container) {
    return attribute_of(polyline_holding(container, &core::Polyline::set_curve_paths), "curve_paths");
}

// (operator.getitem, (CurveMultipart holding only this part, 0)).
Result<Ref> reduce_view(const core::SharedCurvePart& part) {
    auto container = core::SharedCurveMultipart::make(dims_of(part));
    VELMOR_TRY(container.lock()->push(copy_of(part)));
    VELMOR_TRY_ASSIGN(Ref holder, new_curve_multipart_object(std::move(container)));
    VELMOR_TRY_ASSIGN(Ref getitem, module_function("operator", "getitem"));
    return new_reference(Py_BuildValue("(O(Oi))", getitem.get(), holder.get(), 0));
}

}  // namespace velmor::py
